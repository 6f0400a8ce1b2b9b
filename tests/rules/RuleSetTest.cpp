#include "RuleTestSupport.h"

#include "engine/TransCriber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using rulestest::Message;
using rulestest::W;
using Codes32 = std::vector<std::uint32_t>;

namespace {

Message Missing(int number) {
    return {W("Отсутствует [, правило ") + std::to_string(number), W("Ошибка в правиле")};
}

Message NoSeparator(int number) {
    return {W("Отсутствует ]=[ или ошибка описания параметров, правило ") + std::to_string(number),
            W("Ошибка в правиле")};
}

Message BadRule(const Text& symbols, int number) {
    return {W("В правиле ") + symbols + W(" - правило номер ") + std::to_string(number),
            W("Ошибка при чтении правил транскрипции")};
}

Message Mismatch() {
    return {W("Несовпадение"), W("Ошибка")};
}

using Messages = std::vector<Message>;

// A rule as "left=right": characters for codes below 256 (a wildcard as '_'), #d for references.
std::string Show(const ScribeRule& rule) {
    auto side = [](const SymbolCollection& symbols) {
        std::string out;
        for (std::int32_t i = 0; i < symbols.Count(); ++i) {
            const std::uint32_t code = symbols[i].code;
            if (code == 0)
                out += '_';
            else if (code >= 0xF0000000u)
                out += "#" + std::to_string(code - 0xF0000000u);
            else if (code < 256)
                out += static_cast<char>(code);
            else
                out += "<" + std::to_string(code) + ">";
        }
        return out;
    };
    return side(rule.left) + "=" + side(rule.right);
}

std::vector<std::string> Shown(const TransCriber& set) {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < set.ruleCount; ++i)
        out.push_back(Show(set.rules[i]));
    return out;
}

// The state every load must leave: sorted, keyed, unused.
void ExpectConsistent(const TransCriber& set) {
    ASSERT_GE(set.ruleCount, 0);
    if (set.ruleCount == 0) return;
    ASSERT_NE(set.rules, nullptr);
    ASSERT_NE(set.keys, nullptr);
    ASSERT_NE(set.used, nullptr);
    for (std::int32_t i = 0; i < set.ruleCount; ++i) {
        ASSERT_GT(set.rules[i].left.Count(), 0) << i;
        EXPECT_EQ(set.keys[i], set.rules[i].left[0].code) << i;
        EXPECT_EQ(set.used[i], 0) << i;
        if (i + 1 < set.ruleCount) {
            EXPECT_LE(set.keys[i], set.keys[i + 1]) << i;
            EXPECT_FALSE(set.rules[i] > set.rules[i + 1]) << i;
        }
    }
}

class RuleSetTest : public ::testing::Test {
protected:
    void Load(const std::string& bytes, std::int32_t direction = 0) {
        set.LoadRules(dir.Write("rules.lin", bytes), direction);
    }

    rulestest::TempDir dir;
    rulestest::MessageLog log;
    TransCriber set;
};

// ---- Lines and line ends ----

TEST_F(RuleSetTest, LoadsEveryRuleWhateverTheLineEnds) {
    const std::vector<std::string> lines = {"[b]=[x]", "[a;b]=[y]", "[ ]=[#0]"};
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        for (bool finalEnd : {true, false}) {
            std::string bytes;
            for (std::size_t i = 0; i < lines.size(); ++i)
                bytes += lines[i] + (i + 1 < lines.size() || finalEnd ? end : "");
            Load(bytes);
            EXPECT_TRUE(log.messages.empty()) << bytes;
            EXPECT_EQ(Shown(set), (std::vector<std::string>{"_=#0", "ab=y", "b=x"})) << bytes;
            log.messages.clear();
        }
    }
    Load("[a]=[x]\r[b]=[y]\n[c]=[z]\r\n[d]=[w]\r");
    EXPECT_TRUE(log.messages.empty());
    EXPECT_EQ(set.ruleCount, 4);
}

