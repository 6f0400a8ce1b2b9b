#pragma once

#include "analysis/Alphabet.h"
#include "platform/CodePage.h"
#include "platform/Text.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Where text crosses between Unicode and the bytes a language's rules read, in both directions.
// Going in: invisible characters (byte-order marks, zero-width characters, soft hyphens,
// direction marks) are dropped; fixed-width and no-break spaces, line breaks and tabs are
// blanks; U+2010/U+2011 are "-"; typographic apostrophes read as the apostrophe the alphabet
// has. A letter the alphabet lacks is read as its base letter when the alphabet has that
// (Málaga -> Malaga in English). Any other character the rules cannot read passes through: it
// stands in the line as a placeholder byte no rule reads, and comes back in every variant
// exactly as it was typed. Characters of the code page that read the same in cp1251 (the
// variants' code page) go in as they are.
class TextEdges {
public:
    TextEdges() = default;
    // page: the code page the language reads; alphabet: its letters.
    TextEdges(platform::CodePage page, const Alphabet& alphabet);

    // The bytes of one line of UTF-8 for the engine; remembers what passes through.
    const Text& In(const std::string& utf8);
    // A variant (cp1251) of the last line as UTF-8, with what passed through put back.
    std::string Out(const Text& variant) const;
    // The same, appended to out.
    void AppendOut(const Text& variant, std::string& out) const;

    static constexpr char Placeholder = '\x1A';

private:
    void Emit(char32_t cp, const std::string& typed);
    void PassThrough(const std::string& typed);
    bool IsLetter(char32_t cp) const;

    platform::CodePage page_ = platform::CodePage::Cp1252;
    std::array<bool, 256> letters_{};
    std::array<bool, 256> direct_{}; // the byte reaches the engine as it is
    int apostrophe_ = -1;            // the byte typographic apostrophes read as, or -1
    // By code point below U+0800: the byte a character that goes in as it is becomes, or -1
    // for one that takes the long way (blanks, marks, invisible and unknown characters).
    std::array<std::int16_t, 0x800> fast_{};
    // By cp1251 byte: its character's UTF-8 bytes, and how many there are.
    std::array<std::array<char, 3>, 256> utf8_{};
    std::array<std::uint8_t, 256> utf8Size_{};
    Text bytes_;
    std::vector<std::string> passed_;
    char32_t lastLetter_ = 0; // what a following combining mark joins, 0 if nothing
    bool lastPassed_ = false; // the last character written passed through
};
