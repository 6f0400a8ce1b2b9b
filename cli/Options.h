#pragma once

#include "platform/CodePage.h"

#include <string>
#include <vector>

// Command-line options of quillomorph-cli.
struct Options {
    std::string lang = "english";
    std::string dataDir; // empty: the shipped data directory
    int codePage = 0;    // 0: 1251 for 2translit, 1252 otherwise
    bool trace = false;
    std::string checkFile; // empty: no accuracy check
    bool help = false;
    std::vector<std::string> texts;

    platform::CodePage InputCodePage() const;
};

// Parses argv[1..]; returns false with a reason in error on a usage error.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

const char* UsageText();
