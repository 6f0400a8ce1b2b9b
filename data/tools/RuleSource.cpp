#include "data/tools/RuleSource.h"

#include "data/tools/Utf8Case.h"

#include <algorithm>

namespace datagen {
namespace {

constexpr std::size_t kNameLimit = 23;
constexpr std::size_t kValueLimit = 11;

bool IsDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

std::u32string Decode(const std::string& utf8) {
    std::u32string text;
    if (!DecodeUtf8(utf8, text)) throw SourceError("malformed UTF-8");
    return text;
}

std::vector<std::u32string> Split(const std::u32string& text, char32_t separator) {
    std::vector<std::u32string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::u32string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

bool IsParamChar(char32_t c) {
    return c > ' ' && c < 0x7F && c != ';' && c != ',' && c != ']' && c != '[' && c != '=';
}

// Reads ",name=value,name=value" (the text starts at the first ",").
std::vector<Param> ParseParams(const std::u32string& text) {
    std::vector<Param> params;
    if (text.empty()) return params;
    if (text[0] != ',') throw SourceError("a parameter list starts with \",\"");
    for (const std::u32string& pair : Split(text.substr(1), ',')) {
        const std::size_t eq = pair.find('=');
        if (eq == std::u32string::npos || eq == 0)
            throw SourceError("a parameter is written name=value");
        const std::u32string name = pair.substr(0, eq);
        const std::u32string value = pair.substr(eq + 1);
        if (!std::all_of(name.begin(), name.end(), IsParamChar) ||
            !std::all_of(value.begin(), value.end(), IsParamChar))
            throw SourceError("parameter names and values are plain ASCII without ; , [ ] =");
        if (name.size() > kNameLimit) throw SourceError("parameter name longer than 23 bytes");
        if (value.size() > kValueLimit) throw SourceError("parameter value longer than 11 bytes");
        params.push_back({EncodeUtf8(name), EncodeUtf8(value)});
    }
    return params;
}

std::uint32_t ParseCode(const std::u32string& digits) {
    std::uint64_t value = 0;
    for (char32_t c : digits) {
        value = value * 10 + (c - '0');
        if (value > 0xFFFFFFFFull) throw SourceError("code out of range");
    }
    return static_cast<std::uint32_t>(value);
}

// One ";"-separated item; a run of letters appends one item per letter.
void ParseItem(const std::u32string& text, bool left, std::vector<Item>& out) {
    if (text.empty()) throw SourceError("empty item (two \";\" in a row?)");
    const char32_t marker = left ? U'$' : U'#';
    if (text[0] == marker) {
        if (text.size() < 2 || !IsDigit(text[1]))
            throw SourceError(left ? "\"$\" needs a digit" : "\"#\" needs a digit");
        Item item;
        item.kind = left ? ItemKind::Context : ItemKind::Reference;
        item.value = text[1] - '0';
        item.params = ParseParams(text.substr(2));
        out.push_back(item);
        return;
    }
    const std::size_t comma = text.find(',');
    const std::u32string head = text.substr(0, comma);
    const std::vector<Param> params =
        comma == std::u32string::npos ? std::vector<Param>{} : ParseParams(text.substr(comma));
    if (head.empty()) throw SourceError("an item needs a letter before its parameters");
    if (left && head[0] == ' ') {
        if (head.size() != 1) throw SourceError("a wildcard (blank) is an item of its own");
        Item item;
        item.kind = ItemKind::Wildcard;
        item.params = params;
        out.push_back(item);
        return;
    }
    if (std::all_of(head.begin(), head.end(), IsDigit)) {
        Item item;
        item.kind = ItemKind::Code;
        item.value = ParseCode(head);
        item.params = params;
        out.push_back(item);
        return;
    }
    if (head.size() > 1 && !params.empty())
        throw SourceError("parameters belong to a single letter");
    for (char32_t c : head) {
        if (IsDigit(c)) throw SourceError("write a digit character as its code (48 for 0)");
        if (left && c == ' ') throw SourceError("a wildcard (blank) is an item of its own");
        if (c == marker) throw SourceError("\"$\" and \"#\" start an item of their own");
        if (c < ' ') throw SourceError("control character in a rule");
        Item item;
        item.letter = c;
        item.params = params;
        out.push_back(item);
    }
}

std::vector<Item> ParseSide(const std::u32string& text, bool left) {
    std::vector<Item> items;
    if (text.empty()) return items;
    for (const std::u32string& part : Split(text, ';'))
        ParseItem(part, left, items);
    return items;
}

enum class CaseForm { Lower, Capitalised, Upper };

std::vector<Item> WithCase(std::vector<Item> items, CaseForm form) {
    bool first = true;
    for (Item& item : items) {
        if (item.kind != ItemKind::Letter || !IsCased(item.letter)) continue;
        const bool upper = form == CaseForm::Upper || (form == CaseForm::Capitalised && first);
        item.letter = upper ? ToUpper(item.letter) : ToLower(item.letter);
        first = false;
    }
    return items;
}

SourceRule Form(const SourceRule& rule, CaseForm form) {
    SourceRule out;
    out.left = WithCase(rule.left, form);
    out.right = WithCase(rule.right, form);
    return out;
}

bool HasCasedLetter(const std::vector<Item>& items) {
    return std::any_of(items.begin(), items.end(), [](const Item& i) {
        return i.kind == ItemKind::Letter && IsCased(i.letter);
    });
}

Item Condition(const std::string& name, const std::string& value) {
    Item item;
    item.kind = ItemKind::Context;
    item.value = 0;
    item.params.push_back({name, value});
    return item;
}

void AddUnique(std::vector<SourceRule>& rules, const SourceRule& rule) {
    if (std::find(rules.begin(), rules.end(), rule) == rules.end()) rules.push_back(rule);
}

bool IsMarker(const Item& item, char32_t marker) {
    return (item.kind == ItemKind::Letter && item.letter == marker) ||
           (item.kind == ItemKind::Code && item.value == marker);
}

// Where the Capitalised form of a rule stands, the letter written before tells a word in
// capitals from a capitalised one: after an upper-case output letter the rule writes
// upperRight (all capitals), at the word start or after a lower-case letter its own right side.
void AddLookBehindForms(const SourceRule& cap, const std::vector<Item>& upperRight,
                        const std::string& caseParam, std::vector<SourceRule>& out) {
    std::size_t condition = cap.left.size(); // an existing "$0" condition
    for (std::size_t i = 0; i < cap.left.size(); ++i)
        if (cap.left[i].kind == ItemKind::Context && cap.left[i].value == 0) condition = i;
    const auto first = std::find_if(cap.left.begin(), cap.left.end(),
                                    [](const Item& i) { return i.kind != ItemKind::Context; });
    const bool atWordStart = first != cap.left.end() && IsMarker(*first, '<');
    const bool begCondition =
        condition < cap.left.size() &&
        std::find(cap.left[condition].params.begin(), cap.left[condition].params.end(),
                  Param{"beg", "beg"}) != cap.left[condition].params.end();
    if (atWordStart || begCondition) {
        AddUnique(out, cap);
        return;
    }
    SourceRule after = cap;
    after.right = upperRight;
    if (condition < cap.left.size()) {
        SourceRule r = cap;
        r.left[condition].params.push_back({caseParam, "l"});
        AddUnique(out, r);
        after.left[condition].params.push_back({caseParam, "u"});
    } else {
        for (const Item& c : {Condition("beg", "beg"), Condition(caseParam, "l")}) {
            SourceRule r = cap;
            r.left.insert(r.left.begin(), c);
            AddUnique(out, r);
        }
        after.left.insert(after.left.begin(), Condition(caseParam, "u"));
    }
    AddUnique(out, after);
}

// The Capitalised and UPPER forms of a rule whose left side does not tell them apart: the
// UPPER form after an upper-case output letter or before an upper-case input letter, the
// Capitalised form elsewhere.
void AddNeighbourForms(SourceRule cap, const SourceRule& upper, const std::string& caseParam,
                       std::vector<SourceRule>& out) {
    if (caseParam.empty())
        throw SourceError("the Capitalised and UPPER forms share a left side; declare "
                          "case-param in language.txt to let the neighbour letters decide");
    std::size_t letters = 0;
    for (const Item& item : cap.left)
        if (item.kind != ItemKind::Context) ++letters;
    // A rule that holds its last letter (a trailing "#d") already looks at the next letter,
    // through a wildcard: the case goes onto that wildcard.
    const bool holdsLast = !upper.right.empty() && upper.right.back().kind == ItemKind::Reference &&
                           upper.right.back().value + 1 == letters;
    if (holdsLast) {
        if (cap.left.back().kind != ItemKind::Wildcard)
            throw SourceError("a case-expanded rule that holds its last letter needs a "
                              "wildcard there");
        cap.left.back().params.push_back({caseParam, "l"});
    }
    AddLookBehindForms(cap, upper.right, caseParam, out);

    if (IsMarker(cap.left.back(), '>')) return; // nothing follows the end of the word
    SourceRule ahead = upper;
    if (holdsLast) {
        ahead.left.back().params.push_back({caseParam, "u"});
    } else {
        if (letters > 9) throw SourceError("too many left items for a look-ahead reference");
        Item wildcard;
        wildcard.kind = ItemKind::Wildcard;
        wildcard.params.push_back({caseParam, "u"});
        ahead.left.push_back(wildcard);
        Item reference;
        reference.kind = ItemKind::Reference;
        reference.value = static_cast<std::uint32_t>(letters);
        ahead.right.push_back(reference);
    }
    AddUnique(out, ahead);
}

void AppendParams(std::string& out, const std::vector<Param>& params) {
    for (const Param& p : params)
        out += "," + p.name + "=" + p.value;
}

std::string FormatSide(const std::vector<Item>& items, bool left, platform::CodePage page) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        if (i) out += ';';
        switch (item.kind) {
        case ItemKind::Context:
            out += "$" + std::to_string(item.value);
            break;
        case ItemKind::Reference:
            out += "#" + std::to_string(item.value);
            break;
        case ItemKind::Wildcard:
            out += ' ';
            break;
        case ItemKind::Code:
            out += std::to_string(item.value);
            break;
        case ItemKind::Letter: {
            const char byte = EncodeChar(item.letter, page);
            const unsigned char u = static_cast<unsigned char>(byte);
            const bool special = (u >= '0' && u <= '9') || u == ';' || u == ',' || u == ']' ||
                                 u == '=' || u < ' ' || (left && (u == ' ' || u == '$')) ||
                                 (!left && u == '#');
            out += special ? std::to_string(u) : std::string(1, byte);
            break;
        }
        }
        AppendParams(out, item.params);
    }
    return out;
}

} // namespace

