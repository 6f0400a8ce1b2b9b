#pragma once

#include <string>

// Where the running code lives on disk.
namespace platform {

// The file of the loaded module (shared library, Python module or program) this code was
// linked into; empty when it cannot be told.
std::string ModuleFile();

// The running program's file; empty when it cannot be told.
std::string ProgramFile();

// The value of an environment variable; empty when unset.
std::string Environment(const char* name);

} // namespace platform
