#include "analysis/Syllabite.h"

#include "core/Binary.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"

#include <cstring>

namespace {

constexpr std::int32_t kMaxVowels = 1000;
constexpr std::int32_t kMaxAffixes = 10000;

// Moves position past a CR LF pair, stopping at the end of data.
void SkipLineEnd(const Text& data, std::size_t& position) {
    position = position + 2 < data.size() ? position + 2 : data.size();
}

bool HasTag(const char* data, std::size_t size, std::size_t position, const char* tag) {
    return position <= size && size - position >= 4 && std::memcmp(data + position, tag, 4) == 0;
}

// A NUL-ended text at position; false when the data ends before the NUL.
bool ReadZeroEnded(const char* data, std::size_t size, std::size_t& position, Text& text) {
    const void* nul =
        position < size ? std::memchr(data + position, '\0', size - position) : nullptr;
    if (nul == nullptr) return false;
    const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
    text.assign(data + position, end - position);
    position = end + 1;
    return true;
}

// A compiled table: count, then count pairs of NUL-ended texts. Fails on a count over the
// limit or when the data ends early.
bool ReadCompiledTable(const char* data, std::size_t size, std::size_t& position,
                       platform::StringList& in, platform::StringList& out) {
    std::int32_t count = 0;
    if (!ReadInt32(data, size, position, count) || count > kMaxAffixes) return false;
    for (std::int32_t i = 0; i < count; ++i) {
        Text input;
        Text output;
        if (!ReadZeroEnded(data, size, position, input) ||
            !ReadZeroEnded(data, size, position, output))
            return false;
        in.Add(input);
        out.Add(output);
    }
    return true;
}

} // namespace

void Syllabite::LoadTextFiles(const Text& key) {
    loadedKey = key;
    vowels.clear();
    vowelCount = 0;
    prefixIn.Clear();
    prefixOut.Clear();
    suffixIn.Clear();
    suffixOut.Clear();

    Text data;
    if (platform::ReadWholeFile(key + ".syl", data) && !data.empty()) {
        // The vowel line ends at the first CR, or at the end of a file without one.
        const std::size_t count = data.find('\r') == Text::npos ? data.size() : data.find('\r');
        vowels = data.substr(0, count);
        vowelCount = static_cast<std::int32_t>(count);
        std::size_t position = count;
        SkipLineEnd(data, position);
        ReadAffixTable(prefixIn, prefixOut, data, position);
        ReadAffixTable(suffixIn, suffixOut, data, position);
    }

    alphabet.LoadAlphabetFile(key + ".alf");
    alphabet.SortByCharacter();
    LoadExceptions(key);
}

void Syllabite::ReadAffixTable(platform::StringList& in, platform::StringList& out,
                               const Text& data, std::size_t& position) {
    while (position < data.size()) {
        const std::size_t stop = data.find_first_of(" \r", position);
        const std::size_t inputEnd = stop == Text::npos ? data.size() : stop;
        const bool emptyInput = inputEnd == position;
        if (inputEnd < data.size() && data[inputEnd] == ' ') {
            const std::size_t outputStart = inputEnd + 1;
            const std::size_t cr = data.find('\r', outputStart);
            const std::size_t outputEnd = cr == Text::npos ? data.size() : cr;
            if (!emptyInput) {
                in.Add(data.substr(position, inputEnd - position));
                out.Add(data.substr(outputStart, outputEnd - outputStart));
            }
            position = outputEnd;
        } else {
            position = inputEnd;
            if (emptyInput) { // an empty line ends the table
                SkipLineEnd(data, position);
                return;
            }
        }
        SkipLineEnd(data, position);
    }
}

void Syllabite::LoadExceptions(const Text& key) {
    exceptionKeys.Clear();
    exceptionValues.Clear();
    exceptionKeys.SetSorted(false);
    exceptionKeys.SetDuplicates(platform::StringList::Duplicates::Accept);

    const Text name = key + ".ex";
    if (!platform::FileExists(name)) return;
    platform::StringList lines;
    lines.LoadFromFile(name);

    // Each line is divided into the lists in file order (a line without ";" is dropped); the
    // lines are not edited in place, which would move every later line each time.
    for (int i = 0; i < lines.Count(); ++i) {
        const Text& line = lines[i];
        const int divider = platform::LastDelimiter(";", line);
        if (divider == 0) continue;
        const Text word = line.substr(0, static_cast<std::size_t>(divider - 1));
        const Text replacement = line.substr(static_cast<std::size_t>(divider));
        const int index = exceptionValues.Add(platform::Trim(platform::AnsiUpperCase(replacement)));
        exceptionKeys.Add(platform::Trim(platform::AnsiUpperCase(word)), index);
    }
    exceptionKeys.SetSorted(true);
}

std::int32_t Syllabite::ReadSyllableSection(const char* data, std::size_t size,
                                            std::size_t& position) {
    alphabet.ReadAlphabetBlock(data, size, position);
    alphabet.SortByCharacter();

    if (!HasTag(data, size, position, "syla")) return 1;
    position += 4;
    vowels.clear();
    vowelCount = 0;
    prefixIn.Clear();
    prefixOut.Clear();
    suffixIn.Clear();
    suffixOut.Clear();

    if (position >= size) return 1;
    reserved = static_cast<std::uint8_t>(data[position++]);
    std::int32_t count = 0;
    if (!ReadInt32(data, size, position, stressPosition) || !ReadInt32(data, size, position, count))
        return 1;
    if (count > kMaxVowels) return 1;
    if (count > 0) {
        if (size - position < static_cast<std::size_t>(count)) return 1;
        vowels.assign(data + position, static_cast<std::size_t>(count));
        vowelCount = count;
        position += static_cast<std::size_t>(count);
    }

    if (!ReadCompiledTable(data, size, position, prefixIn, prefixOut) ||
        !ReadCompiledTable(data, size, position, suffixIn, suffixOut)) {
        vowels.clear();
        vowelCount = 0;
        return 1;
    }
    return 0;
}
