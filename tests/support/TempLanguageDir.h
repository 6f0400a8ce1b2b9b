#pragma once

#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A temporary working directory for language files, with a recording message handler.
class TempLanguageDir : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              (std::string("qm_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        cwd_ = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        previous_ = platform::SetMessageHandler([this](const Text& text, const Text& caption) {
            messages.push_back(caption.empty() ? text : caption + ": " + text);
        });
    }
    void TearDown() override {
        platform::SetMessageHandler(previous_);
        std::filesystem::current_path(cwd_);
        std::filesystem::remove_all(dir);
    }

    // Writes bytes as they are.
    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream f(dir / name, std::ios::binary);
        f << bytes;
    }
    // Writes lines each followed by CR LF.
    void WriteLines(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines)
            bytes += l + "\r\n";
        WriteFile(name, bytes);
    }

    std::filesystem::path dir;
    std::vector<std::string> messages;

private:
    std::filesystem::path cwd_;
    platform::MessageHandler previous_;
};
