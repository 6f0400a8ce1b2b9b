#pragma once

#include <string>
#include <vector>

// One line of an accuracy list: an input and the forms accepted for it (UTF-8).
struct CheckItem {
    std::string input;
    std::vector<std::string> accepted;
};

// Parses a UTF-8 tab-separated list: '#' comment lines and blank lines are skipped; column 1
// is the input, column 2 the accepted forms separated by " | "; further columns are ignored.
std::vector<CheckItem> ParseCheckList(const std::string& text);

// Tally of an accuracy run.
struct CheckTally {
    int items = 0;
    int found = 0;  // an accepted form is among the outputs
    int single = 0; // exactly one output, and it is accepted
    int first = 0;  // the best output is accepted
    long variants = 0;

    void Add(const CheckItem& item, const std::vector<std::string>& outputs);
    // best: the best of the outputs (empty when there are none).
    void Add(const CheckItem& item, const std::vector<std::string>& outputs,
             const std::string& best);
    bool Found(const CheckItem& item, const std::vector<std::string>& outputs) const;
    // "check: N items, found F (P%), single S (Q%), mean variants M, first T (R%)"
    std::string Summary() const;
};
