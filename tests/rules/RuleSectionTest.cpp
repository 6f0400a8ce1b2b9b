#include "RuleTestSupport.h"

#include "engine/TransCriber.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using rulestest::Codes;
using rulestest::PutInt32;
using rulestest::RuleRecord;
using Codes32 = std::vector<std::uint32_t>;

namespace {

std::string Section(std::uint32_t count, const std::vector<std::string>& records) {
    std::string out = "tran";
    PutInt32(out, count);
    for (const std::string& r : records)
        out += r;
    return out;
}

// A set loaded from a text file, to see what a failed section leaves of it.
void LoadPrevious(TransCriber& set, const rulestest::TempDir& dir) {
    set.LoadRules(dir.Write("old.lin", "[p]=[q]\r\n[o]=[r]\r\n"), 0);
    ASSERT_EQ(set.ruleCount, 2);
}

TEST(RuleSection, ReadsSortsAndLeavesPositionAfterIt) {
    const std::string records = RuleRecord({'b'}, {'x'}) +
                                RuleRecord({0, 'a'}, {'y', 'z'}, {1, 1}) +
                                RuleRecord({'a', 'c'}, {'w'}, {false});
    const std::string image = "alfa..." + Section(3, {records}) + "rest";
    TransCriber set;
    std::size_t position = 7;
    ASSERT_EQ(set.ReadRuleSection(image.data(), image.size(), position), 0);
    EXPECT_EQ(position, image.size() - 4);
    ASSERT_EQ(set.ruleCount, 3);
    EXPECT_EQ(Codes(set.rules[0].left), (Codes32{0, 'a'}));
    EXPECT_EQ(Codes(set.rules[1].left), (Codes32{'a', 'c'}));
    EXPECT_EQ(Codes(set.rules[2].left), (Codes32{'b'}));
    EXPECT_EQ(Codes32(set.keys, set.keys + 3), (Codes32{0, 'a', 'b'}));
    EXPECT_EQ(set.rules[0].wildcardCount, 2);
    EXPECT_EQ(set.rules[1].wildcardCount, 0);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(set.used[i], 0);
        EXPECT_EQ(set.rules[i].context.Count(), 0);
    }
}

TEST(RuleSection, WrongOrShortTagChangesNothing) {
    rulestest::TempDir dir;
    TransCriber set;
    LoadPrevious(set, dir);
    for (const std::string& image :
         {std::string("tram") + std::string(4, '\0'), std::string("tra"), std::string("")}) {
        std::size_t position = 0;
        EXPECT_EQ(set.ReadRuleSection(image.data(), image.size(), position), 1);
        EXPECT_EQ(position, 0u);
        ASSERT_EQ(set.ruleCount, 2);
        EXPECT_EQ(set.keys[0], static_cast<std::uint32_t>('o'));
        EXPECT_EQ(Codes(set.rules[1].left), (Codes32{'p'}));
    }
    // A position at or past the end is not a section either.
    const std::string image = Section(0, {});
    std::size_t position = image.size() + 3;
    EXPECT_EQ(set.ReadRuleSection(image.data(), image.size(), position), 1);
    EXPECT_EQ(set.ruleCount, 2);
}

TEST(RuleSection, FailingRecordOrCountLeavesAnEmptySet) {
    const std::string good = RuleRecord({'a'}, {'b'});
    std::string badParam;
    PutInt32(badParam, 1);
    rulestest::PutSymbol(badParam, 'a');
    PutInt32(badParam, 1);
    PutInt32(badParam, 'b');
    PutInt32(badParam, 0);
    PutInt32(badParam, 1);
    badParam += std::string(30, 'n'); // a parameter name with no end in its field
    PutInt32(badParam, 0);

    const std::vector<std::string> images = {
        Section(2, {good, badParam}),                  // a bad record
        Section(3, {good, good}),                      // fewer records than counted
        Section(1, {good.substr(0, good.size() - 1)}), // cut inside a record
        Section(0x7FFFFFFF, {good}),                   // a count no image can hold
        Section(0xFFFFFFFF, {good}),                   // a negative count
        std::string("tran") + std::string(3, '\0'),    // no count at all
    };
    rulestest::TempDir dir;
    for (const std::string& image : images) {
        TransCriber set;
        LoadPrevious(set, dir);
        std::size_t position = 0;
        EXPECT_EQ(set.ReadRuleSection(image.data(), image.size(), position), 1);
        EXPECT_EQ(set.ruleCount, 0);
        EXPECT_LE(position, image.size());
    }
}

TEST(RuleSection, ZeroRulesIsAnEmptySetAndSuccess) {
    rulestest::TempDir dir;
    TransCriber set;
    LoadPrevious(set, dir);
    const std::string image = Section(0, {}) + "more";
    std::size_t position = 0;
    EXPECT_EQ(set.ReadRuleSection(image.data(), image.size(), position), 0);
    EXPECT_EQ(position, 8u);
    EXPECT_EQ(set.ruleCount, 0);
}

TEST(RuleSection, RecordWithoutLeftSymbolsRaisesIndexError) {
    const std::string image =
        Section(3, {RuleRecord({'b'}, {'x'}), RuleRecord({}, {'y'}), RuleRecord({'a'}, {'z'})});
    TransCriber set;
    std::size_t position = 0;
    bool raised = false;
    try {
        set.ReadRuleSection(image.data(), image.size(), position);
    } catch (const Text& error) {
        raised = true;
        EXPECT_EQ(error, rulestest::W("Неверный Индекс 0"));
    }
    EXPECT_TRUE(raised);
    ASSERT_EQ(set.ruleCount, 2);
    EXPECT_EQ(Codes32(set.keys, set.keys + 2), (Codes32{'a', 'b'}));
    EXPECT_EQ(set.used[1], 0);
}

} // namespace
