// The alphabet text file reader: any bytes as KEY.alf, then the sort and the lookups that word
// analysis relies on.

#include "FuzzSupport.h"

#include "analysis/Alphabet.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Text name = fuzz::Scratch().File("alphabet.alf");
    fuzz::WriteFile(name, reinterpret_cast<const char*>(data), size);

    Alphabet alphabet;
    const std::int32_t loaded = alphabet.LoadAlphabetFile(name);
    alphabet.SortByCharacter();
    if (loaded != alphabet.EntryCount()) fuzz::Violation("load result is not the entry count");

    // Sorted by signed character, and every character that is present is found.
    bool present[256] = {};
    for (std::int32_t i = 0; i < alphabet.EntryCount(); ++i) {
        const char c = alphabet.Entry(i).character;
        present[static_cast<unsigned char>(c)] = true;
        if (i > 0 && alphabet.Entry(i - 1) > c) fuzz::Violation("entries out of order");
    }
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::int32_t k = alphabet.Lookup(c);
        if (k >= 0 && !(alphabet.Entry(k) == c)) fuzz::Violation("lookup found another letter");
        if ((k >= 0) != present[b]) fuzz::Violation("lookup misses a letter");
    }

    // Turning the file's own bytes into symbols counts exactly the letters among them.
    const Text text(reinterpret_cast<const char*>(data), size < 256 ? size : 256);
    std::vector<Symbol> symbols;
    const auto letters = std::count_if(text.begin(), text.end(), [&present](char c) {
        return present[static_cast<unsigned char>(c)];
    });
    if (alphabet.ToSymbols(text, symbols) != letters || symbols.size() != text.size())
        fuzz::Violation("ToSymbols count");
    return 0;
}
