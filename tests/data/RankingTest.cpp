// The ranking of variants: the rule author's preference carried from the written order of the
// rules through the engine, the spelling model made from a hunspell dictionary, and both at
// work on the shipped languages.
#include "data/tools/SpellingModelBuilder.h"

#include "TempLanguageDir.h"
#include "facade/LinearQuilloMorph.h"
#include "facade/Ranking.h"
#include "platform/CodePage.h"

#include <quillomorph/quillomorph.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::CodePage;

std::string Cp1251(const std::string& utf8) {
    return platform::FromUtf8(utf8, CodePage::Cp1251);
}

std::string Join(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i)
        joined += (i ? "|" : "") + lines[i];
    return joined;
}

// A language written in a temporary folder from UTF-8 rule lines (input and output letters
// Cyrillic), ranked without a model unless one is given.
class RankingTest : public TempLanguageDir {
protected:
    void Load(const std::vector<std::string>& rules) {
        WriteFile("t.bin", "not compiled");
        WriteLines("t.alf", {Cp1251("к=к"), "---", Cp1251("л=л"), "---", Cp1251("м=м"), "---"});
        std::vector<std::string> lines;
        for (const std::string& r : rules)
            lines.push_back(Cp1251(r));
        WriteLines("t.lin", lines);
        facade.LoadLanguage("t");
        ASSERT_EQ(facade.languageKey, "t");
    }

    // sorted and ranked lines of input, each joined with "|".
    std::pair<std::string, std::string> Run(const std::string& input, Ranker& ranker) {
        platform::StringList list;
        facade.Transcribe(Cp1251(input), list);
        std::vector<std::int32_t> order;
        ranker.Rank(facade, list, order);
        std::vector<std::string> sorted, ranked;
        for (int i = 0; i < list.Count(); ++i)
            sorted.push_back(platform::ToUtf8(list[i], CodePage::Cp1251));
        for (std::int32_t i : order)
            ranked.push_back(sorted[static_cast<std::size_t>(i)]);
        return {Join(sorted), Join(ranked)};
    }

    LinearQuilloMorph facade;
};

TEST_F(RankingTest, TheRuleWrittenFirstRanksFirstWhateverTheRuleOrder) {
    // Each set of equal rules is written against the alphabet, and the longer rule too; the
    // rule set is sorted when loaded, the written order survives for the ranking.
    Load({"[к]=[я]", "[к]=[б]", "[к]=[ю]", "[л]=[ж]", "[л]=[а]", "[л;м]=[ё]", "[л;м]=[в]",
          "[м]=[м]"});
    Ranker ranker("", RankBy::Rules);
    EXPECT_EQ(Run("к", ranker), std::make_pair(std::string("б|ю|я"), std::string("я|б|ю")));
    // Two forks: fewer places after the first rank first; equal ones stay sorted.
    EXPECT_EQ(Run("кл", ranker).second, "яж|бж|яа|ба|юж|юа");
    EXPECT_EQ(Run("лм", ranker).second, "ё|в");
    // A line that two variants give (абв: places 0 and 2) takes the better of theirs.
    Load({"[к]=[а;б]", "[к]=[а]", "[л]=[в]", "[л]=[б;в]"});
    EXPECT_EQ(Run("кл", ranker),
              std::make_pair(std::string("аббв|абв|ав"), std::string("абв|аббв|ав")));
}

TEST(SpellingModelBuilder, ExpandsAffixesPrefersYoAndSplitsHyphens) {
    const std::string aff = "SET UTF-8\n"
                            "SFX A Y 3\n"
                            "SFX A 0 а [^аеиоуя]\n"
                            "SFX A ок ка ок\n"
                            "SFX A 0 ы [^ая]\n"
                            "PFX B Y 1\n"
                            "PFX B 0 пере .\n";
    const std::string dic = "5\nстол/A\nзамок/A\nёж/A\nеж/A\nКто-то\nлет/AB\n";
    const std::vector<std::string> words = datagen::ExpandDictionary(dic, aff);
    // No еж, ежа, ежы: their ё spellings are forms too. Cross products: перелета, перелеты.
    std::vector<std::string> expected;
    for (const char* w :
         {"ёж", "ёжа", "ёжы", "замка", "замок", "замока", "замокы", "кто", "лет", "лета", "леты",
          "перелет", "перелета", "перелеты", "стол", "стола", "столы", "то"})
        expected.push_back(Cp1251(w));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(words, expected);
}

