#include "platform/Location.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

std::string ModuleFile() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&ModuleFile), &info) == 0 || !info.dli_fname)
        return std::string();
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::string(info.dli_fname) : path.string();
}

std::string ProgramFile() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace platform
