#pragma once

#include "engine/TransCriber.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Builds engines from rule lines and renders their variants for comparison.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("qm_engine_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        previous_ = platform::SetMessageHandler([this](const Text& text, const Text& caption) {
            messages.push_back(caption + ": " + text);
        });
    }
    void TearDown() override {
        platform::SetMessageHandler(previous_);
        std::filesystem::remove_all(dir_);
    }

    // Loads rule lines (cp1251) into the engine; no message may be shown.
    void Rules(const std::vector<std::string>& lines) {
        const auto path = dir_ / "rules.lin";
        std::ofstream f(path, std::ios::binary);
        for (const auto& l : lines)
            f << l << "\r\n";
        f.close();
        engine.LoadRules(path.string(), 0);
        ASSERT_TRUE(messages.empty()) << messages.front();
    }

    // One symbol per byte.
    static std::vector<Symbol> Input(const std::string& bytes) {
        std::vector<Symbol> in;
        for (char c : bytes)
            in.emplace_back(static_cast<unsigned char>(c));
        return in;
    }

    // Each variant as text: the low byte of every code, parameters in braces.
    std::vector<std::string> Run(const std::vector<Symbol>& in) {
        SymbolCollection* variants = nullptr;
        std::int32_t count = -1;
        EXPECT_EQ(engine.TranscribeSymbols(in.data(), static_cast<std::uint32_t>(in.size()),
                                           variants, count),
                  1);
        std::vector<std::string> out;
        for (std::int32_t k = 0; k < count; ++k)
            out.push_back(Render(variants[k]));
        lastCodes.clear();
        if (count > 0)
            for (std::int32_t i = 0; i < variants[0].Count(); ++i)
                lastCodes.push_back(variants[0][i].code);
        delete[] variants;
        return out;
    }

    static std::string Render(const SymbolCollection& seq) {
        std::string s;
        for (std::int32_t i = 0; i < seq.Count(); ++i) {
            s += static_cast<char>(seq[i].code & 0xFF);
            if (seq[i].params.Count() > 0) {
                s += '{';
                for (std::int32_t p = 0; p < seq[i].params.Count(); ++p) {
                    if (p) s += ',';
                    s += seq[i].params[p].name;
                    s += '=';
                    s += seq[i].params[p].value;
                }
                s += '}';
            }
        }
        return s;
    }

    TransCriber engine;
    std::vector<std::string> messages;
    std::vector<std::uint32_t> lastCodes; // codes of the first variant of the last run
    std::filesystem::path dir_;

private:
    platform::MessageHandler previous_;
};

using Variants = std::vector<std::string>;
