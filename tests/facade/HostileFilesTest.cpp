// Language files nobody checked: the facade answers and stays usable.

#include "CompiledImage.h"
#include "TempLanguageDir.h"

#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"

#include <string>
#include <vector>

namespace {

class HostileFiles : public TempLanguageDir {
protected:
    std::vector<std::string> Transcribe(const Text& line) {
        platform::StringList out;
        facade.Transcribe(line, out);
        std::vector<std::string> lines;
        for (int i = 0; i < out.Count(); ++i)
            lines.push_back(out[i]);
        return lines;
    }

    LinearQuilloMorph facade;
};

TEST_F(HostileFiles, CompiledRuleWithoutLeftSideRaisesAndKeepsTheOthers) {
    // Found by fuzzing the compiled file: the sort raises the collection index error, which
    // reaches the caller as the program's answer; the language stays loaded without the rule.
    CompiledImage image;
    image.Magic()
        .Alfa({{'a', {'a'}}, {'b', {'b'}}})
        .Syla("")
        .Tran({{{{'a'}}, {{'x'}}}, {{}, {{'y'}}}, {{{'b'}}, {{'z'}}}});
    WriteFile("t.bin", image.Bytes());
    bool raised = false;
    try {
        facade.LoadLanguage("t");
    } catch (const Text& error) {
        raised = true;
        EXPECT_EQ(error, platform::FromUtf8("Неверный Индекс 0", platform::CodePage::Cp1251));
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(facade.languageKey, "t");
    EXPECT_EQ(facade.transcriber.ruleCount, 2);
    EXPECT_EQ(Transcribe("ab ba"), (std::vector<std::string>{"xz zx"}));
}

} // namespace
