#include "EngineTestSupport.h"

#include "platform/Files.h"

namespace {

class TraceTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        cwd_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(cwd_);
        EngineTest::TearDown();
    }
    std::filesystem::path cwd_;
};

TEST_F(TraceTest, RuleTextShowsSidesAndParameters) {
    ScribeRule rule;
    ASSERT_EQ(rule.ParseLeft("s;h; "), 0);
    ASSERT_EQ(rule.ParseRight("\xf8,stress=y,open=n;#2"), 0);
    EXPECT_EQ(TransCriber::RuleText(rule), "[s][h][ ]=[\xf8:open-n,stress-y][#2]");
}

TEST_F(TraceTest, NothingIsWrittenWhenTheTraceIsOff) {
    Rules({"[a]=[A]"});
    Run(Input("a"));
    EXPECT_FALSE(std::filesystem::exists("trans.log"));
    EXPECT_EQ(engine.traceLines->Count(), 0);
}

TEST_F(TraceTest, EachRunAppendsEveryTraceLineSoFar) {
    Rules({"[a]=[#1]", "[b]=[B]"});
    engine.traceOn = true;
    Run(Input("ab"));
    Text log;
    ASSERT_TRUE(platform::ReadWholeFile("trans.log", log));
    const Text run1 = "ab\r\n====\r\n[a]=[#1]\r\n<-->\r\n[b]=[B]\r\n<-->\r\n[b]=[B]\r\n";
    EXPECT_EQ(log, "----------\r\n" + run1);
    Run(Input("b"));
    ASSERT_TRUE(platform::ReadWholeFile("trans.log", log));
    EXPECT_EQ(log, "----------\r\n" + run1 + "----------\r\n" + run1 + "b\r\n====\r\n[b]=[B]\r\n");
}

TEST_F(TraceTest, UnwritableLogShowsAMessageAndTheRunGoesOn) {
    std::filesystem::create_directory("trans.log");
    engine.traceOn = true;
    EXPECT_EQ(Run(Input("a")), Variants({"<{beg=beg}_{beg=prom}>"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "error: Can't write log");
}

} // namespace
