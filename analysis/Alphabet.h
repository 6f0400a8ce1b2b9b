#pragma once

#include "analysis/AlphaRule.h"
#include "core/Symbol.h"
#include "platform/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The letters of a language and the symbol of each. Loaders replace the entries wholesale and
// leave them unsorted; SortByCharacter must follow, as Lookup bisects by signed character.
class Alphabet {
public:
    // Reads an alphabet text file (entries ended by "---" lines). Returns the number of entries,
    // or -1 when the file cannot be read; the old entries are gone either way.
    std::int32_t LoadAlphabetFile(const Text& name);

    // Reads an "alfa" block at position, never past size. Returns 0; or 1 when the tag is
    // missing (nothing changes) or the block is cut short or malformed (the alphabet empties).
    std::int32_t ReadAlphabetBlock(const char* data, std::size_t size, std::size_t& position);

    void SortByCharacter();

    // Index of an entry whose character is c, or -1.
    std::int32_t Lookup(char c) const {
        return plain ? Bisect(c) : index_[static_cast<unsigned char>(c)];
    }

    // Replaces symbols by one symbol per byte of text: the letter's symbol, or code -1 for a
    // byte that is not a letter. Returns the number of letters.
    std::int32_t ToSymbols(const Text& text, std::vector<Symbol>& symbols) const;

    std::int32_t EntryCount() const { return entryCount; }
    // Changes whenever the entries change (unique among the alphabets of a process; copies
    // share it): what is made from the entries may be kept as long as it stays the same.
    std::uint64_t Version() const { return version_; }
    // Throws the collection's bad-index Text outside 0..EntryCount()-1.
    const AlphaRule& Entry(std::int32_t index) const;

    // Lookup bisects the entries each time instead of reading the index made when loading.
    bool plain = false;

private:
    void Discard();
    // The entry that bisecting the entries by signed character finds for c, or -1.
    std::int32_t Bisect(char c) const;
    // Fills index_ from the entries: called by everything that changes them.
    void Reindex();

    std::vector<AlphaRule> entries;
    std::int32_t entryCount = 0;
    std::array<std::int32_t, 256> index_ = Unindexed(); // Lookup's answer for each byte
    std::uint64_t version_ = 0;

    static std::array<std::int32_t, 256> Unindexed() {
        std::array<std::int32_t, 256> none{};
        none.fill(-1);
        return none;
    }
};
