#pragma once

#include <cstddef>
#include <cstdint>

// Reads a little-endian 32-bit integer at position and advances past it. Returns false,
// leaving position unchanged, when fewer than 4 bytes remain.
inline bool ReadInt32(const char* data, std::size_t size, std::size_t& position,
                      std::int32_t& out) {
    if (position > size || size - position < 4) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(data + position);
    const std::uint32_t v =
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    out = static_cast<std::int32_t>(v);
    position += 4;
    return true;
}

inline bool ReadUInt32(const char* data, std::size_t size, std::size_t& position,
                       std::uint32_t& out) {
    std::int32_t v = 0;
    if (!ReadInt32(data, size, position, v)) return false;
    out = static_cast<std::uint32_t>(v);
    return true;
}
