#pragma once

#include "platform/Text.h"

#include <cstdint>
#include <vector>

namespace platform {

// Ordered lines of Text, one associated integer per line, with an optional sorted mode that
// compares by AnsiCompareText and keeps its order by binary-search insertion.
class StringList {
public:
    enum class Duplicates { Ignore, Accept, Error };

    int Count() const { return static_cast<int>(lines_.size()); }
    const Text& operator[](int index) const; // throws std::out_of_range outside 0..Count-1
    const Text& Get(int index) const { return (*this)[index]; }
    std::intptr_t Object(int index) const; // the associated integer
    void SetObject(int index, std::intptr_t value);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted); // switching on sorts the present lines
    Duplicates DuplicatesMode() const { return duplicates_; }
    void SetDuplicates(Duplicates mode) { duplicates_ = mode; }

    // Appends, or in sorted mode inserts at the sorted position. Returns the index, or -1 when
    // a sorted list with duplicates ignored already holds an equal line. With Error mode an
    // equal line throws std::runtime_error.
    int Add(const Text& line, std::intptr_t object = 0);
    // Inserts before index (0..Count; Count appends), else throws std::out_of_range. A sorted
    // list takes new lines only through Add: Insert throws std::logic_error there.
    void Insert(int index, const Text& line, std::intptr_t object = 0);
    void Delete(int index);
    // Lines moved by inserting or deleting before them, since construction: the cost of
    // editing a long list in place.
    std::uint64_t Shifted() const { return shifted_; }
    void Clear();
    // Appends every line of other (with its integer) through Add.
    void AddStrings(const StringList& other);

    // Sorted lists: binary search; index is the first match or the insertion position.
    // Unsorted lists: linear search; index is the first match or Count.
    bool Find(const Text& line, int& index) const;
    // Index of the first equal line (binary search when sorted), or -1.
    int IndexOf(const Text& line) const;
    void Sort();

    // Replaces the contents by the file's lines (split at CR LF, LF or CR; a final line end
    // adds no empty line). Returns false, leaving the list empty, when the file cannot be read.
    bool LoadFromFile(const Text& path);
    // Writes every line followed by CR LF. Returns false when the file cannot be written.
    bool SaveToFile(const Text& path) const;
    // Splits a whole text into lines the way LoadFromFile does (replacing the contents). Lines
    // go in through Add, so a sorted list stays sorted and applies its duplicates mode.
    void SetText(const Text& text);

private:
    struct Line {
        Text text;
        std::intptr_t object = 0;
    };
    std::vector<Line> lines_;
    bool sorted_ = false;
    Duplicates duplicates_ = Duplicates::Ignore;
    std::uint64_t shifted_ = 0;
};

} // namespace platform
