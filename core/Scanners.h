#pragma once

#include "core/Symbol.h"

#include <cstddef>

// Byte scanners shared by the text-file readers. Each takes the text's length and never reads
// at or past it; positions are advanced in place.

// Moves position to the start of the next line. A line ends at CR LF, a lone LF or a lone CR;
// the last line may have no end, and then position becomes length.
void SkipLine(const char* text, std::size_t& position, std::size_t length);

// Copies bytes into dest until the byte at position is stop, limit bytes are copied or the
// text ends; dest (limit + 1 bytes at least) is NUL-terminated. Returns the count copied.
std::size_t CopyUntil(const char* text, std::size_t& position, std::size_t length, char* dest,
                      char stop, std::size_t limit);

// Reads lines name=value up to a line whose first byte is '-' (or the end of the text), adds
// the pairs to set and leaves position after the closing line. Names are cut to 23 bytes,
// values to 11; a line without '=' adds nothing, nor does a pair once set holds
// Symbol::MaxParams.
void ReadParamBlock(const char* text, std::size_t& position, std::size_t length,
                    SmbParamCollection& set);

// Reads pairs ",name=value" from position up to ';', ']' or the end of the text, adds them to
// set and returns the position where the list ended. Names are cut to 23 bytes and values to
// 11; a name that reaches ';', ']' or the end without '=' adds nothing, nor does a pair once
// set holds Symbol::MaxParams.
std::size_t ReadParamList(const char* text, std::size_t position, std::size_t length,
                          SmbParamCollection& set);
