#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

// Runs each test inside its own empty temporary directory, the one the loaders read from.
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("qm_analysis_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" +
                info->name());
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    static void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

// Alphabet text where every byte of letters stands for itself.
inline std::string Letters(const std::string& letters) {
    std::string text;
    for (const char c : letters)
        text += std::string(1, c) + "=" + c + "\r\n---\r\n";
    return text;
}

// Builder of compiled images.
struct Image {
    std::string bytes;

    Image& Raw(const std::string& s) {
        bytes += s;
        return *this;
    }
    Image& Int(std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    Image& Zero(const std::string& s) { return Raw(s).Raw(std::string(1, '\0')); }
    // One "alfa" entry: character, then the symbol record with at most one parameter.
    Image& Letter(char c, std::uint32_t code, std::int32_t extra = 0, const char* name = nullptr,
                  const char* value = nullptr) {
        Raw(std::string(1, c)).Int(static_cast<std::int32_t>(code)).Int(extra);
        if (name == nullptr) return Int(0);
        return Int(1).Zero(name).Zero(value).Int(0);
    }
    // A "syla" block with the same pair in every table entry.
    Image& Syla(std::int32_t stress, const std::string& vowels, std::int32_t prefixes,
                std::int32_t suffixes) {
        Raw("syla").Raw("\x07").Int(stress).Int(static_cast<std::int32_t>(vowels.size()));
        Raw(vowels).Int(prefixes);
        for (std::int32_t i = 0; i < prefixes; ++i)
            Zero("un").Zero("un-");
        Int(suffixes);
        for (std::int32_t i = 0; i < suffixes; ++i)
            Zero("gni").Zero("gni");
        return *this;
    }
};
