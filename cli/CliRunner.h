#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The command-line front end: parses args, loads the language and transcribes every input
// line. Messages go to err as UTF-8 lines. Returns the exit status (0 done, 1 language not
// loaded, 2 usage error, 3 a collection error reached the top level).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const std::string& executablePath);

// The shipped data directory, looked for next to the executable, where it is installed, and
// in the source tree it was built from. Empty when none exists.
std::string DefaultDataDirectory(const std::string& executablePath);
