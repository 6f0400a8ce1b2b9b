#include "data/tools/LanguageSource.h"
#include "data/tools/RuleSource.h"
#include "data/tools/Utf8Case.h"

#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace datagen;
using platform::CodePage;

namespace {

std::string Cp1251(const std::string& utf8) {
    return platform::FromUtf8(utf8, CodePage::Cp1251);
}
std::string Utf8(const std::string& cp1251) {
    return platform::ToUtf8(cp1251, CodePage::Cp1251);
}

// The rule-file lines a source rule becomes, in UTF-8 (left and right sides both Cyrillic or
// ASCII here, so one decoding serves).
std::vector<std::string> Lines(const std::string& source, const std::string& caseParam = "") {
    std::vector<std::string> lines;
    for (SourceRule rule : ExpandCase(ParseRuleLine(source), caseParam)) {
        MarkOutputCase(rule, caseParam);
        lines.push_back(Utf8(FormatRule(rule, CodePage::Cp1251)));
    }
    return lines;
}

std::vector<SourceLine> Source(const std::string& text) {
    return ContentLines(text, "src.txt");
}

} // namespace

TEST(RuleLine, LetterRunsBecomeOneItemPerLetterAndKeepTheSystemSyntax) {
    EXPECT_EQ(Lines("[sch]=[щ]"), std::vector<std::string>{"[s;c;h]=[щ]"});
    EXPECT_EQ(Lines("[s;c;h]=[щ]"), std::vector<std::string>{"[s;c;h]=[щ]"});
    EXPECT_EQ(Lines("[$0,beg=beg;e,stress=y]=[э]"),
              std::vector<std::string>{"[$0,beg=beg;e,stress=y]=[э]"});
    EXPECT_EQ(Lines("[ ;x]=[#0;кс]"), std::vector<std::string>{"[ ;x]=[#0;к;с]"});
    EXPECT_EQ(Lines("[<;ts;a;>]=[ца]   # a comment"),
              std::vector<std::string>{"[<;t;s;a;>]=[ц;а]"});
    EXPECT_EQ(Lines("[ь]=[]"), std::vector<std::string>{"[ь]=[]"});
}

TEST(RuleLine, CharactersTheRuleSyntaxReservesAreWrittenAsCodes) {
    // Codes stay codes; "=" is written as its code on both sides, while "#" on the left and
    // "$" on the right are ordinary characters. A blank on the right is a character too.
    EXPECT_EQ(Lines("[48;#;=]=[=;$;59]"), std::vector<std::string>{"[48;#;61]=[61;$;59]"});
    EXPECT_EQ(Lines("[a]=[a b]"), std::vector<std::string>{"[a]=[a; ;b]"});
    EXPECT_EQ(Lines("[№]=[N;111]"), std::vector<std::string>{"[№]=[N;111]"});
}

TEST(RuleLine, MalformedLinesAreRejected) {
    for (const char* bad :
         {"a]=[b]", "[a]=b", "[a]=[b", "[a]=[b] c", "[$x;a]=[b]", "[a]=[#]", "[a;;b]=[c]",
          "[ab,x=y]=[c]", "[a1]=[b]", "[a b]=[c]", "[$0,beg=beg]=[c]", "[a,name]=[b]",
          "[a,averyveryverylongparametername=1]=[b]", "[a,x=twelve_bytes]=[b]"})
        EXPECT_THROW(ParseRuleLine(bad), SourceError) << bad;
}

TEST(RuleLine, SidesUseTheirOwnCodePages) {
    // The left side is input (here cp1252), the right side output (cp1251).
    const SourceRule rule = ParseRuleLine("[é]=[е]");
    EXPECT_EQ(FormatRule(rule, CodePage::Cp1252), "[\xE9]=[\xE5]");
    EXPECT_THROW(FormatRule(ParseRuleLine("[ж]=[zh]"), CodePage::Cp1252), SourceError);
    EXPECT_THROW(FormatRule(ParseRuleLine("[a]=[é]"), CodePage::Cp1252), SourceError);
}

