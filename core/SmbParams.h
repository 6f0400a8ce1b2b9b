#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// One named parameter of a symbol: inline NUL-terminated cp1251 name (at most 23 bytes) and
// value (at most 11 bytes). Ordered by name, then value, as unsigned byte strings.
class SmbParams {
public:
    static constexpr std::size_t NameSize = 24;
    static constexpr std::size_t ValueSize = 12;

    char name[NameSize] = {};
    char value[ValueSize] = {};
    std::int32_t tag = 0; // set only by the compiled reader; never copied

    SmbParams() = default;
    SmbParams(const char* name, const char* value);
    SmbParams(const SmbParams& other) { *this = other; }
    virtual ~SmbParams() = default;

    virtual SmbParams& operator=(const SmbParams& other);
    virtual bool operator==(const SmbParams& other) const;
    virtual bool operator!=(const SmbParams& other) const { return !(*this == other); }
    virtual bool operator<(const SmbParams& other) const;
    virtual bool operator<=(const SmbParams& other) const;
    virtual bool operator>(const SmbParams& other) const;
    virtual bool operator>=(const SmbParams& other) const;

    // Sets name and value from texts, cut to 23 and 11 bytes.
    void SetName(const char* text, std::size_t length);
    void SetValue(const char* text, std::size_t length);

    // Reads one compiled record (name NUL, value NUL, int32 tag) at position, never past size.
    // Returns 0, or 1 when a text has no NUL within its field or the record is cut short.
    int ReadParams(const char* data, std::size_t size, std::size_t& position);

    // The order of the comparison operators as one number (below, equal or above 0), without a
    // virtual call: by name, then by value.
    int Compare(const SmbParams& other) const {
        const int byName = std::strcmp(name, other.name);
        if (byName != 0) return byName;
        return std::strcmp(value, other.value);
    }
};
