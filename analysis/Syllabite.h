#pragma once

#include "analysis/Alphabet.h"
#include "core/Symbol.h"
#include "platform/StringList.h"
#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The word analyser of one language: alphabet, vowel letters, stress position, prefix and
// suffix tables (suffix texts stored reversed) and whole-word exceptions.
class Syllabite {
public:
    // Affix outputs may be far longer than their inputs. Analyse stops at the first word or
    // non-letter run that finds this many symbols made, and MatchAffixes stops joining outputs
    // past this many bytes, so that hostile tables cannot blow a line up without end. An
    // ordinary 64 KB line makes about 90,000 symbols.
    static constexpr std::int32_t MaxLineSymbols = 1 << 18;
    // The symbols a line of size bytes may make: MaxLineSymbols, or four per byte of a longer
    // line, so that no ordinary line reaches it.
    static std::size_t LineSymbolLimit(std::size_t size) {
        return size < MaxLineSymbols / 4 ? MaxLineSymbols : 4 * size;
    }
    // Set by Analyse when the line made LineSymbolLimit symbols and the rest was left out.
    mutable bool lineCut = false;

    platform::StringList prefixIn;
    platform::StringList prefixOut; // line i belongs to prefixIn line i
    platform::StringList suffixIn;
    platform::StringList suffixOut;
    Text vowels;                 // one byte per vowel letter
    std::int32_t vowelCount = 0; // 0: no syllable data, letters become bare alphabet symbols
    Alphabet alphabet;
    std::uint8_t reserved = 0;
    std::int32_t stressPosition = 3; // the stressed vowel, counted from the word's end (1 = last)
    Text loadedKey;
    platform::StringList exceptionKeys;   // upper case; Object is the index in exceptionValues
    platform::StringList exceptionValues; // upper case, in file order

    // Loads key.syl, key.alf and key.ex; a missing file leaves its data empty. Keeps
    // stressPosition and reserved, which the text files do not carry.
    void LoadTextFiles(const Text& key);

    // Reads an optional "alfa" block and then the "syla" block at position, never past size.
    // Returns 0 with position after the section, or 1 (vowelCount is then 0 unless the "syla"
    // tag itself is missing). Keeps the exception list.
    std::int32_t ReadSyllableSection(const char* data, std::size_t size, std::size_t& position);

    // Reads "input blank output" lines from position up to an empty line or the end of data.
    // Lines without a blank, or with an empty input, add nothing.
    static void ReadAffixTable(platform::StringList& in, platform::StringList& out,
                               const Text& data, std::size_t& position);

    // Replaces the exception list by key.ex: lines "word;replacement", divided at the last ";".
    void LoadExceptions(const Text& key);

    // Appends the symbols of line to out in reading order. Throws the collection's bad-index
    // Text when the stressed vowel's index does not reach a letter symbol of its word.
    void Analyse(const Text& line, SymbolCollection& out) const;
    // The same analysis into a plain array, as the engine reads it: symbols is resized to the
    // number of symbols made and element i holds what Analyse adds i-th. Reusing one array
    // from line to line saves making its symbols again.
    void Analyse(const Text& line, std::vector<Symbol>& symbols) const;
    // The same, returning the number of symbols made (the first elements of symbols) and
    // keeping the elements past them, so that the next line finds them made.
    // origins, when given, gets for each symbol made null or the symbol made itself, one that
    // stays unchanged while OriginsVersion() does: element i of symbols then holds only its
    // code, and *origins[i] is the symbol.
    std::size_t AnalyseKeeping(const Text& line, std::vector<Symbol>& symbols,
                               std::vector<const Symbol*>* origins = nullptr) const;
    // Changes whenever the symbols origins point to may change; unique in the process.
    std::uint64_t OriginsVersion() const { return alphabet.Version(); }

    // Consumes table matches from the 1-based position on (never the last byte of text),
    // greedily and first-match-wins, and appends the joined outputs as syllables to target.
    void MatchAffixes(const Text& text, std::size_t& position, const platform::StringList& in,
                      const platform::StringList& out, SymbolCollection& target) const;

    // Splits text at "-" and "=" and appends each piece's symbols with "open" and "stress";
    // the last symbol of a piece is open. Empty pieces add nothing.
    void AppendSyllables(const Text& text, SymbolCollection& target) const;

    static Text Reverse(const Text& text);

    // Analyses plainly from now on (or again as usual): every symbol is copied where it is
    // added, into fresh collections, nothing is taken over or kept from line to line, and
    // letters are looked up by bisection. For checking the ordinary analysis.
    void SetPlain(bool on) {
        plain_ = on;
        alphabet.plain = on;
    }

private:
    bool plain_ = false;
    // The joined outputs of MatchAffixes' matches, from position on.
    Text AffixText(const Text& text, std::size_t& position, const platform::StringList& in,
                   const platform::StringList& out) const;
    // The symbols AnalyseWord, the markers around it and the stress make of word, as forms made
    // once per byte: false (forms unusable) where they would not be exact copies, so that the
    // caller takes the long way.
    bool WordForms(const Text& word, std::vector<const Symbol*>& forms) const;
    // Appends the units of text's syllables: each byte, 0x100 added for the last of a piece.
    static void SyllableUnits(const Text& text, std::vector<std::uint16_t>& units);
    // The symbols AppendSyllables makes of a byte, by [last of its piece][stressed], made for
    // the alphabet of version alphabetVersion.
    struct LetterForms {
        Symbol forms[2][2];
        bool usable = false; // the forms are what the long way gives
    };
    const LetterForms& Forms(unsigned char byte) const;
    // The alphabet's symbol for letter c when it copies as it is (CopiesAsIs), else null;
    // known once per alphabet.
    const Symbol* FixedEntry(char c) const {
        const auto byte = static_cast<unsigned char>(c);
        if (entryVersion_ == alphabet.Version() && entryKnown_[byte]) return fixedEntry_[byte];
        return LearnEntry(c);
    }
    const Symbol* LearnEntry(char c) const;
    mutable std::array<const Symbol*, 256> fixedEntry_{};
    mutable std::array<bool, 256> entryKnown_{};
    mutable std::uint64_t entryVersion_ = 0;
    mutable std::vector<LetterForms> letterForms_;
    mutable std::vector<bool> letterMade_;
    mutable std::uint64_t alphabetVersion_ = 0;
    mutable std::vector<std::uint16_t> units_;
    mutable std::vector<std::uint16_t> suffixUnits_;
    mutable std::vector<const Symbol*> wordForms_;

    bool IsVowel(char c) const;
    std::size_t StressedPosition(const Text& word) const; // 1-based; 0 for none
    Text DivideMiddle(const Text& middle) const;
    void AnalyseWord(const Text& word, SymbolCollection& w) const;
    // Adds symbol, which the caller no longer needs, to target: taken over, or copied plainly.
    void Keep(SymbolCollection& target, Symbol& symbol) const;
    template <class Sink> void AnalyseInto(const Text& line, Sink& out) const;
};
