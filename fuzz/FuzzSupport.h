#pragma once

// Helpers shared by the fuzz targets: a private scratch directory for the files the readers
// open, silent message boxes, and the splitting of one fuzz input into several files.

#include "core/Symbol.h"
#include "engine/TransCriber.h"
#include "platform/Messages.h"
#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fuzz {

// A directory of its own under the system's temporary directory, removed when the process
// ends normally. Paths handed to the readers are absolute, so the working directory (where
// libFuzzer writes its corpus and artifacts) is never changed.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The absolute name of a file in the directory, as a Text for the readers.
    Text File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline ScratchDir& Scratch() {
    static ScratchDir dir;
    return dir;
}

// Writes bytes to name, replacing it; a failed write is a broken fuzzing set-up.
inline void WriteFile(const Text& name, const char* data, std::size_t size) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
    out.close();
    if (!out) std::abort();
}

inline void WriteFile(const Text& name, const std::string& bytes) {
    WriteFile(name, bytes.data(), bytes.size());
}

// Message boxes would write to standard error for every faulty rule line: keep them quiet.
inline void SilenceMessages() {
    platform::SetMessageHandler([](const Text&, const Text&) {});
}

// Cuts the input at its first count - 1 NUL bytes into count parts (missing parts are empty).
// Language files never hold NUL, so a seed is simply the files joined by NUL bytes.
inline std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size,
                                           std::size_t count) {
    std::vector<std::string> parts(count);
    const char* bytes = reinterpret_cast<const char*>(data);
    std::size_t part = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < size && part + 1 < count; ++i) {
        if (bytes[i] != '\0') continue;
        parts[part++].assign(bytes + start, i - start);
        start = i + 1;
    }
    parts[part].assign(bytes + start, size - start);
    return parts;
}

// Rule sets the fuzzer makes up meet the bounds of a run at a smaller scale, so that one input
// stays a fraction of a second under the sanitizers; the bounds themselves work the same way.
inline void SmallRunBounds(TransCriber& engine) {
    engine.variantSymbolLimit = std::int64_t{1} << 12;
    engine.comparisonLimit = std::uint64_t{1} << 16;
}

// A finding of our own: the reader broke an invariant that its callers rely on.
[[noreturn]] inline void Violation(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace fuzz
