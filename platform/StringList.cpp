#include "platform/StringList.h"

#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/SystemTexts.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform {
namespace {

[[noreturn]] void ThrowBadIndex(int index) {
    throw std::out_of_range(texts::BadIndex() + std::to_string(index));
}

} // namespace

const Text& StringList::operator[](int index) const {
    if (index < 0 || index >= Count()) ThrowBadIndex(index);
    return lines_[static_cast<std::size_t>(index)].text;
}

std::intptr_t StringList::Object(int index) const {
    if (index < 0 || index >= Count()) ThrowBadIndex(index);
    return lines_[static_cast<std::size_t>(index)].object;
}

void StringList::SetObject(int index, std::intptr_t value) {
    if (index < 0 || index >= Count()) ThrowBadIndex(index);
    lines_[static_cast<std::size_t>(index)].object = value;
}

void StringList::SetSorted(bool sorted) {
    if (sorted && !sorted_) Sort();
    sorted_ = sorted;
}

int StringList::Add(const Text& line, std::intptr_t object) {
    if (!sorted_) {
        lines_.push_back(Line{line, object});
        return Count() - 1;
    }
    int index = 0;
    if (Find(line, index)) {
        if (duplicates_ == Duplicates::Ignore) return -1;
        if (duplicates_ == Duplicates::Error) throw std::runtime_error(texts::DuplicateStrings());
    }
    shifted_ += static_cast<std::uint64_t>(Count() - index);
    lines_.insert(lines_.begin() + index, Line{line, object});
    return index;
}

void StringList::Insert(int index, const Text& line, std::intptr_t object) {
    if (index < 0 || index > Count()) ThrowBadIndex(index);
    if (sorted_) throw std::logic_error("Insert into a sorted StringList");
    shifted_ += static_cast<std::uint64_t>(Count() - index);
    lines_.insert(lines_.begin() + index, Line{line, object});
}

void StringList::Delete(int index) {
    if (index < 0 || index >= Count()) ThrowBadIndex(index);
    shifted_ += static_cast<std::uint64_t>(Count() - index - 1);
    lines_.erase(lines_.begin() + index);
}

void StringList::Clear() {
    lines_.clear();
}

void StringList::AddStrings(const StringList& other) {
    if (&other == this) {
        const StringList copy(other);
        AddStrings(copy);
        return;
    }
    for (const Line& line : other.lines_)
        Add(line.text, line.object);
}

bool StringList::Find(const Text& line, int& index) const {
    if (!sorted_) {
        for (index = 0; index < Count(); ++index)
            if (AnsiCompareText(lines_[static_cast<std::size_t>(index)].text, line) == 0)
                return true;
        return false;
    }
    // A line after the last one goes at the end: lines added in order cost one comparison.
    if (!lines_.empty() && AnsiCompareText(lines_.back().text, line) < 0) {
        index = Count();
        return false;
    }
    auto it =
        std::lower_bound(lines_.begin(), lines_.end(), line, [](const Line& l, const Text& t) {
            return AnsiCompareText(l.text, t) < 0;
        });
    index = static_cast<int>(it - lines_.begin());
    return it != lines_.end() && AnsiCompareText(it->text, line) == 0;
}

int StringList::IndexOf(const Text& line) const {
    int index = 0;
    return Find(line, index) ? index : -1;
}

void StringList::Sort() {
    std::stable_sort(lines_.begin(), lines_.end(), [](const Line& a, const Line& b) {
        return AnsiCompareText(a.text, b.text) < 0;
    });
}

bool StringList::LoadFromFile(const Text& path) {
    Text contents;
    if (!ReadWholeFile(path, contents)) {
        Clear();
        return false;
    }
    SetText(contents);
    return true;
}

bool StringList::SaveToFile(const Text& path) const {
    Text contents;
    for (const Line& line : lines_) {
        contents += line.text;
        contents += "\r\n";
    }
    return WriteWholeFile(path, contents);
}

void StringList::SetText(const Text& text) {
    Clear();
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c != '\r' && c != '\n') {
            ++pos;
            continue;
        }
        Add(text.substr(start, pos - start));
        ++pos;
        if (c == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
        start = pos;
    }
    if (start < text.size()) Add(text.substr(start));
}

} // namespace platform