TEST(CaseExpansion, MultiLetterLeftSidesGetThreeForms) {
    EXPECT_EQ(Lines("*[sch]=[щ]"),
              (std::vector<std::string>{"[s;c;h]=[щ]", "[S;c;h]=[Щ]", "[S;C;H]=[Щ]"}));
    EXPECT_EQ(Lines("*[ost;>]=[ость]"),
              (std::vector<std::string>{"[o;s;t;>]=[о;с;т;ь]", "[O;s;t;>]=[О;с;т;ь]",
                                        "[O;S;T;>]=[О;С;Т;Ь]"}));
    // Word-start marker, contexts and parameters are kept in every form.
    EXPECT_EQ(Lines("*[$1,beg=beg;<;ye]=[е]"),
              (std::vector<std::string>{"[$1,beg=beg;<;y;e]=[е]", "[$1,beg=beg;<;Y;e]=[Е]",
                                        "[$1,beg=beg;<;Y;E]=[Е]"}));
}

TEST(CaseExpansion, FormsThatCoincideAreWrittenOnce) {
    EXPECT_EQ(Lines("*[y]=[ы]"), (std::vector<std::string>{"[y]=[ы]", "[Y]=[Ы]"}));
    EXPECT_EQ(Lines("*[ь]=[]"), (std::vector<std::string>{"[ь]=[]", "[Ь]=[]"}));
    EXPECT_EQ(Lines("*[<;>]=[<]"), std::vector<std::string>{"[<;>]=[<]"});
    EXPECT_THROW(ExpandCase(ParseRuleLine("*[<;>]=[x]"), ""), SourceError);
}

TEST(CaseExpansion, OneCapitalBecomingSeveralLettersFollowsItsNeighbours) {
    EXPECT_THROW(ExpandCase(ParseRuleLine("*[щ]=[shch]"), ""), SourceError);
    EXPECT_EQ(Lines("*[щ]=[shch]", "c"), (std::vector<std::string>{
                                             "[щ]=[s,c=l;h,c=l;c,c=l;h,c=l]",
                                             "[$0,beg=beg;Щ]=[S,c=u;h,c=l;c,c=l;h,c=l]",
                                             "[$0,c=l;Щ]=[S,c=u;h,c=l;c,c=l;h,c=l]",
                                             "[$0,c=u;Щ]=[S,c=u;H,c=u;C,c=u;H,c=u]",
                                             "[Щ; ,c=u]=[S,c=u;H,c=u;C,c=u;H,c=u;#1]",
                                         }));
    // At the word start the look-behind forms are not needed.
    EXPECT_EQ(Lines("*[<;я]=[ya]", "c"),
              (std::vector<std::string>{"[<;я]=[y,c=l;a,c=l]", "[<;Я]=[Y,c=u;a,c=l]",
                                        "[<;Я; ,c=u]=[Y,c=u;A,c=u;#2]"}));
    EXPECT_THROW(ExpandCase(ParseRuleLine("*[щ;>]=[shch;#1]"), "c"), SourceError);
}

TEST(CaseExpansion, NeighbourFormsReuseTheRuleOwnLookAheadAndCondition) {
    // A rule that already holds its next letter through a wildcard: the case goes there.
    EXPECT_EQ(Lines("*[ж; ,k=v]=[zh;#1]", "c"), (std::vector<std::string>{
                                                    "[ж; ,k=v]=[z,c=l;h,c=l;#1]",
                                                    "[$0,beg=beg;Ж; ,k=v,c=l]=[Z,c=u;h,c=l;#1]",
                                                    "[$0,c=l;Ж; ,k=v,c=l]=[Z,c=u;h,c=l;#1]",
                                                    "[$0,c=u;Ж; ,k=v,c=l]=[Z,c=u;H,c=u;#1]",
                                                    "[Ж; ,k=v,c=u]=[Z,c=u;H,c=u;#1]",
                                                }));
    // A rule with its own "$0" condition gets the case added to it; at the word end nothing
    // follows to look at.
    EXPECT_EQ(
        Lines("*[$0,k=c;y;>]=[ый]", "c"),
        (std::vector<std::string>{"[$0,k=c;y;>]=[ы,c=l;й,c=l]", "[$0,k=c,c=l;Y;>]=[Ы,c=u;й,c=l]",
                                  "[$0,k=c,c=u;Y;>]=[Ы,c=u;Й,c=u]"}));
}

