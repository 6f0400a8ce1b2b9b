// The shipped "english" data: English names, places and brands to Russian by the
// English-Russian practical transcription.
#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using platform::CodePage;

namespace {

// Loads the key from the data folder once for the suite; transcribes UTF-8 text (turned into
// cp1252, as the front ends do for the English button) and joins the variants, sorted, with "|".
class English : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path saved = fs::current_path();
        const platform::MessageHandler previous = platform::SetMessageHandler(
            [](const Text& text, const Text&) {
                messages().push_back(platform::ToUtf8(text, CodePage::Cp1251));
            });
        fs::current_path(QM_DATA_DIR);
        facade() = std::make_unique<LinearQuilloMorph>();
        facade()->LoadLanguage(platform::FromUtf8("english", CodePage::Cp1251));
        fs::current_path(saved);
        platform::SetMessageHandler(previous);
    }
    static void TearDownTestSuite() { facade().reset(); }

    static std::string T(const std::string& utf8) {
        platform::StringList list;
        facade()->Transcribe(platform::FromUtf8(utf8, CodePage::Cp1252), list);
        std::string joined;
        for (int i = 0; i < list.Count(); ++i)
            joined += (i ? "|" : "") + platform::ToUtf8(list[i], CodePage::Cp1251);
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

} // namespace

TEST_F(English, LoadsWithoutMessages) {
    EXPECT_FALSE(facade()->languageKey.empty());
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(English, LetterCaseFollowsTheInput) {
    EXPECT_EQ(T("Jones"), "Джоунз");
    EXPECT_EQ(T("JONES"), "ДЖОУНЗ");
    EXPECT_EQ(T("jones"), "джоунз");
    // A rule that looks past the next letters keeps the case of the letters it passes over.
    EXPECT_EQ(T("Whitehead"), "Уайтхед");
    EXPECT_EQ(T("WHITEHEAD"), "УАЙТХЕД");
    EXPECT_EQ(T("JAMESON"), "ДЖЕЙМСОН");
    // A capital inside a word after small letters is written small.
    EXPECT_EQ(T("PayPal"), "Пейпал");
    EXPECT_EQ(T("McDonald"), "Макдональд");
    EXPECT_EQ(T("MCDONALD"), "МАКДОНАЛЬД");
}

TEST_F(English, EverythingElsePassesThrough) {
    EXPECT_EQ(T("O'Hara"), "О'Хара");
    EXPECT_EQ(T("Hewlett-Packard 2"), "Хьюлетт-Паккард 2|Хьюлетт-Пэккард 2");
    EXPECT_EQ(T("Tom Sawyer!"), "Том Сойер!");
}