TEST_F(RuleSetTest, ClosingBracketOptionalAndRestOfLineIgnored) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        Load("[a]=[b" + end + "[c]=[d] any ] [ text" + end + "[e]=[f");
        EXPECT_TRUE(log.messages.empty()) << end.size();
        EXPECT_EQ(Shown(set), (std::vector<std::string>{"a=b", "c=d", "e=f"}));
    }
}

TEST_F(RuleSetTest, EmptyOrMissingFileGivesEmptySetSilently) {
    Load("[a]=[b]\r\n");
    ASSERT_EQ(set.ruleCount, 1);
    Load("");
    EXPECT_EQ(set.ruleCount, 0);
    EXPECT_TRUE(log.messages.empty());

    Load("[a]=[b]\r\n");
    set.LoadRules(dir.Write("x.lin", "") + ".missing", 0);
    EXPECT_EQ(set.ruleCount, 0);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(RuleSetTest, SampleFileLoadsSorted) {
    set.LoadRules(QM_FIXTURES_DIR "/rules/sample.lin", 0);
    EXPECT_TRUE(log.messages.empty());
    ASSERT_EQ(set.ruleCount, 9);
    ExpectConsistent(set);
    EXPECT_EQ(Codes32(set.keys, set.keys + set.ruleCount),
              (Codes32{0, 0, 60, 97, 99, 99, 101, 101, 115}));
    EXPECT_EQ(Show(set.rules[0]), "_=#0");
    EXPECT_EQ(Show(set.rules[1]), W("_x=#0кс"));
    EXPECT_EQ(set.rules[1].wildcardCount, 1);
    EXPECT_EQ(rulestest::Codes(set.rules[2].context), (Codes32{1}));
    EXPECT_EQ(Show(set.rules[5]), W("ch=ч"));
    // The bare e (with its condition) comes before the stressed e.
    EXPECT_EQ(set.rules[6].left[0].params.Count(), 0);
    EXPECT_EQ(set.rules[6].context.Count(), 1);
    EXPECT_EQ(set.rules[7].left[0].params.Count(), 1);
}

// ---- Messages ----

TEST_F(RuleSetTest, BlankLineIsReportedWithTheLinesBeforeIt) {
    Load("[a]=[x]\r\n[b]=[y]\r\n\r\n[c]=[z]\r\n");
    EXPECT_EQ(log.messages, (Messages{Missing(2)}));
    EXPECT_EQ(set.ruleCount, 3);

    log.messages.clear();
    Load("[a]=[x]\n\n[c]=[z]\n");
    EXPECT_EQ(log.messages, (Messages{Missing(1)}));
    EXPECT_EQ(set.ruleCount, 2);
}

TEST_F(RuleSetTest, MissingSeparatorEmptiesTheSlotForTheNextRule) {
    Load("[a]=[x]\r\n[abc\r\n[d]=[y]\r\n[e]x[f]\r\n[g]=");
    EXPECT_EQ(log.messages, (Messages{NoSeparator(1), NoSeparator(3), NoSeparator(4)}));
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"a=x", "d=y"}));

    // A side never runs on into the next line, whatever ends it.
    for (const std::string end : {"\n", "\r"}) {
        log.messages.clear();
        Load("[abc" + end + "[d]=[y]" + end);
        EXPECT_EQ(log.messages, (Messages{NoSeparator(0)}));
        EXPECT_EQ(Shown(set), (std::vector<std::string>{"d=y"}));
    }
}

TEST_F(RuleSetTest, BadSideIsReportedWithItsLeftSymbolsAndSkipsToAfterDashes) {
    Load("[a]=[e]\r\n[b]=[f]\r\n[c]=[g]\r\n[d]=[h]\r\n"
         "[s;c]=[#x]\r\n[q]=[w]\r\n--- next group\r\n[r]=[t]\r\n");
    EXPECT_EQ(log.messages, (Messages{BadRule("s;c;", 5), Mismatch()}));
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"a=e", "b=f", "c=g", "d=h", "r=t"}));
}

