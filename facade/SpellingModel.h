#pragma once

#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A statistical model of Russian spelling, read from the data folder's russian.model: which
// word forms Russian has, and how likely a string of Russian letters is as a word. The ranking
// of variants (Ranking.h) asks it which of several spellings Russian would write.
//
// russian.model is made by quillomorph-modelgen (data/tools/) from a Russian spelling
// dictionary in hunspell form, every stem expanded by its affix rules. The word forms are
// taken in lower case; where the dictionary lists a form both with ё and with е, only the ё
// form is kept. Binary, little-endian:
//
//   "QMSPELL2"                   magic, 8 bytes
//   u32 order                    N of the letter N-grams (2..5)
//   u32 slots                    slots of the N-gram table, a power of two
//   u32 step                     log-probability step of the table's values, in 1/1000 nats
//   u32 bloomBits, bloomHashes   the word filter: bits (a multiple of 512) and bits per word
//   u32 words                    word forms the filter holds (for the record)
//   slots records of 5 bytes     the N-gram table, open addressing: u32 key, u8 value. An
//                                entry with key k sits in the first free record from Slot(k)
//                                on (wrapping); key 0 is free. The key is Key() of an N-gram,
//                                or of a history with HistoryBit; the value -ln p / step of an
//                                N-gram (p its smoothed probability), or -ln b / step of a
//                                history (b its back-off weight)
//   u8  bloom[bloomBits / 8]     the blocked Bloom filter of the word forms: a word sets
//                                bloomHashes bits of one block of 512 (BloomBlock() and
//                                BloomBit() of its BloomHash()); bit i of byte i / 8 at
//                                1 << (i % 8)
//
// The table is used as it lies in the file, which is mapped into memory where the system can
// (else read whole): loading costs next to nothing.
//
// The N-grams are over the symbols of Symbol(): 1 the word boundary, 2..34 the letters а..я
// and ё; a word is read as boundary, letters, boundary. The probabilities are interpolated
// Kneser-Ney estimates with one absolute discount per order (n1 / (n1 + 2 n2) of the counts
// of counts), stored in back-off form: an N-gram missing from the table takes the back-off
// weight of its history (1 when that is missing too) times the probability of its shorter
// history.
namespace spelling {

inline constexpr char Magic[] = "QMSPELL2";
inline constexpr std::size_t MagicSize = 8;
inline constexpr std::uint32_t MaxOrder = 5;
inline constexpr std::uint32_t Boundary = 1;
inline constexpr std::uint32_t SymbolCount = 34; // boundary and 33 letters
inline constexpr std::uint32_t HistoryBit = 1u << 30;

// The model's symbol of a cp1251 byte: 2..34 for а..я and ё in either case, 0 for any other
// byte (the boundary is never a byte).
constexpr std::uint32_t SymbolOf(unsigned char c) {
    return c >= 0xE0                ? 2 + (c - 0xE0u)
           : c >= 0xC0              ? 2 + (c - 0xC0u)
           : c == 0xB8 || c == 0xA8 ? 34
                                    : 0;
}
struct SymbolTable {
    std::uint8_t of[256] = {};
    constexpr SymbolTable() {
        for (int c = 0; c < 256; ++c)
            of[c] = static_cast<std::uint8_t>(SymbolOf(static_cast<unsigned char>(c)));
    }
};
inline constexpr SymbolTable Symbols{};
inline std::uint32_t Symbol(unsigned char c) {
    return Symbols.of[c];
}

// The lower-case form of a cp1251 byte that is a Russian letter (А..Я, Ё), else the byte.
constexpr unsigned char LowerOf(unsigned char c) {
    return c >= 0xC0 && c <= 0xDF ? static_cast<unsigned char>(c + 0x20) : c == 0xA8 ? 0xB8 : c;
}

// Symbols s[0..n) packed six bits each, the last lowest (n <= MaxOrder).
inline std::uint32_t Key(const std::uint32_t* s, std::size_t n) {
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < n; ++i)
        key = key << 6 | s[i];
    return key;
}

// The first slot of a key in a table of slots slots (a power of two).
inline std::uint32_t Slot(std::uint32_t key, std::uint32_t slots) {
    key ^= key >> 16;
    key *= 0x85EBCA6Bu;
    key ^= key >> 13;
    key *= 0xC2B2AE35u;
    key ^= key >> 16;
    return key & (slots - 1);
}

