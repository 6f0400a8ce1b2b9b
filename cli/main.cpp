#include "cli/CliRunner.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // RunCli flushes each answer once no further input is waiting; reading need not flush.
    std::cin.tie(nullptr);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec) exe = argc > 0 ? argv[0] : "";
    return RunCli(args, std::cin, std::cout, std::cerr, exe);
}