TEST_F(RuleSetTest, DashesOnTheFailingLineSkipOnlyThatLine) {
    Load("[ ;a]=[#] ---\r\n[q]=[w]\r\n");
    EXPECT_EQ(log.messages, (Messages{BadRule(" ;a;", 1), Mismatch()}));
    // The rule after the bad one was read into the emptied slot, with nothing left over.
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"q=w"}));
}

TEST_F(RuleSetTest, BadSideWithoutDashesEndsTheFile) {
    Load("[x]=[y]\r\n[a;$x]=[b]\r\n[q]=[w]\r\n[r]=[t]\r\n");
    EXPECT_EQ(log.messages, (Messages{BadRule("a;", 2), Mismatch()}));
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"x=y"}));

    // A failure at once shows no symbols; the search for dashes starts where the side ended.
    log.messages.clear();
    Load("[$x---]=[b]\r\n[q]=[w]\r\n");
    EXPECT_EQ(log.messages, (Messages{BadRule("", 1), Mismatch()}));
    EXPECT_EQ(set.ruleCount, 0);
}

TEST_F(RuleSetTest, EveryMessageInFileOrderWithItsNumber) {
    Load("[a]=[y]\r\n"       // good 1
         "\r\n"              // bad 1
         "x\r\n"             // bad 2
         "[b\r\n"            // bad 3
         "[c]=[#z]\r\n"      // reported as rule 2, skipped with the next lines
         "[d]=[e]\r\n"       //
         "--- comment\r\n"   //
         "[f]=[g]\r\n"       // good 2
         "[h]\r\n"           // bad 4
         "[i]=[j] ]=[ ---\r" // good 3
         "[k]=[#1;#y]");     // reported as rule 4, the last line
    EXPECT_EQ(log.messages, (Messages{Missing(1), Missing(2), NoSeparator(3), BadRule("c;", 2),
                                      NoSeparator(5), BadRule("k;", 4), Mismatch()}));
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"a=y", "f=g", "i=j"}));
}

TEST_F(RuleSetTest, BadSymbolCodesAreShownByTheirLowByte) {
    // 300 shows as ',' (44); the number 0 as a blank like a wildcard; 256 as a zero byte.
    Load(W("[я;300;0;256;$]=[x]\r\n"));
    EXPECT_EQ(log.messages,
              (Messages{BadRule(W("я;,; ;") + std::string("\0;", 2), 1), Mismatch()}));
}

// ---- Direction ----

TEST_F(RuleSetTest, ReverseDirectionSwapsTheSides) {
    const std::string bytes = W("[#0;к]=[ ;x,open=y;$1]\r\n[ш]=[s;c;h]\r\n");
    Load(bytes, -1);
    EXPECT_TRUE(log.messages.empty());
    ASSERT_EQ(set.ruleCount, 2);
    EXPECT_EQ(Show(set.rules[0]), W("_x=#0к"));
    EXPECT_EQ(set.rules[0].wildcardCount, 1);
    EXPECT_EQ(rulestest::Params(set.rules[0].left[1]), (std::vector<std::string>{"open=y"}));
    EXPECT_EQ(rulestest::Codes(set.rules[0].context), (Codes32{1}));
    EXPECT_EQ(Show(set.rules[1]), W("sch=ш"));

    // Each parser keeps its own grammar: "$" is read in the second brackets, "#" in the first.
    log.messages.clear();
    Load("[#0]=[b;$x]\r\n[#x]=[c]\r\n---\r\n", -1);
    EXPECT_EQ(log.messages, (Messages{BadRule("b;", 1), Mismatch()}));
    log.messages.clear();
    Load("[#x]=[c]\r\n", -1);
    EXPECT_EQ(log.messages, (Messages{BadRule("", 1), Mismatch()}));
}

