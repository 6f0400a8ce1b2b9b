#include "cli/Options.h"

platform::CodePage Options::InputCodePage() const {
    if (codePage == 1250) return platform::CodePage::Cp1250;
    if (codePage == 1251) return platform::CodePage::Cp1251;
    if (codePage == 1252) return platform::CodePage::Cp1252;
    return lang == "2translit" ? platform::CodePage::Cp1251 : platform::CodePage::Cp1252;
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    bool onlyTexts = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyTexts || a.empty() || a[0] != '-' || a == "-") {
            options.texts.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyTexts = true;
            continue;
        }
        std::string name = a;
        std::string value;
        bool hasValue = false;
        const std::size_t eq = a.find('=');
        if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            hasValue = true;
        }
        auto takeValue = [&](std::string& out) {
            if (hasValue) {
                out = value;
                return true;
            }
            if (i + 1 >= args.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        if (name == "-l" || name == "--lang") {
            if (!takeValue(options.lang)) return false;
        } else if (name == "--data") {
            if (!takeValue(options.dataDir)) return false;
        } else if (name == "--codepage") {
            std::string cp;
            if (!takeValue(cp)) return false;
            if (cp != "1250" && cp != "1251" && cp != "1252") {
                error = "unsupported code page: " + cp;
                return false;
            }
            options.codePage = std::stoi(cp);
        } else if (name == "--check") {
            if (!takeValue(options.checkFile)) return false;
        } else if (name == "--trace" && !hasValue) {
            options.trace = true;
        } else if ((name == "-h" || name == "--help") && !hasValue) {
            options.help = true;
        } else {
            error = "unknown option: " + a;
            return false;
        }
    }
    return true;
}

const char* UsageText() {
    return "Usage: quillomorph-cli [-l KEY] [--data DIR] [--codepage 1250|1251|1252] [--trace]\n"
           "                       [--check FILE] [TEXT...]\n"
           "Transcribes each TEXT (or each line of standard input) and prints its variants,\n"
           "joined by TAB, one output line per input line.\n"
           "\n"
           "  -l, --lang KEY     language to load: english, deutsch, chineese, francais,\n"
           "                     2translit, 4translit, or any key with data files (default "
           "english)\n"
           "  --data DIR         directory of the language files; it becomes the working\n"
           "                     directory (default: the data directory shipped with the program)\n"
           "  --codepage N       code page of the bytes the input is turned into: 1251, 1252 or\n"
           "                     1250 (default 1251 for 2translit, 1252 otherwise)\n"
           "  --trace            write trans.log in the data directory and print the analysed\n"
           "                     symbols and each variant's codes to standard error\n"
           "  --check FILE       transcribe the inputs of a tab-separated list (input, accepted\n"
           "                     forms separated by ' | ') and print the misses and a summary\n"
           "  -h, --help         print this text\n"
           "\n"
           "Exit status: 0 done, 1 language not loaded, 2 usage error, 3 internal error.\n";
}
