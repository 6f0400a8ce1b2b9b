#include "engine/TransCriber.h"
#include "platform/Messages.h"
#include "platform/StringList.h"

#include "engine/SymbolCodes.h"

#include <string>

namespace {

void AppendSymbol(Text& text, const Symbol& symbol, bool rightSide) {
    text += '[';
    if (rightSide && symbol.code >= codes::Reference)
        text += "#" + std::to_string(symbol.code & 0xFFFFFFu);
    else if (!rightSide && symbol.code == 0)
        text += ' ';
    else
        text += static_cast<char>(symbol.code & 0xFF);
    text += ':';
    for (std::int32_t i = 0; i < symbol.params.Count(); ++i) {
        const SmbParams& p = symbol.params[i];
        text += p.name;
        text += '-';
        text += p.value;
        text += ',';
    }
    text.pop_back();
    text += ']';
}

} // namespace

void TransCriber::TraceLine(const Text& line) {
    traceLines->Add(line);
}

Text TransCriber::RuleText(const ScribeRule& rule) {
    Text text;
    for (std::int32_t i = 0; i < rule.left.Count(); ++i)
        AppendSymbol(text, rule.left[i], false);
    text += '=';
    for (std::int32_t i = 0; i < rule.right.Count(); ++i)
        AppendSymbol(text, rule.right[i], true);
    return text;
}

void TransCriber::WriteTrace(const Text& fileName) {
    platform::StringList file;
    if (!file.LoadFromFile(fileName)) file.Clear();
    file.Add("----------");
    file.AddStrings(*traceLines);
    if (!file.SaveToFile(fileName)) platform::MessageBoxA("Can't write log", "error");
}
