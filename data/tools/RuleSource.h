#pragma once

#include "platform/CodePage.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The rule lines of a language source and their translation into the rule-file syntax.
//
// A source rule is written like a rule of the rule file, "[left]=[right]", in UTF-8:
//  - items are separated by ";"; an item of several letters stands for one item per letter
//    ("sch" is "s;c;h"); a letter with parameters stands alone ("e,stress=y");
//  - "$d,name=value" on the left is a context condition, a lone blank (with or without
//    parameters) is a wildcard, "#d" on the right a reference, a run of digits a code;
//  - a leading "*" asks for the case forms: lower, Capitalised and UPPER;
//  - after the closing "]" of the right side only a comment ("# ...") may follow.
namespace datagen {

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Param {
    std::string name;
    std::string value;
    bool operator==(const Param& o) const { return name == o.name && value == o.value; }
};

enum class ItemKind { Letter, Code, Wildcard, Context, Reference };

struct Item {
    ItemKind kind = ItemKind::Letter;
    char32_t letter = 0;     // Letter
    std::uint32_t value = 0; // Code: the code; Context: the distance; Reference: the digit
    std::vector<Param> params;

    bool operator==(const Item& o) const {
        return kind == o.kind && letter == o.letter && value == o.value && params == o.params;
    }
    bool operator!=(const Item& o) const { return !(*this == o); }
};

struct SourceRule {
    std::vector<Item> left; // context conditions included, in written order
    std::vector<Item> right;
    bool expandCase = false;

    bool operator==(const SourceRule& o) const { return left == o.left && right == o.right; }
};

// Parses one source rule line (without its line end). Throws SourceError.
SourceRule ParseRuleLine(const std::string& utf8);

// The case forms of a rule: lower, Capitalised and UPPER, without repeats. When the
// Capitalised and the UPPER form share their left side but differ on the right (a single
// letter becoming several), the neighbour letters decide, which needs caseParam: the UPPER form
// after an output letter marked caseParam=u or before an input letter marked so; the
// Capitalised form at the word start or after an output letter marked caseParam=l. A rule
// with its own "$0" condition gets the case added to that condition.
std::vector<SourceRule> ExpandCase(const SourceRule& rule, const std::string& caseParam);

// Marks every cased letter of the right side with caseParam=u or caseParam=l.
void MarkOutputCase(SourceRule& rule, const std::string& caseParam);

// A parameter written on every output letter of a set (either case), so that context
// conditions can test the class of the letter written before: "k=v" on the vowels.
struct OutputMark {
    Param param;
    std::u32string letters; // lower case
};

// Adds each mark's parameter to the right-side letters of its set that do not name it yet.
void MarkOutputLetters(SourceRule& rule, const std::vector<OutputMark>& marks);

// The rule-file line (without its line end): left letters in the input code page, right
// letters in cp1251. Throws SourceError for a letter the code page lacks.
std::string FormatRule(const SourceRule& rule, platform::CodePage input);

// Reads ",name=value,name=value" (empty text: no parameters). Throws SourceError.
std::vector<Param> ParseParamList(const std::string& utf8);

// The byte of one character in a code page; throws SourceError when the page lacks it.
char EncodeChar(char32_t c, platform::CodePage page);

} // namespace datagen