// FNV-1a, 64 bits, over the cp1251 bytes of a word in lower case (BloomStep() for each byte
// from BloomStart).
inline constexpr std::uint64_t BloomStart = 0xCBF29CE484222325ull;
inline std::uint64_t BloomStep(std::uint64_t h, unsigned char c) {
    return (h ^ c) * 0x100000001B3ull;
}
inline std::uint64_t BloomHash(const char* word, std::size_t size) {
    std::uint64_t h = BloomStart;
    for (std::size_t i = 0; i < size; ++i)
        h = BloomStep(h, static_cast<unsigned char>(word[i]));
    return h;
}

// The block (of 512 bits) of a word with hash h in a filter of blocks blocks, and its bit i
// (0 <= i < hashes) in that block.
inline std::uint64_t BloomBlock(std::uint64_t h, std::uint64_t blocks) {
    return (h >> 20) % blocks;
}
inline std::uint32_t BloomBit(std::uint64_t h, std::uint32_t i) {
    const std::uint32_t a = static_cast<std::uint32_t>(h) & 0x3FFu;
    const std::uint32_t b = static_cast<std::uint32_t>(h >> 10) & 0x3FFu;
    return (a + i * (b | 1u)) & 511u;
}

// Lower-cases the Russian letters of a cp1251 text (А..Я, Ё); other bytes stay.
void LowerRussian(Text& text);

} // namespace spelling

class SpellingModel {
public:
    // How Russian a text reads: unknown counts its words (runs of Russian letters) that are
    // no word form of the dictionary, logProb adds up their natural log-probabilities as
    // letter strings. A text without Russian letters rates {0, 0}.
    struct Rating {
        std::int32_t unknown = 0;
        double logProb = 0.0;
        // Better: fewer unknown words, then the likelier spelling.
        bool operator<(const Rating& other) const {
            return unknown != other.unknown ? unknown > other.unknown : logProb < other.logProb;
        }
    };

    // The model of the file at path, read once per path for the whole process and shared;
    // null when it is missing or not a model.
    static std::shared_ptr<const SpellingModel> Shared(const std::string& path);
    // Reads a model from the bytes of a file; null when they are not one.
    static std::unique_ptr<SpellingModel> FromBytes(const Text& bytes);
    static std::unique_ptr<SpellingModel> FromFile(const std::string& path);

    // With prefix and suffix, the lines rated have their first prefix and last suffix bytes
    // in common: what lies wholly within them adds the same to each, and is left out.
    Rating Rate(const Text& cp1251, std::size_t prefix = 0, std::size_t suffix = 0) const;
    // For one word of Russian letters in lower case (cp1251).
    bool Knows(const Text& word) const;
    double WordLogProb(const Text& word) const;

    std::uint32_t Order() const { return order_; }
    // Used slots of the N-gram table.
    std::size_t Entries() const;

    ~SpellingModel();
    SpellingModel(const SpellingModel&) = delete;
    SpellingModel& operator=(const SpellingModel&) = delete;

private:
    SpellingModel() = default;
    // Checks the header and the sizes of the size bytes at data and points into them.
    bool Open(const unsigned char* data, std::size_t size);
    // The same over image_, holding size bytes.
    bool OpenImage(std::size_t size);
    // The stored value of key, or -1 when the table lacks it.
    int Find(std::uint32_t key) const;
    // Knows() of the word whose BloomHash() is h.
    bool Knows(std::uint64_t h) const;
    // The steps of -ln p of the symbols first..last of word (1..size + 1: boundary, letters,
    // boundary).
    std::int64_t Steps(const char* word, std::size_t size, std::size_t first,
                       std::size_t last) const;

    std::uint32_t order_ = 0;
    double step_ = 0.0;
    std::uint64_t bloomBits_ = 0;
    std::uint32_t bloomHashes_ = 0;
    std::uint32_t slots_ = 0;
    // The file's bytes: mapped into memory (mapped_, mappedSize_), or read whole into image_.
    // records_ and bloom_ point into them.
    void* mapped_ = nullptr;
    std::size_t mappedSize_ = 0;
    std::vector<std::uint32_t> image_;
    const std::uint8_t* records_ = nullptr;
    const std::uint8_t* bloom_ = nullptr;
};
