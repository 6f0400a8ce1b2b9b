#include "cli/CliRunner.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // RunCli flushes each answer once no further input is waiting; reading need not flush.
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cin, std::cout, std::cerr);
}
