// The shipped language files, loaded the way the window loads them.
#include "facade/LanguageManifest.h"
#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using platform::CodePage;

namespace {

// Loads one key from the data folder and transcribes UTF-8 lines; every variant, sorted,
// joined by "|".
class ShippedLanguage {
public:
    explicit ShippedLanguage(const std::string& key)
        : saved_(fs::current_path()),
          previous_(platform::SetMessageHandler([this](const Text& text, const Text&) {
              messages_.push_back(platform::ToUtf8(text, CodePage::Cp1251));
          })) {
        fs::current_path(QM_DATA_DIR);
        const std::vector<ManifestEntry> entries = ReadLanguages(QM_DATA_DIR);
        if (const ManifestEntry* entry = FindLanguage(entries, key)) page_ = entry->page;
        facade_.LoadLanguage(platform::FromUtf8(key, CodePage::Cp1251));
    }
    ~ShippedLanguage() {
        fs::current_path(saved_);
        platform::SetMessageHandler(previous_);
    }
    std::string operator()(const std::string& utf8) {
        platform::StringList list;
        facade_.Transcribe(platform::FromUtf8(utf8, page_), list);
        std::string joined;
        for (int i = 0; i < list.Count(); ++i)
            joined += (i ? "|" : "") + platform::ToUtf8(list[i], CodePage::Cp1251);
        return joined;
    }
    bool Loaded() const { return !facade_.languageKey.empty(); }
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    fs::path saved_;
    std::vector<std::string> messages_;
    platform::MessageHandler previous_;
    LinearQuilloMorph facade_;
    CodePage page_ = CodePage::Cp1252;
};

} // namespace

TEST(ShippedData, EveryKeyLoadsWithoutMessages) {
    const std::vector<ManifestEntry> languages = ReadLanguages(QM_DATA_DIR);
    EXPECT_GE(languages.size(), 6u);
    for (const ManifestEntry& language : languages) {
        const std::string& key = language.key;
        ShippedLanguage lang(key);
        EXPECT_TRUE(lang.Loaded()) << key;
        EXPECT_TRUE(lang.Messages().empty()) << key << ": " << lang.Messages().front();
    }
}

TEST(ShippedData, ToLatinFollowsTheLetterCaseOfTheInput) {
    ShippedLanguage icao("2translit");
    EXPECT_EQ(icao("Щукин"), "Shchukin");
    EXPECT_EQ(icao("ЩУКИН"), "SHCHUKIN");
    EXPECT_EQ(icao("щукин"), "shchukin");
    EXPECT_EQ(icao("Юлия"), "Iuliia");
    EXPECT_EQ(icao("ЮЛИЯ"), "IULIIA");
    EXPECT_EQ(icao("ВДНХ"), "VDNKH");
    EXPECT_EQ(icao("ОБЪЁМ"), "OBIEEM");
    EXPECT_EQ(icao("Я ПОМНЮ"), "Ia POMNIU");
    EXPECT_EQ(icao("ЗАО «Рога и копыта»"), "ZAO «Roga i kopyta»");
}

TEST(ShippedData, ToLatinPassesEverythingElseThrough) {
    ShippedLanguage icao("2translit");
    EXPECT_EQ(icao("Спутник V, № 3 — ok!"), "Sputnik V, № 3 — ok!");
    EXPECT_EQ(icao("Ту-154"), "Tu-154");
}

namespace {

bool HasLine(const std::string& joined, const std::string& line) {
    return ("|" + joined + "|").find("|" + line + "|") != std::string::npos;
}

} // namespace

TEST(ShippedData, FromLatinReadsEveryConvention) {
    ShippedLanguage latin("4translit");
    // ICAO, BGN/Wikipedia, GOST 7.79, metro, maps, chat spelling of the same words.
    for (const char* in : {"Shchukin", "Shhukin", "Schukin", "Scukin"})
        EXPECT_TRUE(HasLine(latin(in), "Щукин")) << in << ": " << latin(in);
    for (const char* in : {"Iuliia", "Yuliya"})
        EXPECT_TRUE(HasLine(latin(in), "Юлия")) << in << ": " << latin(in);
    for (const char* in : {"Khrushchev", "Xrushhyov", "Hruscev"})
        EXPECT_TRUE(HasLine(latin(in), "Хрущев") || HasLine(latin(in), "Хрущёв")) << in;
    EXPECT_EQ(latin("Pod``ezd"), "Подъезд");
    EXPECT_EQ(latin("e`kskavator"), "экскаватор");
    EXPECT_EQ(latin("Cy`ganov"), "Цыганов");
    EXPECT_EQ(latin("Tu-154, № 3"), "Ту-154, ? 3"); // № is not in cp1252
}

TEST(ShippedData, FromLatinRecoversDroppedSoftSigns) {
    ShippedLanguage latin("4translit");
    EXPECT_EQ(latin("zhizn"), "жизнь");
    EXPECT_TRUE(HasLine(latin("zhestkost"), "жесткость"));
    EXPECT_TRUE(HasLine(latin("schitat"), "считать"));
    EXPECT_EQ(latin("sobiratsya"), "собираться");
    EXPECT_EQ(latin("Ob``yavlenie"), "Объявление");
    EXPECT_EQ(latin("IGOR`"), "ИГОРЬ");
    EXPECT_EQ(latin("D`yachkov"), "Дьячков");
    EXPECT_TRUE(HasLine(latin("Kreml"), "Кремль"));
    EXPECT_TRUE(HasLine(latin("Vasilyeva"), "Васильева"));
    EXPECT_TRUE(HasLine(latin("Tatiana"), "Татьяна"));
    EXPECT_TRUE(HasLine(latin("obyezd"), "объезд"));
    EXPECT_TRUE(HasLine(latin("obieezd"), "объезд"));
    EXPECT_TRUE(HasLine(latin("otdelny"), "отдельный"));
}

TEST(ShippedData, FromLatinUsesContextToLimitVariants) {
    ShippedLanguage latin("4translit");
    EXPECT_EQ(latin("my"), "мы");   // a two-letter word has no -ый reading
    EXPECT_EQ(latin("vse"), "все"); // nor a three-letter one -ье
    EXPECT_EQ(latin("russkiy"), "русский");
    EXPECT_EQ(latin("Zaytsev"), "Зайцев"); // y after a vowel is й
    EXPECT_EQ(latin("nesti"), "нести");
    // Letter case follows the input, also where one letter becomes two.
    EXPECT_EQ(latin("SHCHI"), "ЩИ");
    EXPECT_TRUE(HasLine(latin("STARY"), "СТАРЫЙ"));
    EXPECT_TRUE(HasLine(latin("Stary"), "Старый"));
}
