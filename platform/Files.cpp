#include "platform/Files.h"

#include "platform/CodePage.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {
namespace {

std::filesystem::path NativePath(const Text& path) {
    if (IsValidUtf8(path)) return std::filesystem::path(path);
    return std::filesystem::path(ToUtf8(path, CodePage::Cp1251));
}

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool Write(const Text& path, const Text& bytes, std::ios::openmode mode) {
    if (path.empty()) return false;
    std::ofstream out(NativePath(path), std::ios::binary | mode);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

bool FileExists(const Text& path) {
    return !path.empty() && IsRegularFile(NativePath(path));
}

bool ReadWholeFile(const Text& path, Text& contents) {
    contents.clear();
    if (path.empty()) return false;
    const std::filesystem::path native = NativePath(path);
    if (!IsRegularFile(native)) return false;
    std::ifstream in(native, std::ios::binary);
    if (!in) return false;
    Text data;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return false;
    contents = std::move(data);
    return true;
}

bool AppendToFile(const Text& path, const Text& bytes) {
    return Write(path, bytes, std::ios::app);
}

bool WriteWholeFile(const Text& path, const Text& bytes) {
    return Write(path, bytes, std::ios::trunc);
}

} // namespace platform
