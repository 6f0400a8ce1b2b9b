// The library as another program uses it: the public header and the shared library only.
#include "TempDir.h"

#include <quillomorph/quillomorph.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

using quillomorph::Transcriber;
using Variants = std::vector<std::string>;

std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// A small language whose syllable data makes "xxab" fail inside, and one faulty rule line.
void WriteSmallLanguage(const TempDir& dir, bool faultyRule) {
    dir.Write("t.bin", "not compiled");
    dir.Write("t.alf", Crlf({"a=a", "---", "b=b", "---", "x=x", "---"}));
    dir.Write("t.syl", Crlf({"a", "xx ", ""}));
    std::vector<std::string> rules = {"[a]=[\xe0]", "[b]=[\xe1]", "[x]=[\xea\xf1]"};
    if (faultyRule) rules.insert(rules.begin() + 1, "oops");
    dir.Write("t.lin", Crlf(rules));
}

TEST(Api, OpensByKeyOrAliasAndTranscribesUtf8) {
    Transcriber english = Transcriber::Open(QM_DATA_DIR, "english");
    EXPECT_EQ(english.Transcribe("Smith"), Variants{"Смит"});
    EXPECT_EQ(english.Transcribe(""), Variants{});
    EXPECT_TRUE(english.Messages().empty());

    Transcriber german = Transcriber::Open(QM_DATA_DIR, "DE");
    EXPECT_EQ(german.Key(), "deutsch");
    EXPECT_EQ(german.Transcribe("Müller"), Variants{"Мюллер"});

    Transcriber latin = Transcriber::Open(QM_DATA_DIR, "2translit");
    EXPECT_EQ(latin.CodePage(), 1251);
    EXPECT_EQ(latin.Transcribe("Щукин"), Variants{"Shchukin"});

    Transcriber moved = std::move(english);
    EXPECT_EQ(moved.Transcribe("Smith"), Variants{"Смит"});
}

TEST(Api, RankedOrderAndBestReorderTheSortedVariants) {
    using quillomorph::Order;
    Transcriber russian = Transcriber::Open(QM_DATA_DIR, "4translit");
    const Variants sorted = {"Соловев", "Соловьев", "Соловьёв"};
    EXPECT_EQ(russian.Transcribe("Solovev"), sorted);
    EXPECT_EQ(russian.Transcribe("Solovev", Order::Sorted), sorted);
    EXPECT_EQ(russian.Transcribe("Solovev", Order::Ranked),
              (Variants{"Соловьёв", "Соловев", "Соловьев"}));
    EXPECT_EQ(russian.Best("Solovev"), "Соловьёв");
    EXPECT_EQ(russian.Best(""), "");

    // Without a spelling model in the folder, the rule written first ranks first.
    TempDir dir;
    dir.Write("t.bin", "not compiled");
    dir.Write("t.alf", Crlf({"b=b", "---"}));
    dir.Write("t.lin", Crlf({"[b]=[\xe2]", "[b]=[\xe1]"}));
    Transcriber t = Transcriber::Open(dir.Path().string(), "t");
    EXPECT_EQ(t.Transcribe("b"), (Variants{"б", "в"}));
    EXPECT_EQ(t.Transcribe("b", Order::Ranked), (Variants{"в", "б"}));
    EXPECT_EQ(t.Best("bb"), "вв");
}

TEST(Api, LanguagesComeFromTheManifest) {
    const std::vector<quillomorph::Language> languages = quillomorph::Languages(QM_DATA_DIR);
    auto find = [&](const std::string& key) {
        return std::find_if(languages.begin(), languages.end(),
                            [&](const quillomorph::Language& l) { return l.key == key; });
    };
    ASSERT_NE(find("deutsch"), languages.end());
    EXPECT_EQ(find("deutsch")->russianName, "Немецкий");
    EXPECT_NE(std::find(find("deutsch")->aliases.begin(), find("deutsch")->aliases.end(), "de"),
              find("deutsch")->aliases.end());
    ASSERT_NE(find("2translit"), languages.end());
    EXPECT_EQ(find("2translit")->codePage, 1251);
    EXPECT_TRUE(quillomorph::Languages(TempDir().Path().string()).empty());
}

TEST(Api, FailuresAreErrorsThatSayWhatAndWhere) {
    try {
        Transcriber::Open(QM_DATA_DIR, "klingon");
        FAIL() << "no error";
    } catch (const quillomorph::Error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("\"klingon\""), std::string::npos) << what;
        EXPECT_NE(what.find(QM_DATA_DIR), std::string::npos) << what;
        EXPECT_NE(what.find("english"), std::string::npos) << what;
    }
    EXPECT_THROW(Transcriber::Open("", "english"), quillomorph::Error);
    EXPECT_THROW(Transcriber::Open(QM_DATA_DIR, "../data/english"), quillomorph::Error);
    EXPECT_THROW(Transcriber::Open(QM_DATA_DIR, "english", {866}), quillomorph::Error);

    // A folder without a manifest: the language's own message comes with the error.
    TempDir empty;
    try {
        Transcriber::Open(empty.Path().string(), "t");
        FAIL() << "no error";
    } catch (const quillomorph::Error& e) {
        ASSERT_EQ(e.Messages().size(), 1u);
        EXPECT_EQ(e.Messages()[0].text, "Не получилось открыть файл с правилами транскрипции!");
        EXPECT_TRUE(e.SystemError().empty());
    }
}

