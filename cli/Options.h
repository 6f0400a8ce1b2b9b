#pragma once

#include <string>
#include <vector>

// Command-line options of quillomorph-cli.
struct Options {
    std::string lang = "english"; // a key or an alias
    std::string dataDir;          // empty: the shipped data folder
    int codePage = 0;             // 0: the language's own
    bool trace = false;
    std::string traceFile; // empty: trans.log in the data folder
    std::string checkFile; // empty: no accuracy check
    bool best = false;     // only the best variant of each line
    bool ranked = false;   // every variant, best first
    bool list = false;
    bool help = false;
    bool version = false;
    int jobs = 0;           // threads for many waiting lines; 0 until parsed: the machine's
    bool jobsGiven = false; // --jobs named them: used for any big batch, whatever it costs
    std::vector<std::string> texts;
};

// Parses argv[1..] the GNU way (-lKEY, -l KEY, --lang=KEY, --lang KEY; "--" ends the
// options). Returns false with a reason in error on a usage error.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

const char* UsageText();
