#include "cli/CliRunner.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // RunCli flushes each answer once no further input is waiting; reading need not flush.
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = RunCli(args, std::cin, std::cout, std::cerr, true);
    // A helper thread may still be opening a language it was not needed for: the process
    // ends without waiting for it, once everything written is out.
    std::cout.flush();
    if (!std::cout && status == 0) status = 4;
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}
