#include "CompiledImage.h"
#include "TempLanguageDir.h"

#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"

#include <memory>

namespace {

using platform::StringList;

Text Cp1251(const char* utf8) {
    return platform::FromUtf8(utf8, platform::CodePage::Cp1251);
}

std::vector<std::string> Lines(const StringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

class FacadeTest : public TempLanguageDir {
protected:
    // A text-file language "t": letters a, b, c; a -> x, b -> y | Y, c -> X.
    void WriteTextLanguage() {
        WriteFile("t.bin", "not compiled");
        WriteLines("t.alf", {"a=a", "---", "b=b", "---", "c=c", "---"});
        WriteLines("t.lin", {"[a]=[x]", "[b]=[y]", "[b]=[Y]", "[c]=[X]"});
    }

    std::vector<std::string> Transcribe(const Text& line) {
        StringList out;
        facade->Transcribe(line, out);
        return Lines(out);
    }

    std::unique_ptr<LinearQuilloMorph> facade = std::make_unique<LinearQuilloMorph>();
};

TEST_F(FacadeTest, MissingBinShowsTheMessageAndLoadsNothing) {
    WriteLines("t.alf", {"a=a", "---"});
    WriteLines("t.lin", {"[a]=[x]"});
    facade->LoadLanguage("t");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Cp1251("Не получилось открыть файл с правилами транскрипции!"));
    EXPECT_TRUE(facade->languageKey.empty());
    StringList out;
    out.Add("kept");
    EXPECT_EQ(facade->Transcribe("a", out), 0);
    EXPECT_EQ(Lines(out), (std::vector<std::string>{"kept"}));
}

TEST_F(FacadeTest, UnusableBinFallsBackToTheTextFilesSilently) {
    WriteTextLanguage();
    facade->LoadLanguage("t");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(facade->languageKey, "t");
    EXPECT_EQ(facade->ReadCompiledRules(), -2);
    EXPECT_EQ(Transcribe("a, c"), (std::vector<std::string>{"x, X"}));
}

TEST_F(FacadeTest, OutputIsSortedAndCaseInsensitivelyUnique) {
    WriteTextLanguage();
    facade->LoadLanguage("t");
    // b forks into Y and y (rule order), which differ only in case: the first added stays.
    EXPECT_EQ(Transcribe("b"), (std::vector<std::string>{"Y"}));
    StringList out;
    out.Add("zz");
    out.Add("aa");
    EXPECT_EQ(facade->Transcribe("ab", out), 1);
    EXPECT_EQ(Lines(out), (std::vector<std::string>{"aa", "xY", "zz"}));
    EXPECT_TRUE(out.Sorted());
    // 128 variants that differ only in case: the first in the engine's order stays.
    EXPECT_EQ(Transcribe("bbbbbbb"), (std::vector<std::string>{"YYYYYYY"}));
    EXPECT_EQ(Transcribe("cbcbcbcbc"), (std::vector<std::string>{"XYXYXYXYX"}));
}

TEST_F(FacadeTest, EmptyLineLeavesTheListUntouched) {
    WriteTextLanguage();
    facade->LoadLanguage("t");
    facade->SetDebug(true);
    EXPECT_EQ(Transcribe("a").size(), 1u);
    EXPECT_EQ(facade->variantTraceCount, 1);
    StringList out;
    out.Add("b");
    out.Add("a");
    EXPECT_EQ(facade->Transcribe("", out), 0);
    EXPECT_EQ(Lines(out), (std::vector<std::string>{"b", "a"}));
    EXPECT_FALSE(out.Sorted());
    EXPECT_EQ(facade->variantTraceCount, 0);
    EXPECT_EQ(facade->variantTraces, nullptr); // released, not leaked behind a zero count
}

TEST_F(FacadeTest, MarkersAreDroppedButOtherCodesPrintTheirLowByte) {
    WriteFile("t.bin", "x");
    WriteLines("t.alf", {"a=a", "---", "b=b", "---", "c=c", "---"});
    // 316 has 60 as its low byte; the reference #1 past the end leaves a placeholder.
    WriteLines("t.lin", {"[a]=[316]", "[b]=[#1]", "[c]=[60;62]"});
    facade->LoadLanguage("t");
    EXPECT_EQ(Transcribe("a"), (std::vector<std::string>{"<"}));
    EXPECT_EQ(Transcribe("b"), (std::vector<std::string>{"\xfb"}));
    EXPECT_EQ(Transcribe("c"), (std::vector<std::string>{""}));
}

TEST_F(FacadeTest, DebugKeepsTheSymbolLineAndEachVariantsCodes) {
    WriteFile("t.bin", "x");
    std::string alf = "a=a\r\n---\r\nz=";
    alf += '\0';
    alf += "\r\n---\r\n";
    WriteFile("t.alf", alf);
    WriteLines("t.lin", {"[a]=[x]", "[a]=[y]"});
    facade->LoadLanguage("t");
    facade->SetDebug(true);
    EXPECT_TRUE(facade->transcriber.traceOn);
    Transcribe("az");
    ASSERT_NE(facade->symbolTrace, nullptr);
    EXPECT_EQ((*facade->symbolTrace)[0], "<a_>");
    // A word symbol with code 0 matches every rule: both letters fork.
    ASSERT_EQ(facade->variantTraceCount, 4);
    EXPECT_EQ(Lines(*facade->variantTraces[0]),
              (std::vector<std::string>{"60", "120", "120", "62"}));
    EXPECT_EQ(Lines(*facade->variantTraces[3])[1], "121");
    facade->SetDebug(false);
    EXPECT_FALSE(facade->transcriber.traceOn);
    EXPECT_EQ(facade->variantTraces, nullptr);
}

TEST_F(FacadeTest, NoSymbolsMeansNoVariantsButStillDone) {
    WriteFile("t.bin", "x");
    WriteLines("t.alf", {"z=z", "---"});
    WriteLines("t.ex", {"zz;"});
    facade->LoadLanguage("t");
    StringList out;
    EXPECT_EQ(facade->Transcribe("zz", out), 1);
    EXPECT_EQ(out.Count(), 0);
}

TEST_F(FacadeTest, LoadingAgainReloadsTheFiles) {
    WriteTextLanguage();
    facade->LoadLanguage("t");
    WriteLines("t.lin", {"[a]=[q]"});
    facade->LoadLanguage("t");
    EXPECT_EQ(Transcribe("a"), (std::vector<std::string>{"q"}));
}

// A compiled language: letters a and b with "a" a vowel; a -> x, b -> y.
CompiledImage GoodImage() {
    CompiledImage image;
    image.Magic()
        .Alfa({{'a', {'a'}}, {'b', {'b'}}})
        .Syla("a")
        .Tran({{{{'a'}}, {{'x'}}}, {{{'b'}}, {{'y'}}}});
    return image;
}

TEST_F(FacadeTest, CompiledFileLoadsWithoutTheTextFiles) {
    WriteFile("t.bin", GoodImage().Raw("trailing bytes are ignored").Bytes());
    facade->LoadLanguage("t");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(facade->ReadCompiledRules(), 0);
    EXPECT_EQ(Transcribe("ab ba"), (std::vector<std::string>{"xy yx"}));
}

TEST_F(FacadeTest, CompiledFileResults) {
    facade->languageKey = "t";
    EXPECT_EQ(facade->ReadCompiledRules(), -1);
    WriteFile("t.bin", "quillomorph binary");
    EXPECT_EQ(facade->ReadCompiledRules(), -2);
    WriteFile("t.bin", "quillomorph binary 1.0 IN and more");
    EXPECT_EQ(facade->ReadCompiledRules(), -2);
    CompiledImage noSyla;
    noSyla.Magic().Alfa({{'a', {'a'}}}).Raw("sylb");
    WriteFile("t.bin", noSyla.Bytes());
    EXPECT_EQ(facade->ReadCompiledRules(), 1);
    CompiledImage noTran;
    noTran.Magic().Alfa({{'a', {'a'}}}).Syla("a").Raw("trap");
    WriteFile("t.bin", noTran.Bytes());
    EXPECT_EQ(facade->ReadCompiledRules(), 1);
    // Every cut of a good image fails cleanly, never reading past the end.
    const std::string good = GoodImage().Bytes();
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        WriteFile("t.bin", good.substr(0, cut));
        EXPECT_NE(facade->ReadCompiledRules(), 0) << cut;
    }
}

TEST_F(FacadeTest, FailingRuleBlockFallsBackAfterTheNewAlphabetWasTaken) {
    CompiledImage image;
    image.Magic().Alfa({{'q', {'q'}}}).Syla("").Raw("tran").Int(5).Int(1);
    WriteFile("t.bin", image.Bytes());
    facade->languageKey = "t";
    EXPECT_EQ(facade->ReadCompiledRules(), 1);
    EXPECT_EQ(facade->syllabite.alphabet.EntryCount(), 1);
    EXPECT_EQ(facade->transcriber.ruleCount, 0);

    WriteLines("t.alf", {"a=a", "---"});
    WriteLines("t.lin", {"[a]=[x]"});
    facade->LoadLanguage("t");
    EXPECT_EQ(Transcribe("aq"), (std::vector<std::string>{"xq"}));
}

} // namespace
