#pragma once

#include "platform/Text.h"

namespace platform {

bool FileExists(const Text& path);

// Reads an existing file whole. Returns false (contents emptied) when it is missing,
// is not a regular file or cannot be read.
bool ReadWholeFile(const Text& path, Text& contents);

// Appends bytes to a file, creating it when missing. Returns false on failure.
bool AppendToFile(const Text& path, const Text& bytes);

} // namespace platform
