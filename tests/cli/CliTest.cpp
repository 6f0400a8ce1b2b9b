#include "TempLanguageDir.h"

#include "cli/CheckList.h"
#include "cli/CliRunner.h"

#include <quillomorph/quillomorph.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

namespace {

class CliTest : public TempLanguageDir {
protected:
    void SetUp() override {
        TempLanguageDir::SetUp();
        WriteFile("t.bin", "not compiled");
        WriteLines("t.alf", {"a=a", "---", "b=b", "---", "\xe9=\xfd", "---"});
        WriteLines("t.lin", {"[a]=[\xe0]", "[b]=[\xe1]", "[b]=[\xe2]", "[\xfd]=[\xfd]"});
    }

    int Run(std::vector<std::string> args, const std::string& input = "") {
        std::istringstream in(input);
        std::ostringstream out, err;
        if (std::find(args.begin(), args.end(), "--data") == args.end()) {
            args.insert(args.begin(), {"--data", dir.string()});
        }
        const int status = RunCli(args, in, out, err);
        stdoutText = out.str();
        stderrText = err.str();
        return status;
    }

    std::string stdoutText, stderrText;
};

TEST_F(CliTest, OneOutputLinePerInputLineWithVariantsJoinedByTab) {
    EXPECT_EQ(Run({"-l", "t"}, "ab\r\n\nab, a!\n"), 0);
    EXPECT_EQ(stdoutText, "аб\tав\n\nаб, а!\tав, а!\n");
    EXPECT_EQ(stderrText, "");
    EXPECT_EQ(Run({"--lang", "t", "a", "b"}), 0);
    EXPECT_EQ(stdoutText, "а\nб\tв\n");
    // Lines may end in CR LF, LF or a lone CR; a TAB inside a line is a blank.
    EXPECT_EQ(Run({"-lt"}, "a\rb\r\na\tb\ra"), 0);
    EXPECT_EQ(stdoutText, "а\nб\tв\nа б\tа в\nа\n");
}

// Output whose writes fail, as on a full disk.
struct FullDisk : std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(CliTest, AFailedWriteEndsTheRunWithStatusFour) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    std::istringstream in("a\nb\n");
    EXPECT_EQ(RunCli({"--data", dir.string(), "-l", "t"}, in, out, err), 4);
    EXPECT_EQ(err.str(), "quillomorph-cli: cannot write the output\n");
    std::istringstream none;
    EXPECT_EQ(RunCli({"--data", dir.string(), "-l", "t", "a"}, none, out, err), 4);
    EXPECT_EQ(RunCli({"--help"}, none, out, err), 4);
}