std::vector<Param> ParseParamList(const std::string& utf8) {
    return ParseParams(Decode(utf8));
}

char EncodeChar(char32_t c, platform::CodePage page) {
    const std::string utf8 = EncodeUtf8(c);
    const Text bytes = platform::FromUtf8(utf8, page);
    if (bytes.size() != 1 || platform::ToUtf8(bytes, page) != utf8)
        throw SourceError("the character " + utf8 + " is not in code page " +
                          std::to_string(static_cast<int>(page)));
    return bytes[0];
}

SourceRule ParseRuleLine(const std::string& utf8) {
    const std::u32string line = Decode(utf8);
    std::size_t pos = line.find_first_not_of(U" \t");
    SourceRule rule;
    if (pos != std::u32string::npos && line[pos] == '*') {
        rule.expandCase = true;
        ++pos;
    }
    if (pos == std::u32string::npos || pos >= line.size() || line[pos] != '[')
        throw SourceError("a rule starts with \"[\" (or \"*[\")");
    const std::size_t leftEnd = line.find(']', pos + 1);
    if (leftEnd == std::u32string::npos || line.compare(leftEnd, 3, U"]=[") != 0)
        throw SourceError("a rule reads [left]=[right]");
    const std::size_t rightEnd = line.find(']', leftEnd + 3);
    if (rightEnd == std::u32string::npos) throw SourceError("the right side needs its \"]\"");
    const std::size_t rest = line.find_first_not_of(U" \t", rightEnd + 1);
    if (rest != std::u32string::npos && line[rest] != '#')
        throw SourceError("only a comment (\"# ...\") may follow a rule");
    rule.left = ParseSide(line.substr(pos + 1, leftEnd - pos - 1), true);
    rule.right = ParseSide(line.substr(leftEnd + 3, rightEnd - leftEnd - 3), false);
    const std::size_t symbols =
        std::count_if(rule.left.begin(), rule.left.end(),
                      [](const Item& i) { return i.kind != ItemKind::Context; });
    if (symbols == 0) throw SourceError("the left side needs at least one symbol");
    for (const Item& item : rule.right)
        if (item.kind == ItemKind::Reference && item.value >= symbols)
            throw SourceError("#" + std::to_string(item.value) +
                              " points past the left side (its symbols count from #0)");
    return rule;
}

