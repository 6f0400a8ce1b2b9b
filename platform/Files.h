#pragma once

#include "platform/Text.h"

// Paths are Text like everything else. A path that is well-formed UTF-8 (ASCII included) is used
// as it is; any other path is taken as cp1251 and converted to UTF-8 for the file system.
namespace platform {

// True when path names an existing regular file (or a link to one).
bool FileExists(const Text& path);

// Reads an existing file whole. Returns false (contents emptied) when it is missing,
// is not a regular file or cannot be read.
bool ReadWholeFile(const Text& path, Text& contents);

// Appends bytes to a file, creating it when missing. Returns false on failure.
bool AppendToFile(const Text& path, const Text& bytes);

// Replaces the file's contents by bytes, creating it when missing. Returns false on failure.
bool WriteWholeFile(const Text& path, const Text& bytes);

} // namespace platform
