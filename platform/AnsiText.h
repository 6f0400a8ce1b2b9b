#pragma once

#include "platform/Text.h"

// Text helpers for cp1251 as a Russian user locale has them.
namespace platform {

// Case-insensitive comparison: <0, 0 or >0. Order: other characters, digits, Latin letters,
// Cyrillic letters (alphabetical, ё right after е). Equal only when equal ignoring case.
int AnsiCompareText(const Text& a, const Text& b);

// A key whose order as bytes (a key that is a beginning of another sorts first) is the order
// of AnsiCompareText: each byte's sort weight as two bytes, high first. Equal keys are equal
// ignoring case. Sorting many lines by their keys saves comparing them again and again.
Text AnsiSortKey(const Text& s);

// Upper-cases Latin and Cyrillic letters (ё to Ё included); other bytes stay as they are.
Text AnsiUpperCase(const Text& s);

// Drops bytes <= 32 at both ends.
Text Trim(const Text& s);

// 1-based position of the last byte of s that occurs in delimiters; 0 when there is none.
int LastDelimiter(const Text& delimiters, const Text& s);

} // namespace platform
