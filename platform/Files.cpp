#include "platform/Files.h"

#include "platform/CodePage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {
namespace {

thread_local const std::string* baseFolder = nullptr; // null or empty: the working directory

std::filesystem::path NativePath(const Text& path) {
    std::filesystem::path native(IsValidUtf8(path) ? path : ToUtf8(path, CodePage::Cp1251));
    if (baseFolder && !baseFolder->empty() && native.is_relative())
        return std::filesystem::path(*baseFolder) / native;
    return native;
}

bool IsRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Opens without following a final symbolic link and without blocking on a FIFO, then writes
// only to a regular file.
bool Write(const Text& path, const Text& bytes, bool append) {
    if (path.empty()) return false;
    const int flags =
        O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (append ? O_APPEND : 0);
    const int fd = ::open(NativePath(path).c_str(), flags, 0666);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && !append) ok = ::ftruncate(fd, 0) == 0;
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t written = ::write(fd, at, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            ok = false;
            break;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::close(fd) != 0) ok = false;
    return ok;
}

} // namespace

BaseFolder::BaseFolder(const std::string& folder) : own_(folder), previous_(baseFolder) {
    baseFolder = &own_;
}

BaseFolder::BaseFolder(const std::string& folder, Borrowed) : previous_(baseFolder) {
    baseFolder = &folder;
}

BaseFolder::~BaseFolder() {
    baseFolder = previous_;
}

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
    return Write(path, bytes, true);
}

bool WriteWholeFile(const Text& path, const Text& bytes) {
    return Write(path, bytes, false);
}

} // namespace platform
