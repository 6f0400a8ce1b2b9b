// Data files far larger than any shipped language load in time proportional to their size.

#include "AnalysisTestSupport.h"

#include "analysis/Syllabite.h"

#include <chrono>
#include <string>

namespace {

using LargeData = InTempDir;

double SecondsToLoad(Syllabite& s, const char* key) {
    const auto start = std::chrono::steady_clock::now();
    s.LoadTextFiles(key);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(LargeData, ExceptionListOfFiftyThousandLines) {
    // Dividing the lines in place moved every later line for each one: minutes for 100,000.
    const int lines = 50000;
    std::string ex;
    for (int i = lines - 1; i >= 0; --i) {
        ex += "w" + std::to_string(i) + " ; r" + std::to_string(i) + "\r\n";
        if (i % 1000 == 0) ex += "no divider here\r\n";
    }
    Write("big.ex", ex);
    Syllabite s;
    EXPECT_LT(SecondsToLoad(s, "big"), 5.0);
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
