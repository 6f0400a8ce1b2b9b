#include "data/tools/Utf8Case.h"

#include "platform/CodePage.h"

namespace datagen {
namespace {

// Latin Extended-A runs pairing upper and lower case as (even, odd) or (odd, even).
bool EvenUpperRun(char32_t c) {
    return (c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
}
bool OddUpperRun(char32_t c) {
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
}

} // namespace

bool DecodeUtf8(const std::string& utf8, std::u32string& out) {
    out.clear();
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (i + extra >= utf8.size() && extra > 0) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(utf8[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        static const char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        out.push_back(c);
        i += 1 + extra;
    }
    return true;
}

std::string EncodeUtf8(char32_t c) {
    std::string s;
    platform::AppendUtf8(s, c);
    return s;
}

std::string EncodeUtf8(const std::u32string& text) {
    std::string s;
    for (char32_t c : text)
        s += EncodeUtf8(c);
    return s;
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x0178) return 0xFF;
    if (EvenUpperRun(c) && c % 2 == 0) return c + 1;
    if (OddUpperRun(c) && c % 2 == 1) return c + 1;
    if (c >= 0x0410 && c <= 0x042F) return c + 32;
    if (c >= 0x0400 && c <= 0x040F) return c + 80;
    return c;
}

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x0178;
    if (EvenUpperRun(c) && c % 2 == 1) return c - 1;
    if (OddUpperRun(c) && c % 2 == 0) return c - 1;
    if (c >= 0x0430 && c <= 0x044F) return c - 32;
    if (c >= 0x0450 && c <= 0x045F) return c - 80;
    return c;
}

bool IsCased(char32_t c) {
    return ToLower(c) != c || ToUpper(c) != c;
}

bool IsUpper(char32_t c) {
    return ToLower(c) != c;
}

} // namespace datagen