TEST(Api, MessagesAndInternalErrorsStayWithTheirObject) {
    TempDir dir;
    WriteSmallLanguage(dir, true);
    Transcriber t = Transcriber::Open(dir.Path().string(), "t");
    ASSERT_EQ(t.Messages().size(), 1u);
    EXPECT_EQ(t.Messages()[0].caption, "Ошибка в правиле");
    t.ClearMessages();

    EXPECT_EQ(t.Transcribe("ab"), Variants{"аб"});
    try {
        t.Transcribe("xxab");
        FAIL() << "no error";
    } catch (const quillomorph::Error& e) {
        EXPECT_EQ(e.SystemError(), "Неверный Индекс -1");
    }
    // The next line starts from a fresh load and is whole.
    EXPECT_EQ(t.Transcribe("ab"), Variants{"аб"});
}

TEST(Api, TranscribersInThreadsRunInParallel) {
    TempDir dir;
    WriteSmallLanguage(dir, true);
    const std::vector<std::pair<std::string, std::string>> jobs = {
        {"english", "Smith Johnson Whitehead Knowles"},
        {"english", "Thatcher Leicester Davis"},
        {"deutsch", "Müller Schweinsteiger Gütersloh"},
        {"4translit", "Shchukin Iuliia obyezd"},
        {"t", "ab ba"}};
    std::vector<Variants> expected;
    for (const auto& [key, line] : jobs) {
        const std::string folder = key == "t" ? dir.Path().string() : QM_DATA_DIR;
        expected.push_back(Transcriber::Open(folder, key).Transcribe(line));
    }
    std::vector<int> mismatches(jobs.size(), 0);
    std::vector<std::size_t> messages(jobs.size(), 0);
    std::vector<std::thread> threads;
    for (std::size_t j = 0; j < jobs.size(); ++j)
        threads.emplace_back([&, j] {
            const std::string folder = jobs[j].first == "t" ? dir.Path().string() : QM_DATA_DIR;
            Transcriber t = Transcriber::Open(folder, jobs[j].first);
            for (int round = 0; round < 200; ++round)
                if (t.Transcribe(jobs[j].second) != expected[j]) ++mismatches[j];
            messages[j] = t.Messages().size();
        });
    for (std::thread& thread : threads)
        thread.join();
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        EXPECT_EQ(mismatches[j], 0) << jobs[j].first;
        // Only the language with the faulty line got its message.
        EXPECT_EQ(messages[j], jobs[j].first == "t" ? 1u : 0u) << jobs[j].first;
    }
}

TEST(Api, TraceGoesToTheFileAskedFor) {
    TempDir dir;
    WriteSmallLanguage(dir, false);
    Transcriber t = Transcriber::Open(dir.Path().string(), "t");
    t.StartTrace(dir.File("rules.log"));
    EXPECT_EQ(t.Transcribe("a"), Variants{"а"});
    EXPECT_EQ(t.LastTrace().symbols, "<a>");
    ASSERT_EQ(t.LastTrace().variants.size(), 1u);
    EXPECT_EQ(t.LastTrace().variants[0], (std::vector<int>{60, 224, 62}));
    EXPECT_TRUE(std::filesystem::exists(dir.File("rules.log")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("trans.log")));
    t.StopTrace();
}

} // namespace

namespace {

// What the rules do not rewrite comes out as it came in, in every language; look-alike and
// invisible characters read as the plain ones.
TEST(Api, TextTheRulesDoNotRewriteComesOutAsTyped) {
    struct Case {
        const char* language;
        const char* input;
        const char* expected; // the variants joined by "|"
    };
    const Case cases[] = {
        {"2translit", "Ёж 🙂", "Ezh 🙂"},
        {"2translit", "Straße Москва 🙂", "Straße Moskva 🙂"},
        {"2translit", "\xEF\xBB\xBFЁж", "Ezh"},
        {"english", "Málaga", "Малага"},
        {"english", "東京 Smith", "東京 Смит"},
        {"english", "Smi\xC2\xADth\xE2\x80\x8B", "Смит"}, // soft hyphen, zero-width space
        {"english", "Smith\tJones", "Смит Джоунз"},
        {"deutsch", "\xEF\xBB\xBFMüller", "Мюллер"},
        {"deutsch",
         "Baden\xE2\x80\x91"
         "Baden",
         "Баден-Баден"}, // non-breaking hyphen
        {"deutsch",
         "Frankfurt\xC2\xA0"
         "am\xC2\xA0Main",
         "Франкфурт-на-Майне"},
        {"deutsch", "Ře", "Ре"},
        {"4translit", "zhizn\xE2\x80\x99", "жизнь"},
        {"chineese",
         "Xi\xCA\xBC"
         "an",
         "Сиань"}, // modifier apostrophe
        {"polski", "Łódź 🙂", "Лодзь 🙂"},
    };
    for (const Case& c : cases) {
        Transcriber t = Transcriber::Open(QM_DATA_DIR, c.language);
        std::string joined;
        for (const std::string& v : t.Transcribe(c.input))
            joined += (joined.empty() ? "" : "|") + v;
        EXPECT_EQ(joined, c.expected) << c.language << ": " << c.input;
    }
    // "€5" is not a word of any language: it comes back as it is everywhere.
    for (const quillomorph::Language& language : quillomorph::Languages(QM_DATA_DIR))
        EXPECT_EQ(Transcriber::Open(QM_DATA_DIR, language.key).Transcribe("€5"), Variants{"€5"})
            << language.key;
}

} // namespace
