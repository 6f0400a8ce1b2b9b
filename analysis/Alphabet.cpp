#include "analysis/Alphabet.h"

#include "core/Binary.h"
#include "core/Scanners.h"
#include "platform/Files.h"
#include "platform/SystemTexts.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kIgnoredHeaderBytes = 7;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Number of "---" groups; a group's three dashes are not counted again.
std::int32_t CountSeparators(const Text& text) {
    std::int32_t count = 0;
    std::size_t i = 0;
    while (i + 2 < text.size()) {
        if (text[i] == '-' && text[i + 1] == '-' && text[i + 2] == '-') {
            ++count;
            i += 3;
        } else {
            ++i;
        }
    }
    return count;
}

// The letter of a header line: its first byte, or "#" with decimal digits taken modulo 256.
char ReadLetter(const Text& text, std::size_t& position) {
    if (text[position] == '#' && position + 1 < text.size() && IsDigit(text[position + 1])) {
        unsigned value = 0;
        ++position;
        while (position < text.size() && IsDigit(text[position]))
            value = (value * 10 + static_cast<unsigned>(text[position++] - '0')) % 256;
        return static_cast<char>(value);
    }
    return text[position++];
}

// Header line: letter, up to seven ignored bytes, "=", code byte. A header whose "=" is not
// among those bytes on its own line leaves the default code.
void ReadHeader(const Text& text, std::size_t& position, AlphaRule& rule) {
    rule.character = ReadLetter(text, position);
    std::size_t skipped = 0;
    while (position < text.size() && text[position] != '=' && !IsLineEnd(text[position]) &&
           skipped < kIgnoredHeaderBytes) {
        ++position;
        ++skipped;
    }
    if (position < text.size() && text[position] == '=') {
        ++position;
        if (position < text.size()) rule.symbol.code = static_cast<unsigned char>(text[position++]);
    }
    SkipLine(text.data(), position, text.size());
}

} // namespace

void Alphabet::Discard() {
    entries.clear();
    entryCount = 0;
    Reindex();
}

void Alphabet::Reindex() {
    static std::atomic<std::uint64_t> versions{0};
    version_ = ++versions;
    for (int b = 0; b < 256; ++b)
        index_[static_cast<std::size_t>(b)] = Bisect(static_cast<char>(b));
}

const AlphaRule& Alphabet::Entry(std::int32_t index) const {
    if (index < 0 || index >= entryCount) throw Text(texts::BadIndex() + std::to_string(index));
    return entries[static_cast<std::size_t>(index)];
}

std::int32_t Alphabet::LoadAlphabetFile(const Text& name) {
    Discard();
    Text text;
    if (!platform::ReadWholeFile(name, text)) return -1;

    const std::int32_t count = CountSeparators(text);
    entries.resize(static_cast<std::size_t>(count));
    entryCount = count;

    // The separators fix the count: text after the last entry is left unread.
    std::size_t position = 0;
    for (std::int32_t filled = 0; filled < count && position < text.size(); ++filled) {
        AlphaRule& rule = entries[static_cast<std::size_t>(filled)];
        ReadHeader(text, position, rule);
        ReadParamBlock(text.data(), position, text.size(), rule.symbol.params);
    }
    Reindex();
    return entryCount;
}

std::int32_t Alphabet::ReadAlphabetBlock(const char* data, std::size_t size,
                                         std::size_t& position) {
    if (position > size || size - position < 4 || std::memcmp(data + position, "alfa", 4) != 0)
        return 1;
    position += 4;
    Discard();
    std::int32_t n = 0;
    if (!ReadInt32(data, size, position, n)) return 1;

    // Entries are read one by one, so a count larger than the data fails at the data's end
    // instead of reserving room for it.
    for (std::int32_t i = 0; i < n; ++i) {
        AlphaRule rule;
        if (rule.ReadAlphaRule(data, size, position) != 0) {
            Discard();
            return 1;
        }
        entries.push_back(rule);
    }
    entryCount = static_cast<std::int32_t>(entries.size());
    Reindex();
    return 0;
}

void Alphabet::SortByCharacter() {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const AlphaRule& a, const AlphaRule& b) { return a < b.character; });
    Reindex();
}

std::int32_t Alphabet::Bisect(char c) const {
    if (entryCount <= 0) return -1;
    std::int32_t lo = 0;
    std::int32_t hi = entryCount;
    std::int32_t mid = hi / 2;
    for (;;) {
        const AlphaRule& entry = entries[static_cast<std::size_t>(mid)];
        if (entry == c) return mid;
        if (hi == lo + 1) return -1;
        if (entry > c)
            hi = mid;
        else
            lo = mid;
        mid = (lo + hi) / 2;
    }
}

std::int32_t Alphabet::ToSymbols(const Text& text, std::vector<Symbol>& symbols) const {
    symbols.assign(text.size(), Symbol());
    std::int32_t letters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::int32_t k = Lookup(text[i]);
        if (k == -1) {
            symbols[i].code = static_cast<std::uint32_t>(-1);
        } else {
            symbols[i] = entries[static_cast<std::size_t>(k)].symbol;
            ++letters;
        }
    }
    return letters;
}