TEST(OutputMarks, LettersOfASetCarryTheParameterInEitherCase) {
    SourceRule rule = ParseRuleLine("[x]=[Аб;1;ь,k=z]");
    MarkOutputLetters(rule, {{{"k", "v"}, U"аеиоу"}, {{"k", "z"}, U"ь"}, {{"w", "y"}, U"абь"}});
    EXPECT_EQ(Utf8(FormatRule(rule, CodePage::Cp1251)), "[x]=[А,k=v,w=y;б,w=y;1;ь,k=z,w=y]");
}

TEST(Alphabet, EntriesCarryCodesParametersAndCase) {
    LanguageSettings settings;
    settings.input = CodePage::Cp1251;
    settings.caseParam = "c";
    const std::string alf = MakeAlphabet(Source("# letters\nаБ\n1 #=x -,k=v\n"), settings);
    EXPECT_EQ(Utf8(alf), "а=а\r\nc=l\r\n---\r\nБ=Б\r\nc=u\r\n---\r\n"
                         "1=1\r\n---\r\n#35=x\r\n---\r\n#45=-\r\nk=v\r\n---\r\n");
    EXPECT_THROW(MakeAlphabet(Source("ab\nb\n"), settings), SourceError);
    EXPECT_THROW(MakeAlphabet(Source("ab=\n"), settings), SourceError);
}

TEST(Alphabet, ALetterWrittenByItsCodeMayBeABlank) {
    LanguageSettings settings;
    settings.input = CodePage::Cp1252;
    EXPECT_EQ(MakeAlphabet(Source("U+0020=>,k=w U+00e4\n"), settings),
              "#32=>\r\nk=w\r\n---\r\n\xE4=\xE4\r\n---\r\n");
    // Fewer than four hex digits: the letters U, + and the rest stand for themselves.
    EXPECT_EQ(MakeAlphabet(Source("U+4\n"), settings),
              "U=U\r\n---\r\n+=+\r\n---\r\n4=4\r\n---\r\n");
    EXPECT_THROW(MakeAlphabet(Source("U+0000\n"), settings), SourceError);
}

TEST(Syllables, TablesAreOrderedByFirstByteAndSuffixesReversed) {
    LanguageSettings settings;
    const std::string syl = MakeSyllables(Source("vowels a e\n"
                                                 "prefix un un-\n"
                                                 "prefix be be=\n"
                                                 "prefix ba\n"
                                                 "suffix ing -ing\n"
                                                 "suffix ed ed\n"),
                                          settings);
    EXPECT_EQ(syl, "ae\r\nbe be=\r\nba \r\nun un-\r\n\r\nde de\r\ngni gni-\r\n");
    EXPECT_EQ(MakeSyllables({}, settings), "\r\n\r\n");
    EXPECT_THROW(MakeSyllables(Source("vowel a\n"), settings), SourceError);
}

TEST(Exceptions, WordInInputPageReplacementInCp1251) {
    LanguageSettings settings;
    settings.input = CodePage::Cp1252;
    EXPECT_EQ(MakeExceptions(Source("café ; кафе\n"), settings), "caf\xE9;\xEA\xE0\xF4\xE5\r\n");
    EXPECT_THROW(MakeExceptions(Source("no divider\n"), settings), SourceError);
}

TEST(RuleFile, RepeatsAreDroppedAndErrorsNameTheLine) {
    LanguageSettings settings;
    int count = 0;
    const std::string lin =
        MakeRules(Source("*[a]=[b]\n\n# c\n[a]=[b]\n[c]=[d]\n"), settings, &count);
    EXPECT_EQ(lin, "[a]=[b]\r\n[A]=[B]\r\n[c]=[d]\r\n");
    EXPECT_EQ(count, 3);
    try {
        MakeRules(Source("[a]=[b]\n# note\n[a]=b\n"), settings);
        FAIL() << "no error";
    } catch (const SourceError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("src.txt:3: ", 0), 0u) << e.what();
    }
}