TEST_F(RuleSetTest, OtherDirectionsReadTheFileAsWritten) {
    for (std::int32_t direction : {1, 2, -2}) {
        Load(W("[s;c;h]=[ш]\r\n"), direction);
        ASSERT_EQ(set.ruleCount, 1);
        EXPECT_EQ(Show(set.rules[0]), W("sch=ш"));
    }
    EXPECT_TRUE(log.messages.empty());
}

// ---- Sorting, keys and used ----

TEST_F(RuleSetTest, RulesComeOutSortedWithKeysAndUsed) {
    Load(W("[я]=[q]\r\n[b;a]=[r]\r\n[ ;b]=[s]\r\n[a]=[t]\r\n[b]=[u]\r\n[ ]=[v]\r\n"
           "[60;a]=[w]\r\n[a]=[p]\r\n[a,x=1]=[x]\r\n"));
    EXPECT_TRUE(log.messages.empty());
    ExpectConsistent(set);
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"_=v", "_b=s", "<a=w", "a=p", "a=t", "a=x",
                                                    "b=u", "ba=r", W("я=q")}));
    EXPECT_EQ(Codes32(set.keys, set.keys + set.ruleCount),
              (Codes32{0, 0, 60, 97, 97, 97, 98, 98, 255}));

    // The engine marks rules; a new load clears every flag and describes only the new set.
    set.used[0] = 1;
    Load("[z]=[q]\r\n");
    ASSERT_EQ(set.ruleCount, 1);
    EXPECT_EQ(set.keys[0], 122u);
    EXPECT_EQ(set.used[0], 0);
    EXPECT_EQ(Show(set.rules[0]), "z=q");

    Load("[z]=[q]\r\n[ ]=[w]\r\n");
    ExpectConsistent(set);
    EXPECT_EQ(Codes32(set.keys, set.keys + 2), (Codes32{0, 122}));
}

TEST_F(RuleSetTest, ManyRulesInAnyOrderAreAllKeptAndSorted) {
    std::mt19937 random(12345);
    const std::string letters = " abcz";
    std::vector<std::string> expected;
    std::string bytes;
    for (int i = 0; i < 700; ++i) {
        std::string left;
        std::string shown;
        const int length = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < length; ++k) {
            const char c = letters[random() % letters.size()];
            left += (k ? ";" : "") + std::string(1, c);
            shown += c == ' ' ? '_' : c;
        }
        const std::string right(1, static_cast<char>('a' + random() % 3));
        bytes += "[" + left + "]=[" + right + "]\r\n";
        expected.push_back(shown + "=" + right);
    }
    Load(bytes);
    EXPECT_TRUE(log.messages.empty());
    ExpectConsistent(set);
    std::vector<std::string> loaded = Shown(set);
    std::sort(loaded.begin(), loaded.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(loaded, expected);
}

TEST_F(RuleSetTest, EmptyLeftSideRaisesIndexErrorButLeavesUsableSet) {
    bool raised = false;
    try {
        Load("[b]=[x]\r\n[]=[y]\r\n[a]=[z]\r\n[ ]=[w]\r\n[]=[]\r\n");
    } catch (const Text& error) {
        raised = true;
        EXPECT_EQ(error, W("Неверный Индекс 0"));
    }
    EXPECT_TRUE(raised);
    EXPECT_TRUE(log.messages.empty());
    // The rules without a left side are gone; the others are sorted and keyed.
    ExpectConsistent(set);
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"_=w", "a=z", "b=x"}));

    // Only empty-left rules: an empty set, still with the error.
    EXPECT_THROW(Load("[]=[y]\r\n"), Text);
    EXPECT_EQ(set.ruleCount, 0);
    Load("[a]=[b]\r\n");
    EXPECT_EQ(Shown(set), (std::vector<std::string>{"a=b"}));
}

} // namespace