TEST(SpellingModelBuilder, TheModelKnowsItsWordsAndPrefersTheirSpelling) {
    std::vector<std::string> words;
    for (const char* w : {"щука", "щуки", "щукин", "счастье", "ёжик", "жизнь", "щель", "площадь",
                          "ещё", "пища", "чаща", "печень", "степь"})
        words.push_back(Cp1251(w));
    std::sort(words.begin(), words.end());
    const std::string bytes = datagen::BuildSpellingModel(words);
    EXPECT_EQ(datagen::BuildSpellingModel(words), bytes); // the same bytes every time
    const std::unique_ptr<SpellingModel> model = SpellingModel::FromBytes(bytes);
    ASSERT_NE(model, nullptr);
    EXPECT_TRUE(model->Knows(Cp1251("щукин")));
    EXPECT_FALSE(model->Knows(Cp1251("шчукин")));
    // Unknown words: the spelling with the letter groups Russian has is the likelier.
    EXPECT_GT(model->WordLogProb(Cp1251("щукина")), model->WordLogProb(Cp1251("шчукина")));
    EXPECT_GT(model->WordLogProb(Cp1251("площади")), model->WordLogProb(Cp1251("плошчади")));
    // Rate reads the words of a line in either case, and nothing else.
    const SpellingModel::Rating known = model->Rate(Cp1251("Щукин, ЁЖИК!"));
    EXPECT_EQ(known.unknown, 0);
    EXPECT_EQ(model->Rate(Cp1251("Шчукин ёжик")).unknown, 1);
    EXPECT_EQ(model->Rate("Latin 123").unknown, 0);
    EXPECT_EQ(model->Rate("Latin 123").logProb, 0.0);
    // Damaged bytes are no model.
    EXPECT_EQ(SpellingModel::FromBytes(bytes.substr(0, bytes.size() - 1)), nullptr);
    EXPECT_EQ(SpellingModel::FromBytes("QMSPELL1"), nullptr);
}

// The shipped languages and the shipped model, through the library's API.
TEST(ShippedRanking, TheModelDecidesForTransliterationTheRulesForNames) {
    struct Case {
        const char* key;
        const char* input;
        const char* ranked; // best first, joined with "|"
    };
    const Case cases[] = {
        // 4translit: the model restores ё where the word list has it, knows the soft sign, щ
        // and the endings of words it has, and likes the letter groups Russian writes.
        {"4translit", "Solovev", "Соловьёв|Соловев|Соловьев"},
        {"4translit", "pechen", "печень|печен"},
        {"4translit", "schastye", "счастье|счастые|щастые|щастье"},
        {"4translit", "obem", "объем|обем"},
        // The rule author's order where the rules give alternatives: э is written first for a
        // stressed closed a, арр first for a stressed a before rr.
        {"english", "Jackson", "Джексон|Джаксон"},
        {"english", "Barry", "Барри|Бэрри"},
        // Latin output: only the rules' order and the sorted order.
        {"2translit", "Щукин", "Shchukin"},
    };
    for (const Case& c : cases) {
        quillomorph::Transcriber t = quillomorph::Transcriber::Open(QM_DATA_DIR, c.key);
        EXPECT_EQ(Join(t.Transcribe(c.input, quillomorph::Order::Ranked)), c.ranked)
            << c.key << " " << c.input;
        const std::string ranked = c.ranked;
        EXPECT_EQ(t.Best(c.input), ranked.substr(0, ranked.find('|'))) << c.key << " " << c.input;
    }
}

} // namespace
