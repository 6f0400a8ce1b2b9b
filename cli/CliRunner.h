#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line front end: parses args, loads the language and transcribes every input
// line. Messages go to err as UTF-8 lines. Returns the exit status (0 done, 1 language not
// loaded, 2 usage error, 3 an internal error on some line, 4 the output could not be written).
// processEnds: the process ends right after the run, so the languages loaded are left to the
// system instead of being taken apart block by block (which takes longer than a short run).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool processEnds = false);
