#pragma once

#include "platform/Text.h"

#include <cstddef>
#include <string>

// Conversion between UTF-8 and the single-byte Windows code pages the system uses.
namespace platform {

enum class CodePage { Cp1250 = 1250, Cp1251 = 1251, Cp1252 = 1252 };

// Each byte becomes its Unicode character in UTF-8; bytes the code page leaves undefined
// become U+FFFD.
std::string ToUtf8(const Text& bytes, CodePage page);
// The same, appended to out.
void AppendUtf8(std::string& out, const Text& bytes, CodePage page);
// One character appended to out as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// Each character becomes its byte in the code page. A character the page lacks becomes its
// base letter when the page has that (é -> e, ā -> a), else '?'. Invalid UTF-8 bytes become '?'.
// A combining mark (U+0300-U+036F) after a letter joins it when the page has the joined letter
// (и + U+0306 -> й in cp1251) and is dropped otherwise.
Text FromUtf8(const std::string& utf8, CodePage page);

// Decodes the character at pos and moves pos past it; false (pos past the ill-formed part)
// for an ill-formed sequence.
bool DecodeUtf8(const std::string& utf8, std::size_t& pos, char32_t& cp);
// The page's byte for cp, or -1 when the page lacks it (no base-letter fallback).
int ByteOf(char32_t cp, CodePage page);
// The character of a byte of the page (U+FFFD for an undefined byte).
char32_t CharOf(unsigned char byte, CodePage page);
// The letter cp is built on (é -> e, ł -> l), or 0.
char32_t BaseLetter(char32_t cp);
// The letter a base letter and a combining mark make (e + U+0301 -> é), or 0.
char32_t Composed(char32_t letter, char32_t mark);

// True when bytes is well-formed UTF-8 (no overlong forms, surrogates or truncated sequences).
bool IsValidUtf8(const std::string& bytes);

} // namespace platform
