#include "cli/Options.h"

#include <getopt.h>

#include <algorithm>
#include <string>
#include <thread>

namespace {

constexpr int kMostJobs = 64;

enum LongOnly {
    CodePageOption = 256,
    TraceOption,
    CheckOption,
    ListOption,
    BestOption,
    RankedOption
};

const option LongOptions[] = {
    {"lang", required_argument, nullptr, 'l'},
    {"data", required_argument, nullptr, 'd'},
    {"codepage", required_argument, nullptr, CodePageOption},
    {"trace", optional_argument, nullptr, TraceOption},
    {"check", required_argument, nullptr, CheckOption},
    {"list", no_argument, nullptr, ListOption},
    {"best", no_argument, nullptr, BestOption},
    {"ranked", no_argument, nullptr, RankedOption},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {"jobs", required_argument, nullptr, 'j'},
    {nullptr, 0, nullptr, 0},
};

} // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    std::vector<std::string> storage;
    storage.reserve(args.size() + 1);
    storage.push_back("quillomorph-cli");
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : storage)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());

    opterr = 0;
    optind = 0; // start afresh: the parser keeps its place in globals
    for (;;) {
        const int c = getopt_long(argc, argv.data(), ":l:d:j:hV", LongOptions, nullptr);
        if (c == -1) break;
        const std::string arg = optind > 0 && optind <= argc && argv[optind - 1]
                                    ? std::string(argv[optind - 1])
                                    : std::string();
        switch (c) {
        case 'l':
            options.lang = optarg;
            break;
        case 'd':
            options.dataDir = optarg;
            break;
        case CodePageOption: {
            const std::string cp = optarg;
            if (cp != "1250" && cp != "1251" && cp != "1252") {
                error = "unsupported code page: " + cp;
                return false;
            }
            options.codePage = std::stoi(cp);
            break;
        }
        case TraceOption:
            options.trace = true;
            if (optarg) options.traceFile = optarg;
            break;
        case CheckOption:
            options.checkFile = optarg;
            break;
        case ListOption:
            options.list = true;
            break;
        case BestOption:
            options.best = true;
            break;
        case RankedOption:
            options.ranked = true;
            break;
        case 'j': {
            const std::string n = optarg;
            // Each thread holds the language once: a few dozen are the most a run can use.
            if (n.empty() || n.size() > 2 ||
                n.find_first_not_of("0123456789") != std::string::npos || std::stoi(n) < 1 ||
                std::stoi(n) > kMostJobs) {
                error = "--jobs takes a number of threads from 1 to " + std::to_string(kMostJobs) +
                        ", not " + n;
                return false;
            }
            options.jobs = std::stoi(n);
            options.jobsGiven = true;
            break;
        }
        case 'h':
            options.help = true;
            break;
        case 'V':
            options.version = true;
            break;
        case ':':
            error = "option " + arg + " needs a value";
            return false;
        default:
            error = "unknown option: " + arg;
            return false;
        }
    }
    if (options.jobs == 0) {
        // As many threads as the machine runs at once; a few at most, each holds a language.
        const unsigned cores = std::thread::hardware_concurrency();
        options.jobs = cores == 0 ? 1 : static_cast<int>(std::min(cores, 8u));
    }
    if (options.best && options.ranked) {
        error = "--best and --ranked exclude each other";
        return false;
    }
    // The parser has moved the texts behind the options, in their order ("-" alone and
    // everything after "--" included).
    for (int i = optind; i < argc; ++i)
        options.texts.push_back(argv[static_cast<std::size_t>(i)]);
    return true;
}

const char* UsageText() {
    return "Usage: quillomorph-cli [OPTION]... [TEXT]...\n"
           "Writes each TEXT (or each line of standard input) in another script: foreign names\n"
           "in Russian, Russian in Latin letters. Prints the variants of each input line,\n"
           "joined by TAB, one output line per input line.\n"
           "\n"
           "  -l, --lang=KEY       language to load, by key or alias (default english);\n"
           "                       --list shows them\n"
           "  -d, --data=DIR       folder of the language files (default: the shipped data;\n"
           "                       the environment variable QUILLOMORPH_DATA overrides it)\n"
           "      --codepage=N     read the input in code page 1250, 1251 or 1252 instead of\n"
           "                       the language's own\n"
           "      --trace[=FILE]   write every rule applied to FILE (default trans.log in the\n"
           "                       data folder) and print the analysed symbols and each\n"
           "                       variant's codes to standard error\n"
           "      --best           print only the best variant of each line\n"
           "      --ranked         print the variants best first instead of sorted\n"
           "      --check=FILE     transcribe the inputs of a tab-separated list (input, accepted\n"
           "                       forms separated by ' | ') and print the misses and a summary\n"
           "                       (\"first\": inputs whose best variant is accepted)\n"
           "  -j, --jobs=N         threads that share many waiting input lines (default: as many\n"
           "                       as the machine has, up to 8; each holds the language once)\n"
           "      --list           list the languages of the data folder\n"
           "  -h, --help           print this text\n"
           "  -V, --version        print the version and the data folder in use\n"
           "\n"
           "Exit status: 0 done, 1 language not loaded, 2 usage error, 3 an internal error on\n"
           "some line (its output line is empty), 4 the output could not be written, 5 a line\n"
           "over 1 MiB (its output line is empty) or one that met a work bound.\n";
}
