#pragma once

#include <string>

// UTF-8 decoding and encoding, and the letter case of the characters the code pages of the
// system can hold (Latin with its Latin-1 and Extended-A letters, Cyrillic).
namespace datagen {

// Decodes UTF-8; returns false on malformed input.
bool DecodeUtf8(const std::string& utf8, std::u32string& out);
std::string EncodeUtf8(const std::u32string& text);
std::string EncodeUtf8(char32_t c);

char32_t ToLower(char32_t c);
char32_t ToUpper(char32_t c);
// True when the character has a distinct other-case form.
bool IsCased(char32_t c);
bool IsUpper(char32_t c);

} // namespace datagen
