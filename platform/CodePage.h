#pragma once

#include "platform/Text.h"

#include <string>

// Conversion between UTF-8 and the single-byte Windows code pages the system uses.
namespace platform {

enum class CodePage { Cp1250 = 1250, Cp1251 = 1251, Cp1252 = 1252 };

// Each byte becomes its Unicode character in UTF-8; bytes the code page leaves undefined
// become U+FFFD.
std::string ToUtf8(const Text& bytes, CodePage page);

// Each character becomes its byte in the code page. A character the page lacks becomes its
// base letter when the page has that (é -> e, ā -> a), else '?'. Invalid UTF-8 bytes become '?'.
Text FromUtf8(const std::string& utf8, CodePage page);

} // namespace platform
