#include "core/Scanners.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Scan {
    std::string text;
    std::size_t pos = 0;
};

TEST(SkipLine, MovesToTheNextLineWhateverItsEnd) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string text = "ab" + end + "cd";
        std::size_t pos = 0;
        SkipLine(text.data(), pos, text.size());
        EXPECT_EQ(pos, 2 + end.size());
        SkipLine(text.data(), pos, text.size());
        EXPECT_EQ(pos, text.size());
    }
}

TEST(SkipLine, AtTheLastByteOrPastTheEnd) {
    const std::string text = "abc";
    std::size_t pos = 2;
    SkipLine(text.data(), pos, text.size());
    EXPECT_EQ(pos, 3u);
    SkipLine(text.data(), pos, text.size());
    EXPECT_EQ(pos, 3u);
    const std::string crlf = "a\r\n";
    pos = 1;
    SkipLine(crlf.data(), pos, crlf.size());
    EXPECT_EQ(pos, 3u);
}

TEST(CopyUntil, StopsAtTheStopByteTheLimitOrTheEnd) {
    const std::string text = "name=value";
    char dest[32];
    std::size_t pos = 0;
    EXPECT_EQ(CopyUntil(text.data(), pos, text.size(), dest, '=', 23), 4u);
    EXPECT_STREQ(dest, "name");
    EXPECT_EQ(pos, 4u);
    pos = 0;
    CopyUntil(text.data(), pos, text.size(), dest, '=', 2);
    EXPECT_STREQ(dest, "na");
    EXPECT_EQ(pos, 2u);
    pos = 5;
    CopyUntil(text.data(), pos, text.size(), dest, '\r', 23);
    EXPECT_STREQ(dest, "value");
    EXPECT_EQ(pos, text.size());
}

TEST(ReadParamBlock, ReadsPairsUpToTheDashLine) {
    const std::string text = "c=d\r\na=b\r\n---\r\nnext";
    SmbParamCollection set;
    std::size_t pos = 0;
    ReadParamBlock(text.data(), pos, text.size(), set);
    ASSERT_EQ(set.Count(), 2);
    EXPECT_STREQ(set[0].name, "a");
    EXPECT_STREQ(set[0].value, "b");
    EXPECT_STREQ(set[1].name, "c");
    EXPECT_EQ(text.substr(pos), "next");
}

TEST(ReadParamBlock, CutsLongTextsAndSkipsLinesWithoutEquals) {
    const std::string text = "v=123456789012345\r\nnoequals\r\n" + std::string(30, 'n') + "=x\r\n-";
    SmbParamCollection set;
    std::size_t pos = 0;
    ReadParamBlock(text.data(), pos, text.size(), set);
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(std::string(set[0].name), std::string(23, 'n'));
    EXPECT_STREQ(set[1].value, "12345678901");
    EXPECT_EQ(pos, text.size());
}

TEST(ReadParamBlock, DashFirstOrNoDashAtAll) {
    const std::string dash = "-\r\nrest";
    SmbParamCollection set;
    std::size_t pos = 0;
    ReadParamBlock(dash.data(), pos, dash.size(), set);
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(pos, 3u);
    const std::string open = "a=b\r\nc=d";
    pos = 0;
    ReadParamBlock(open.data(), pos, open.size(), set);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(pos, open.size());
}

TEST(ReadParamList, StopsAtTheSemicolonOrTheEnd) {
    const std::string text = ",x=1,y=2;z";
    SmbParamCollection set;
    EXPECT_EQ(ReadParamList(text.data(), 0, text.size(), set), 8u);
    ASSERT_EQ(set.Count(), 2);
    EXPECT_STREQ(set[0].name, "x");
    EXPECT_STREQ(set[1].value, "2");

    const std::string tail = ",x=1";
    SmbParamCollection one;
    EXPECT_EQ(ReadParamList(tail.data(), 0, tail.size(), one), tail.size());
    EXPECT_EQ(one.Count(), 1);

    SmbParamCollection none;
    const std::string closed = "]";
    EXPECT_EQ(ReadParamList(closed.data(), 0, closed.size(), none), 0u);
    EXPECT_EQ(none.Count(), 0);
}

TEST(ReadParamList, MalformedListsStayInsideTheText) {
    SmbParamCollection set;
    const std::string noEquals = ",abc;d=e";
    EXPECT_EQ(ReadParamList(noEquals.data(), 0, noEquals.size(), set), 4u);
    EXPECT_EQ(set.Count(), 0);
    const std::string longOnes = "," + std::string(40, 'n') + "=" + std::string(40, 'v');
    EXPECT_EQ(ReadParamList(longOnes.data(), 0, longOnes.size(), set), longOnes.size());
    ASSERT_EQ(set.Count(), 1);
    EXPECT_EQ(std::string(set[0].name), std::string(23, 'n'));
    EXPECT_EQ(std::string(set[0].value), std::string(11, 'v'));
    const std::string blanks = ", a = b ;";
    SmbParamCollection kept;
    ReadParamList(blanks.data(), 0, blanks.size(), kept);
    ASSERT_EQ(kept.Count(), 1);
    EXPECT_STREQ(kept[0].name, " a ");
    EXPECT_STREQ(kept[0].value, " b ");
}

} // namespace
