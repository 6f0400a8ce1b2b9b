#pragma once
// A test suite over one language of the shipped data folder (QM_DATA_DIR), loaded once for the
// suite with the messages it shows recorded. Language names the key and the code page its
// button gives the input in:
//   struct GermanData { static constexpr const char* key = "deutsch";
//                       static constexpr platform::CodePage page = platform::CodePage::Cp1252; };
//   using German = ShippedLanguage<GermanData>;
#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

template <class Language> class ShippedLanguage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        namespace fs = std::filesystem;
        const fs::path saved = fs::current_path();
        const platform::MessageHandler previous =
            platform::SetMessageHandler([](const Text& text, const Text&) {
                messages().push_back(platform::ToUtf8(text, platform::CodePage::Cp1251));
            });
        fs::current_path(QM_DATA_DIR);
        facade() = std::make_unique<LinearQuilloMorph>();
        facade()->LoadLanguage(platform::FromUtf8(Language::key, platform::CodePage::Cp1251));
        fs::current_path(saved);
        platform::SetMessageHandler(previous);
    }
    static void TearDownTestSuite() { facade().reset(); }

    // The variants of UTF-8 text, sorted, joined with "|".
    static std::string T(const std::string& utf8) {
        platform::StringList list;
        facade()->Transcribe(platform::FromUtf8(utf8, Language::page), list);
        std::string joined;
        for (int i = 0; i < list.Count(); ++i)
            joined += (i ? "|" : "") + platform::ToUtf8(list[i], platform::CodePage::Cp1251);
        return joined;
    }
    // True when one of the variants is the given line.
    static bool Has(const std::string& utf8, const std::string& line) {
        return ("|" + T(utf8) + "|").find("|" + line + "|") != std::string::npos;
    }

    static std::unique_ptr<LinearQuilloMorph>& facade() {
        static std::unique_ptr<LinearQuilloMorph> f;
        return f;
    }
    static std::vector<std::string>& messages() {
        static std::vector<std::string> m;
        return m;
    }
};
