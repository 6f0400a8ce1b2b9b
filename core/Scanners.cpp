#include "core/Scanners.h"

namespace {

constexpr char CR = 13;
constexpr char LF = 10;

bool IsLineEnd(char c) {
    return c == CR || c == LF;
}

} // namespace

void SkipLine(const char* text, std::size_t& position, std::size_t length) {
    while (position < length && !IsLineEnd(text[position]))
        ++position;
    if (position >= length) {
        position = length;
        return;
    }
    if (text[position] == CR) {
        ++position;
        if (position < length && text[position] == LF) ++position;
    } else {
        ++position;
    }
}

std::size_t CopyUntil(const char* text, std::size_t& position, std::size_t length, char* dest,
                      char stop, std::size_t limit) {
    std::size_t copied = 0;
    while (position < length && text[position] != stop && copied < limit)
        dest[copied++] = text[position++];
    dest[copied] = '\0';
    return copied;
}

void ReadParamBlock(const char* text, std::size_t& position, std::size_t length,
                    SmbParamCollection& set) {
    while (position < length && text[position] != '-') {
        std::size_t start = position;
        while (position < length && text[position] != '=' && !IsLineEnd(text[position]))
            ++position;
        if (position < length && text[position] == '=') {
            SmbParams pair;
            pair.SetName(text + start, position - start);
            ++position;
            start = position;
            while (position < length && !IsLineEnd(text[position]))
                ++position;
            pair.SetValue(text + start, position - start);
            if (set.Count() < Symbol::MaxParams) set.Add(&pair);
        }
        SkipLine(text, position, length);
    }
    SkipLine(text, position, length);
}

std::size_t ReadParamList(const char* text, std::size_t position, std::size_t length,
                          SmbParamCollection& set) {
    while (position < length && text[position] != ']' && text[position] != ';') {
        if (text[position] == ',') ++position;
        std::size_t start = position;
        while (position < length && text[position] != '=' && text[position] != ';' &&
               text[position] != ']')
            ++position;
        if (position >= length || text[position] != '=') break;
        SmbParams pair;
        pair.SetName(text + start, position - start);
        ++position;
        start = position;
        while (position < length && text[position] != ';' && text[position] != ',' &&
               text[position] != ']')
            ++position;
        pair.SetValue(text + start, position - start);
        if (set.Count() < Symbol::MaxParams) set.Add(&pair);
    }
    return position;
}
