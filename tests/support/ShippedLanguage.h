#pragma once
// A test suite over one language of the shipped data folder (QM_DATA_DIR), loaded once for the
// suite through the library's API, with the messages loading gave kept. Language names the key:
//   struct GermanData { static constexpr const char* key = "deutsch"; };
//   using German = ShippedLanguage<GermanData>;
#include <quillomorph/quillomorph.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

template <class Language> class ShippedLanguage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            transcriber() = std::make_unique<quillomorph::Transcriber>(
                quillomorph::Transcriber::Open(QM_DATA_DIR, Language::key));
            for (const quillomorph::Message& m : transcriber()->Messages())
                messages().push_back(m.text);
        } catch (const quillomorph::Error& e) {
            messages().push_back(e.what());
        }
    }
    static void TearDownTestSuite() { transcriber().reset(); }

    // The variants of UTF-8 text, sorted, joined with "|".
    static std::string T(const std::string& utf8) {
        std::string joined;
        if (!transcriber()) return joined;
        const std::vector<std::string> variants = transcriber()->Transcribe(utf8);
        for (std::size_t i = 0; i < variants.size(); ++i)
            joined += (i ? "|" : "") + variants[i];
        return joined;
    }
    // True when one of the variants is the given line.
    static bool Has(const std::string& utf8, const std::string& line) {
        return ("|" + T(utf8) + "|").find("|" + line + "|") != std::string::npos;
    }

    static std::unique_ptr<quillomorph::Transcriber>& transcriber() {
        static std::unique_ptr<quillomorph::Transcriber> t;
        return t;
    }
    static std::vector<std::string>& messages() {
        static std::vector<std::string> m;
        return m;
    }
};
