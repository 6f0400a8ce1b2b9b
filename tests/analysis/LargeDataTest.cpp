// Data files far larger than any shipped language load in time proportional to their size.

#include "AnalysisTestSupport.h"

#include "analysis/Syllabite.h"

#include <string>

namespace {

using LargeData = InTempDir;

TEST_F(LargeData, ExceptionListOfFiftyThousandLines) {
    // Dividing the lines in place moved every later line for each one: minutes for 100,000.
    // The lists are built without moving a line.
    const int lines = 50000;
    std::string ex;
    for (int i = lines - 1; i >= 0; --i) {
        ex += "w" + std::to_string(i) + " ; r" + std::to_string(i) + "\r\n";
        if (i % 1000 == 0) ex += "no divider here\r\n";
    }
    Write("big.ex", ex);
    Syllabite s;
    s.LoadTextFiles("big");
    EXPECT_EQ(s.exceptionKeys.Shifted(), 0u);
    EXPECT_EQ(s.exceptionValues.Shifted(), 0u);
    ASSERT_EQ(s.exceptionKeys.Count(), lines);
    ASSERT_EQ(s.exceptionValues.Count(), lines);
    // Values stay in file order; keys are sorted and still name their own value.
    EXPECT_EQ(s.exceptionValues[0], "R49999");
    int found = -1;
    ASSERT_TRUE(s.exceptionKeys.Find("w123", found));
    EXPECT_EQ(s.exceptionValues[static_cast<int>(s.exceptionKeys.Object(found))], "R123");
    EXPECT_EQ(s.exceptionKeys[0], "W0");
}

} // namespace

namespace {

// A prefix table whose output is far longer than its input blows every word up.
class AffixBlowUp : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        Write("big.alf", Letters("abc"));
        Write("big.syl", "a\r\nb " + std::string(5000, 'c') + "\r\n\r\n");
        s.LoadTextFiles("big");
    }
    std::int32_t Analysed(const Text& line) {
        SymbolCollection out;
        out.SetSorted(false);
        s.Analyse(line, out);
        return out.Count();
    }
    Syllabite s;
};

TEST_F(AffixBlowUp, ALineStopsAtTheFirstRunPastTheLimit) {
    // A word: "<", 5000 for the prefix "b", then "a", "b" and ">"; a blank between words.
    EXPECT_EQ(Analysed("bab bab"), 5004 + 1 + 5004);
    Text line;
    for (int i = 0; i < 100; ++i)
        line += "bab ";
    const std::int32_t count = Analysed(line);
    EXPECT_GE(count, Syllabite::MaxLineSymbols);
    EXPECT_LT(count, Syllabite::MaxLineSymbols + 5005);
}

TEST_F(AffixBlowUp, OneWordStopsJoiningAffixOutputsPastTheLimit) {
    const std::int32_t count = Analysed(Text(200, 'b') + "a");
    EXPECT_GE(count, Syllabite::MaxLineSymbols);
    EXPECT_LT(count, Syllabite::MaxLineSymbols + 5000 + 200);
}

} // namespace