std::vector<SourceRule> ExpandCase(const SourceRule& rule, const std::string& caseParam) {
    SourceRule plain = rule;
    plain.expandCase = false;
    if (!rule.expandCase) return {plain};
    const SourceRule lower = Form(plain, CaseForm::Lower);
    const SourceRule cap = Form(plain, CaseForm::Capitalised);
    const SourceRule upper = Form(plain, CaseForm::Upper);
    if (!HasCasedLetter(plain.left)) {
        if (lower.right != cap.right || lower.right != upper.right)
            throw SourceError("a case-expanded rule needs a letter on its left side");
        return {lower};
    }
    std::vector<SourceRule> forms;
    AddUnique(forms, lower);
    if (cap.left == upper.left && cap.right != upper.right) {
        AddNeighbourForms(cap, upper, caseParam, forms);
    } else if (!caseParam.empty() && cap.right != upper.right) {
        // A capitalised group inside a word in capitals (YuLIYa for ЮЛИЯ) is all capitals.
        AddLookBehindForms(cap, upper.right, caseParam, forms);
        AddUnique(forms, upper);
    } else {
        AddUnique(forms, cap);
        AddUnique(forms, upper);
    }
    return forms;
}

void MarkOutputCase(SourceRule& rule, const std::string& caseParam) {
    if (caseParam.empty()) return;
    for (Item& item : rule.right) {
        if (item.kind != ItemKind::Letter || !IsCased(item.letter)) continue;
        const bool named = std::any_of(item.params.begin(), item.params.end(),
                                       [&](const Param& p) { return p.name == caseParam; });
        if (!named) item.params.push_back({caseParam, IsUpper(item.letter) ? "u" : "l"});
    }
}

void MarkOutputLetters(SourceRule& rule, const std::vector<OutputMark>& marks) {
    for (Item& item : rule.right) {
        if (item.kind != ItemKind::Letter) continue;
        for (const OutputMark& mark : marks) {
            if (mark.letters.find(ToLower(item.letter)) == std::u32string::npos) continue;
            const bool named =
                std::any_of(item.params.begin(), item.params.end(),
                            [&](const Param& p) { return p.name == mark.param.name; });
            if (!named) item.params.push_back(mark.param);
        }
    }
}

std::string FormatRule(const SourceRule& rule, platform::CodePage input) {
    return "[" + FormatSide(rule.left, true, input) + "]=[" +
           FormatSide(rule.right, false, platform::CodePage::Cp1251) + "]";
}

} // namespace datagen
