#pragma once

#include "platform/Text.h"

#include <string>

// Paths are Text like everything else. A path that is well-formed UTF-8 (ASCII included) is used
// as it is; any other path is taken as cp1251 and converted to UTF-8 for the file system.
// A relative path is taken from the calling thread's base folder when one is set (see
// BaseFolder), else from the working directory.
namespace platform {

// Sets the calling thread's base folder for relative paths while the object lives (an empty
// folder: the working directory), restoring the one before when it goes.
class BaseFolder {
public:
    explicit BaseFolder(const std::string& folder);
    // The same without a copy: folder must outlive the object.
    struct Borrowed {};
    BaseFolder(const std::string& folder, Borrowed);
    ~BaseFolder();
    BaseFolder(const BaseFolder&) = delete;
    BaseFolder& operator=(const BaseFolder&) = delete;

private:
    std::string own_;
    const std::string* previous_;
};

// True when path names an existing regular file (or a link to one).
bool FileExists(const Text& path);

// Reads an existing file whole. Returns false (contents emptied) when it is missing,
// is not a regular file or cannot be read.
bool ReadWholeFile(const Text& path, Text& contents);

// Writing never follows a symbolic link in the last part of the path and never waits on a
// FIFO or device: such a file is not written, and the call returns false.
// Appends bytes to a file, creating it when missing. Returns false on failure.
bool AppendToFile(const Text& path, const Text& bytes);

// Replaces the file's contents by bytes, creating it when missing. Returns false on failure.
bool WriteWholeFile(const Text& path, const Text& bytes);

} // namespace platform
