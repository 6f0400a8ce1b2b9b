#pragma once

#include <quillomorph/quillomorph.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace quillomorph {

// Transcriber::Transcribe for a front end that writes the variants out at once: appends them
// to out, separated by TAB, instead of returning them one string each, so that a reused out
// costs no allocation. Returns the number of variants. Not part of the library's API.
std::size_t TranscribeInto(Transcriber& transcriber, std::string_view utf8, std::string& out);

} // namespace quillomorph
