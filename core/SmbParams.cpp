#include "core/SmbParams.h"

#include "core/Binary.h"

#include <cstring>

SmbParams::SmbParams(const char* n, const char* v) {
    SetName(n, std::strlen(n));
    SetValue(v, std::strlen(v));
}

SmbParams& SmbParams::operator=(const SmbParams& other) {
    std::memcpy(name, other.name, NameSize);
    std::memcpy(value, other.value, ValueSize);
    return *this;
}

bool SmbParams::operator==(const SmbParams& other) const {
    return Compare(other) == 0;
}
bool SmbParams::operator<(const SmbParams& other) const {
    return Compare(other) < 0;
}
bool SmbParams::operator<=(const SmbParams& other) const {
    return Compare(other) <= 0;
}
bool SmbParams::operator>(const SmbParams& other) const {
    return Compare(other) > 0;
}
bool SmbParams::operator>=(const SmbParams& other) const {
    return Compare(other) >= 0;
}

namespace {

void CopyCut(char* field, std::size_t fieldSize, const char* text, std::size_t length) {
    const std::size_t n = length < fieldSize - 1 ? length : fieldSize - 1;
    std::memcpy(field, text, n);
    std::memset(field + n, 0, fieldSize - n);
}

// Copies bytes up to a NUL into field; false when no NUL comes within the field or the data.
bool ReadZeroEnded(const char* data, std::size_t size, std::size_t& position, char* field,
                   std::size_t fieldSize) {
    std::size_t copied = 0;
    while (position < size && data[position] != '\0' && copied < fieldSize)
        field[copied++] = data[position++];
    if (copied == fieldSize || position >= size) {
        field[fieldSize - 1] = '\0';
        return false;
    }
    field[copied] = '\0';
    ++position; // the NUL
    return true;
}

} // namespace

void SmbParams::SetName(const char* text, std::size_t length) {
    CopyCut(name, NameSize, text, length);
}

void SmbParams::SetValue(const char* text, std::size_t length) {
    CopyCut(value, ValueSize, text, length);
}

int SmbParams::ReadParams(const char* data, std::size_t size, std::size_t& position) {
    if (!ReadZeroEnded(data, size, position, name, NameSize)) return 1;
    if (!ReadZeroEnded(data, size, position, value, ValueSize)) return 1;
    std::int32_t t = 0;
    if (!ReadInt32(data, size, position, t)) return 1;
    tag = t;
    return 0;
}