// Output that records where it was flushed, and input that hands out one line at a time, as
// a terminal or a program waiting for each answer does.
struct FlushMarks : std::stringbuf {
    int sync() override {
        sputc('|');
        return 0;
    }
};
struct LineByLine : std::streambuf {
    explicit LineByLine(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    int_type underflow() override {
        if (next_ == lines_.size()) return traits_type::eof();
        current_ = lines_[next_++];
        setg(&current_[0], &current_[0], &current_[0] + current_.size());
        return traits_type::to_int_type(current_[0]);
    }
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string current_;
};

TEST_F(CliTest, AnswersAreFlushedOnceNoMoreInputWaits) {
    const std::vector<std::string> args = {"--data", dir.string(), "-l", "t"};
    std::ostringstream err;
    FlushMarks batchOut;
    std::ostream batch(&batchOut);
    std::istringstream all("a\nb\na\n");
    EXPECT_EQ(RunCli(args, all, batch, err), 0);
    EXPECT_EQ(batchOut.str(), "а\nб\tв\nа\n|"); // one flush, after the last line

    FlushMarks eachOut;
    std::ostream each(&eachOut);
    LineByLine linesBuf({"a\n", "b\n", "a\n"});
    std::istream lines(&linesBuf);
    EXPECT_EQ(RunCli(args, lines, each, err), 0);
    EXPECT_EQ(eachOut.str(), "а\n|б\tв\n|а\n|");

    // Texts given as arguments: one flush at the end.
    FlushMarks textsOut;
    std::ostream texts(&textsOut);
    std::istringstream none;
    EXPECT_EQ(RunCli({"--data", dir.string(), "-l", "t", "a", "b"}, none, texts, err), 0);
    EXPECT_EQ(textsOut.str(), "а\nб\tв\n|");
}

TEST_F(CliTest, CodePageDecidesTheInputBytes) {
    // é is byte 0xE9 in cp1252, a letter here; in cp1251 the same character is unknown.
    EXPECT_EQ(Run({"-l", "t", "--codepage", "1252", "é"}), 0);
    EXPECT_EQ(stdoutText, "э\n");
    // The letter e it is built on is no letter either: it passes through as typed.
    EXPECT_EQ(Run({"-l", "t", "--codepage=1251", "é"}), 0);
    EXPECT_EQ(stdoutText, "é\n");
    // A character the page lacks becomes its base letter.
    EXPECT_EQ(Run({"-l", "t", "ā"}), 0);
    EXPECT_EQ(stdoutText, "а\n");
}

TEST_F(CliTest, UsageErrors) {
    EXPECT_EQ(Run({"--no-such-option"}, "a\n"), 2);
    EXPECT_EQ(stdoutText, "");
    EXPECT_EQ(stderrText, "quillomorph-cli: unknown option: --no-such-option\n"
                          "Try 'quillomorph-cli --help' for more information.\n");
    EXPECT_EQ(Run({"--codepage", "866"}), 2);
    EXPECT_EQ(Run({"-l"}), 2);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(stdoutText.find("--check=FILE"), std::string::npos);
}

TEST_F(CliTest, MissingLanguageIsReportedAndNoInputIsRead) {
    EXPECT_EQ(Run({"-l", "none"}, "a\n"), 1);
    EXPECT_EQ(stdoutText, "");
    EXPECT_EQ(stderrText, "Не получилось открыть файл с правилами транскрипции!\n");
}

TEST_F(CliTest, RuleFileMessagesGoToStandardError) {
    WriteLines("t.lin", {"[a]=[\xe0]", "", "[b]=[\xe1]"});
    EXPECT_EQ(Run({"-l", "t", "ab"}), 0);
    EXPECT_EQ(stderrText, "Ошибка в правиле: Отсутствует [, правило 1\n");
    EXPECT_EQ(stdoutText, "аб\n");
}

TEST_F(CliTest, CollectionErrorOnOneLineLeavesTheOthersAndStatusThree) {
    WriteLines("t.alf", {"a=a", "---", "b=b", "---", "x=x", "---"});
    WriteLines("t.syl", {"a", "xx ", ""});
    EXPECT_EQ(Run({"-l", "t"}, "a\nxxab\nb\nxxab\n"), 3);
    EXPECT_EQ(stdoutText, "а\n\nб\tв\n\n");
    EXPECT_EQ(stderrText, "error: Неверный Индекс -1\nerror: Неверный Индекс -1\n"
                          "quillomorph-cli: internal errors on 2 of 4 lines (their output lines "
                          "are empty): lines 2, 4\n");
    EXPECT_EQ(Run({"-l", "t", "xxab"}), 3);
    EXPECT_EQ(stderrText, "error: Неверный Индекс -1\n");
}

TEST_F(CliTest, ThreadsGiveTheAnswersReportsAndStatusOfOne) {
    // Lines that fail, lines over the limit and ordinary ones, many blocks' worth.
    WriteLines("t.alf", {"a=a", "---", "b=b", "---", "x=x", "---"});
    WriteLines("t.syl", {"a", "xx ", ""});
    const std::string tooLong(quillomorph::Transcriber::MaxLineBytes + 1, 'b');
    // The last block shared among the threads, or a few lines after the shared ones.
    for (const int count : {9000, 8292}) {
        std::string input;
        for (int i = 0; i < count; ++i)
            input += i % 997 == 5    ? "xxab\n"
                     : i % 4001 == 7 ? tooLong + "\n"
                     : i % 3         ? "ab\n"
                                     : "ba b\n";
        const int alone = Run({"-l", "t", "-j1"}, input);
        const std::string aloneOut = stdoutText, aloneErr = stderrText;
        EXPECT_EQ(alone, 3);
        EXPECT_NE(aloneErr.find("lines 6, 1003,"), std::string::npos) << aloneErr;
        EXPECT_EQ(Run({"-l", "t", "-j3"}, input), alone);
        EXPECT_EQ(stdoutText, aloneOut);
        EXPECT_EQ(stderrText, aloneErr);
        EXPECT_EQ(Run({"-l", "t", "--jobs=2", "--best"}, input), alone);
    }
    EXPECT_EQ(Run({"-l", "t", "-j", "0"}), 2);
    EXPECT_EQ(Run({"-l", "t", "-j", "65"}), 2); // each thread would hold the language once
}

TEST_F(CliTest, TraceWritesTheLogAndPrintsTheCodes) {
    EXPECT_EQ(Run({"-l", "t", "--trace", "a"}), 0);
    EXPECT_EQ(stdoutText, "а\n");
    EXPECT_EQ(stderrText, "symbols: <a>\nvariant 1: 60 224 62\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "trans.log"));
}

TEST_F(CliTest, CheckPrintsMissesAndASummary) {
    // The list path is taken from the starting directory, not the data directory.
    const auto start = dir / "start";
    std::filesystem::create_directories(start);
    std::ofstream(start / "list.tsv") << "# comment\na\tа\nb\tб\nab\tав | xx\nc\tц\textra\n";
    std::filesystem::current_path(start);
    EXPECT_EQ(Run({"-l", "t", "--check", "list.tsv"}), 0);
    EXPECT_EQ(stdoutText,
              "miss: c -> c   (accepted: ц)\n"
              "check: 4 items, found 3 (75.0%), single 1 (25.0%), mean variants 1.50, first 2 "
              "(50.0%)\n");
    EXPECT_EQ(Run({"-l", "t", "--check", "missing.tsv"}), 2);
}

TEST_F(CliTest, BestAndRankedFollowTheRulesWrittenFirst) {
    // в is written before б: sorted б first, ranked в first.
    WriteFile("u.bin", "not compiled");
    WriteLines("u.alf", {"a=a", "---", "b=b", "---"});
    WriteLines("u.lin", {"[a]=[\xe0]", "[b]=[\xe2]", "[b]=[\xe1]", "[b]=[\xe3]"});
    EXPECT_EQ(Run({"-l", "u"}, "ab\n\na\n"), 0);
    EXPECT_EQ(stdoutText, "аб\tав\tаг\n\nа\n");
    EXPECT_EQ(Run({"-l", "u", "--ranked"}, "ab\n\na\n"), 0);
    EXPECT_EQ(stdoutText, "ав\tаб\tаг\n\nа\n");
    EXPECT_EQ(Run({"-l", "u", "--best", "ab", "a"}), 0);
    EXPECT_EQ(stdoutText, "ав\nа\n");
    EXPECT_EQ(Run({"-l", "u", "--best", "--ranked", "ab"}), 2);
    EXPECT_NE(stderrText.find("--best and --ranked exclude each other"), std::string::npos);
}

TEST(CheckList, ParsesColumnsAndSkipsComments) {
    const auto items =
        ParseCheckList("#x\ty\nJohn\tДжон | Джонн \tgiven\r\n\nMao Zedong\tМао Цзэдун\n");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].input, "John");
    EXPECT_EQ(items[0].accepted, (std::vector<std::string>{"Джон", "Джонн"}));
    EXPECT_EQ(items[1].input, "Mao Zedong");
    CheckTally tally;
    EXPECT_EQ(
        tally.Summary(),
        "check: 0 items, found 0 (0.0%), single 0 (0.0%), mean variants 0.00, first 0 (0.0%)");
}

} // namespace

namespace {

TEST_F(CliTest, ALineOverTheLimitIsReportedNotCut) {
    const std::string tooLong(quillomorph::Transcriber::MaxLineBytes + 1, 'a');
    EXPECT_EQ(Run({"-l", "t"}, "b\n" + tooLong + "\na\n"), 5);
    EXPECT_EQ(stdoutText, "б\tв\n\nа\n");
    EXPECT_EQ(stderrText, "quillomorph-cli: line 2 has 1048577 bytes, more than the 1048576 a "
                          "line may have; its output line is empty\n");
    // A line of the limit is transcribed whole.
    const std::string longest(quillomorph::Transcriber::MaxLineBytes, 'a');
    EXPECT_EQ(Run({"-l", "t"}, longest + "\n"), 0);
    EXPECT_EQ(stdoutText.size(), longest.size() * 2 + 1); // а is two bytes of UTF-8
}

} // namespace
