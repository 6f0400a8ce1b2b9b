#pragma once

#include <quillomorph/quillomorph.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillomorph {

// Transcriber::Transcribe for a front end that writes the variants out at once: appends them
// to out, separated by TAB, instead of returning them one string each, so that a reused out
// costs no allocation; at most `most` of them, in the order asked for. Returns the number
// written. Not part of the library's API.
std::size_t TranscribeInto(Transcriber& transcriber, std::string_view utf8, std::string& out,
                           Order order = Order::Sorted, std::size_t most = SIZE_MAX);

} // namespace quillomorph
