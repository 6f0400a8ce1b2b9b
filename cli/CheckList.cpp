#include "cli/CheckList.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

std::string TrimBlanks(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    const std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

double Percent(int part, int whole) {
    return whole == 0 ? 0.0 : 100.0 * part / whole;
}

} // namespace

std::vector<CheckItem> ParseCheckList(const std::string& text) {
    std::vector<CheckItem> items;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string body = text.compare(0, bom.size(), bom) == 0 ? text.substr(bom.size()) : text;
    for (std::string line : Split(body, "\n")) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> columns = Split(line, "\t");
        CheckItem item;
        item.input = columns[0];
        if (TrimBlanks(item.input).empty()) continue;
        if (columns.size() > 1)
            for (const std::string& form : Split(columns[1], " | ")) {
                const std::string trimmed = TrimBlanks(form);
                if (!trimmed.empty()) item.accepted.push_back(trimmed);
            }
        items.push_back(item);
    }
    return items;
}

bool CheckTally::Found(const CheckItem& item, const std::vector<std::string>& outputs) const {
    return std::any_of(outputs.begin(), outputs.end(), [&](const std::string& out) {
        return std::find(item.accepted.begin(), item.accepted.end(), out) != item.accepted.end();
    });
}

void CheckTally::Add(const CheckItem& item, const std::vector<std::string>& outputs) {
    Add(item, outputs, outputs.size() == 1 ? outputs[0] : std::string());
}

void CheckTally::Add(const CheckItem& item, const std::vector<std::string>& outputs,
                     const std::string& best) {
    if (!best.empty() &&
        std::find(item.accepted.begin(), item.accepted.end(), best) != item.accepted.end())
        ++first;
    ++items;
    variants += static_cast<long>(outputs.size());
    if (Found(item, outputs)) {
        ++found;
        if (outputs.size() == 1) ++single;
    }
}

std::string CheckTally::Summary() const {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer,
                  "check: %d items, found %d (%.1f%%), single %d (%.1f%%), mean variants %.2f, "
                  "first %d (%.1f%%)",
                  items, found, Percent(found, items), single, Percent(single, items),
                  items == 0 ? 0.0 : static_cast<double>(variants) / items, first,
                  Percent(first, items));
    return buffer;
}