TEST(Settings, KnownNamesOnly) {
    const LanguageSettings s =
        ParseSettings(Source("input = cp1251\ncase-param = c\nmark-output = k=v АЕ и\n"));
    EXPECT_EQ(s.input, CodePage::Cp1251);
    EXPECT_EQ(s.caseParam, "c");
    ASSERT_EQ(s.marks.size(), 1u);
    EXPECT_EQ(s.marks[0].param, (Param{"k", "v"}));
    EXPECT_EQ(s.marks[0].letters, U"аеи");
    EXPECT_THROW(ParseSettings(Source("mark-output = k=v\n")), SourceError);
    EXPECT_THROW(ParseSettings(Source("mark-output = kv аe\n")), SourceError);
    EXPECT_THROW(ParseSettings(Source("input = koi8\n")), SourceError);
    EXPECT_THROW(ParseSettings(Source("output = cp1251\n")), SourceError);
    EXPECT_THROW(ParseSettings(Source("case-param = a,b\n")), SourceError);
}

// A whole language built into a folder and run through the facade: the placeholder .bin makes
// it load the text files, and the case rules work in the engine.
TEST(BuiltLanguage, LoadsWithoutMessagesAndKeepsTheInputCase) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "qm-datagen-test";
    fs::remove_all(dir);
    fs::create_directories(dir / "src" / "mini");
    auto write = [&](const char* name, const char* text) {
        std::ofstream(dir / "src" / "mini" / name, std::ios::binary) << text;
    };
    write("language.txt", "input = cp1251\ncase-param = c\n");
    write("alphabet.txt", "щукинюлья ЩУКИНЮЛЬЯ\n");
    write("rules.txt", "*[щ]=[shch]\n*[у]=[u]\n*[к]=[k]\n*[и]=[i]\n*[н]=[n]\n*[ю]=[iu]\n"
                       "*[л]=[l]\n*[ь]=[]\n*[я]=[ia]\n");
    const GeneratedFiles files = BuildLanguage(dir / "src" / "mini", "mini");
    ASSERT_EQ(files.size(), 5u);
    for (const auto& [name, bytes] : files)
        std::ofstream(dir / name, std::ios::binary) << bytes;
    EXPECT_NE(files.at("mini.bin").rfind("quillomorph binary", 0), 0u);

    int messages = 0;
    platform::MessageHandler previous =
        platform::SetMessageHandler([&](const Text&, const Text&) { ++messages; });
    const fs::path saved = fs::current_path();
    fs::current_path(dir);
    LinearQuilloMorph facade;
    facade.LoadLanguage("mini");
    std::vector<std::string> out;
    for (const char* word :
         {"Щукин", "ЩУКИН", "щукин", "Юлия", "ЮЛИЯ", "ЛЮ", "ЛЬЮ", "Ю", "щ 7,Щ"}) {
        platform::StringList list;
        facade.Transcribe(Cp1251(word), list);
        std::string joined;
        for (int i = 0; i < list.Count(); ++i)
            joined += (i ? "|" : "") + Utf8(list[i]);
        out.push_back(joined);
    }
    fs::current_path(saved);
    platform::SetMessageHandler(previous);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(out, (std::vector<std::string>{"Shchukin", "SHCHUKIN", "shchukin", "Iuliia", "IULIIA",
                                             "LIU", "LIU", "Iu", "shch 7,Shch"}));
    fs::remove_all(dir);
}

TEST(Utf8Case, DecodingRejectsMalformedInput) {
    std::u32string text;
    EXPECT_TRUE(DecodeUtf8("aЖ€😀", text));
    EXPECT_EQ(text, U"aЖ€😀");
    EXPECT_EQ(EncodeUtf8(text), "aЖ€😀");
    for (const char* bad : {"\xD0", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\x80", "\xF8\x88"})
        EXPECT_FALSE(DecodeUtf8(bad, text)) << bad;
}

TEST(Utf8Case, CaseOfTheLettersTheCodePagesHold) {
    const std::u32string lower = U"azàéþÿœšžłńőёяђџ";
    const std::u32string upper = U"AZÀÉÞŸŒŠŽŁŃŐЁЯЂЏ";
    for (std::size_t i = 0; i < lower.size(); ++i) {
        EXPECT_EQ(ToUpper(lower[i]), upper[i]) << i;
        EXPECT_EQ(ToLower(upper[i]), lower[i]) << i;
        EXPECT_TRUE(IsUpper(upper[i]));
        EXPECT_FALSE(IsUpper(lower[i]));
    }
    // No case: sharp s keeps its form, signs and digits are not letters with case.
    for (char32_t c : std::u32string(U"ß×÷1`'<"))
        EXPECT_FALSE(IsCased(c)) << static_cast<unsigned>(c);
}
