#include "facade/TextEdges.h"

namespace {

using platform::CodePage;

bool IsInvisible(char32_t cp) {
    return cp == 0x00AD || (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E) ||
           cp == 0x2060 || (cp >= 0x2066 && cp <= 0x2069) || cp == 0xFEFF || cp == 0x061C ||
           cp == 0x180E;
}

bool IsBlank(char32_t cp) {
    return cp == '\t' || cp == '\n' || cp == '\v' || cp == '\f' || cp == '\r' || cp == 0x85 ||
           cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 ||
           cp == 0x2029 || cp == 0x202F || cp == 0x205F || cp == 0x3000;
}

bool IsMark(char32_t cp) {
    return cp >= 0x0300 && cp <= 0x036F;
}

} // namespace

TextEdges::TextEdges(CodePage page, const Alphabet& alphabet) : page_(page) {
    for (int b = 0; b < 256; ++b)
        letters_[static_cast<std::size_t>(b)] = alphabet.Lookup(static_cast<char>(b)) >= 0;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const bool control = b < 0x20 || b == 0x7F;
        direct_[byte] = letters_[byte] ||
                        (!control && platform::CharOf(byte, page) != 0xFFFD &&
                         platform::CharOf(byte, page) == platform::CharOf(byte, CodePage::Cp1251));
    }
    for (char32_t cp = 0; cp < fast_.size(); ++cp) {
        fast_[cp] = -1;
        if (cp < 0x20 || cp == 0x7F || IsInvisible(cp) || IsBlank(cp) || IsMark(cp) || cp == 0x02BC)
            continue;
        const int byte = platform::ByteOf(cp, page);
        if (byte >= 0 && direct_[static_cast<unsigned char>(byte)])
            fast_[cp] = static_cast<std::int16_t>(byte);
    }
    for (int b = 0; b < 256; ++b) {
        std::string bytes;
        platform::AppendUtf8(bytes, platform::CharOf(static_cast<unsigned char>(b), CodePage::Cp1251));
        utf8Size_[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(bytes.size());
        for (std::size_t k = 0; k < bytes.size(); ++k)
            utf8_[static_cast<std::size_t>(b)][k] = bytes[k];
    }
    const int typographic = platform::ByteOf(0x2019, page);
    if (typographic >= 0 && letters_[static_cast<unsigned char>(typographic)])
        apostrophe_ = typographic;
    else if (letters_[static_cast<unsigned char>('\'')])
        apostrophe_ = '\'';
}

bool TextEdges::IsLetter(char32_t cp) const {
    const int byte = platform::ByteOf(cp, page_);
    return byte >= 0 && letters_[static_cast<unsigned char>(byte)];
}

void TextEdges::PassThrough(const std::string& typed) {
    bytes_ += Placeholder;
    passed_.push_back(typed);
    lastLetter_ = 0;
    lastPassed_ = true;
}

void TextEdges::Emit(char32_t cp, const std::string& typed) {
    lastPassed_ = false;
    const int byte = platform::ByteOf(cp, page_);
    if (byte >= 0 && direct_[static_cast<unsigned char>(byte)]) {
        bytes_ += static_cast<char>(byte);
        lastLetter_ = cp;
        return;
    }
    // A letter the alphabet lacks reads as the first letter it is built on that it has.
    char32_t base = cp;
    for (int step = 0; step < 4; ++step) {
        base = platform::BaseLetter(base);
        if (base == 0) break;
        const int folded = platform::ByteOf(base, page_);
        if (folded >= 0 && letters_[static_cast<unsigned char>(folded)]) {
            bytes_ += static_cast<char>(folded);
            lastLetter_ = cp;
            return;
        }
    }
    PassThrough(typed);
}

const Text& TextEdges::In(const std::string& utf8) {
    bytes_.clear();
    passed_.clear();
    lastLetter_ = 0;
    lastPassed_ = false;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (lead >= 0x20 && lead < 0x7F) {
            // Printable ASCII: the same byte in every code page, taken a run at a time.
            std::size_t end = pos + 1;
            while (end < utf8.size() && static_cast<unsigned char>(utf8[end] - 0x20) < 0x5F)
                ++end;
            bytes_.append(utf8, pos, end - pos);
            lastLetter_ = static_cast<unsigned char>(utf8[end - 1]);
            lastPassed_ = false;
            pos = end;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF && pos + 1 < utf8.size()) {
            // A well-formed two-byte character the table has a byte for (Latin, Cyrillic).
            const auto trail = static_cast<unsigned char>(utf8[pos + 1]);
            if ((trail & 0xC0) == 0x80) {
                const char32_t cp = static_cast<char32_t>((lead & 0x1F) << 6 | (trail & 0x3F));
                const std::int16_t byte = fast_[cp];
                if (byte >= 0) {
                    bytes_ += static_cast<char>(byte);
                    lastLetter_ = cp;
                    lastPassed_ = false;
                    pos += 2;
                    continue;
                }
            }
        }
        const std::size_t begin = pos;
        char32_t cp = 0;
        if (!platform::DecodeUtf8(utf8, pos, cp)) {
            PassThrough("\xEF\xBF\xBD"); // U+FFFD for what is not UTF-8
            continue;
        }
        if (IsInvisible(cp)) continue;
        if (cp == '\r' && pos < utf8.size() && utf8[pos] == '\n') ++pos; // CR LF: one blank
        if (IsBlank(cp)) cp = ' ';
        if (cp == 0x2010 || cp == 0x2011) cp = '-';
        if (cp == 0x02BC) cp = 0x2019;
        if ((cp == 0x2018 || cp == 0x2019) && apostrophe_ >= 0 && !IsLetter(cp)) {
            bytes_ += static_cast<char>(apostrophe_);
            lastLetter_ = 0;
            lastPassed_ = false;
            continue;
        }
        if (IsMark(cp)) {
            if (lastPassed_) {
                passed_.back() += utf8.substr(begin, pos - begin);
                continue;
            }
            if (lastLetter_ != 0) {
                // The mark joins the letter before it; a join the page cannot hold reads as the
                // letter alone.
                const char32_t joined = platform::Composed(lastLetter_, cp);
                if (joined != 0) {
                    bytes_.pop_back();
                    std::string typed;
                    platform::AppendUtf8(typed, joined);
                    Emit(joined, typed);
                }
                continue;
            }
        }
        std::string typed;
        platform::AppendUtf8(typed, cp);
        Emit(cp, typed);
    }
    return bytes_;
}

std::string TextEdges::Out(const Text& variant) const {
    std::string out;
    out.reserve(variant.size() * 2);
    AppendOut(variant, out);
    return out;
}

void TextEdges::AppendOut(const Text& variant, std::string& out) const {
    // Room for the longest form (three bytes a byte) first, cut to what was written after.
    const std::size_t start = out.size();
    out.resize(start + 3 * variant.size());
    char* at = &out[start];
    std::size_t next = 0;
    for (char c : variant) {
        if (c == Placeholder && next < passed_.size()) {
            const std::string& typed = passed_[next++];
            const std::size_t written = static_cast<std::size_t>(at - &out[start]);
            out.resize(start + written);
            out += typed;
            const std::size_t resumed = out.size();
            out.resize(resumed + 3 * variant.size());
            at = &out[resumed];
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        const std::array<char, 3>& bytes = utf8_[byte];
        at[0] = bytes[0];
        at[1] = bytes[1];
        at[2] = bytes[2];
        at += utf8Size_[byte];
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
}
