#include "engine/TransCriber.h"

#include "core/Binary.h"
#include "core/Scanners.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/SystemTexts.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr char CR = 13;
constexpr char LF = 10;

// Slots allocated at first while loading a text file; the array then doubles as rules come.
constexpr std::int64_t FirstSlots = 64;

// The smallest compiled rule: its two symbol counts.
constexpr std::size_t MinRuleRecord = 8;

bool IsLineEnd(char c) {
    return c == CR || c == LF;
}

// Counts lines the way the loader walks them: each CR LF pair, lone CR or lone LF closes a
// line, and a last line without an end counts as well.
std::int64_t CountLines(const char* text, std::size_t size) {
    std::int64_t lines = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == CR) {
            ++lines;
            if (i + 1 < size && text[i + 1] == LF) ++i;
        } else if (text[i] == LF) {
            ++lines;
        }
    }
    if (size > 0 && !IsLineEnd(text[size - 1])) ++lines;
    return lines;
}

// A side text runs up to the first ']', line end or the end of the text; position is left on
// the byte that stopped it.
Text ReadSideText(const char* text, std::size_t& position, std::size_t size) {
    const std::size_t start = position;
    while (position < size && text[position] != ']' && !IsLineEnd(text[position]))
        ++position;
    return Text(text + start, position - start);
}

void ShowNumbered(const Text& prefix, std::int64_t number, const Text& caption) {
    platform::MessageBoxA(prefix + std::to_string(number), caption);
}

} // namespace

void TransCriber::LoadRules(const Text& fileName, std::int32_t direction) {
    ReleaseRules();
    Text contents;
    if (!platform::ReadWholeFile(fileName, contents)) return;
    const char* bytes = contents.data();
    const std::size_t size = contents.size();
    const std::int64_t lines = CountLines(bytes, size);
    // Any direction but the reverse one reads the file as written.
    const bool reverse = direction == -1;

    // Slot `good` must exist before a rule is read into it. The array grows with the rules
    // actually read rather than being sized by the line count up front.
    auto ensureSlot = [this, lines](std::int64_t good) {
        if (good < slotCount) return;
        std::int64_t grown = slotCount == 0 ? FirstSlots : slotCount * 2;
        if (grown > lines) grown = lines;
        if (grown <= good) grown = good + 1;
        auto* slots = new ScribeRule[static_cast<std::size_t>(grown)];
        for (std::int64_t i = 0; i < good; ++i)
            slots[i].Swap(rules[i]);
        delete[] rules;
        rules = slots;
        slotCount = grown;
    };

    std::int64_t good = 0; // rules accepted, and the slot the next one is read into
    std::int64_t bad = 0;  // lines rejected with a message
    std::size_t position = 0;
    while (position < size) {
        if (bytes[position] != '[') {
            ShowNumbered(texts::NoOpenBracket(), good + bad, texts::RuleLineCaption());
            ++bad;
            SkipLine(bytes, position, size);
            continue;
        }
        ++position;
        ensureSlot(good);
        const auto slot = static_cast<std::int32_t>(good);

        const Text first = ReadSideText(bytes, position, size);
        if ((reverse ? rules[slot].ParseRight(first) : rules[slot].ParseLeft(first)) != 0) {
            ReportBadRule(position, size, bytes, slot);
            continue;
        }
        if (size - position < 3 || std::memcmp(bytes + position, "]=[", 3) != 0) {
            ShowNumbered(texts::NoSeparator(), good + bad, texts::RuleLineCaption());
            ++bad;
            SkipLine(bytes, position, size);
            rules[slot].Clear();
            continue;
        }
        position += 3;
        const Text second = ReadSideText(bytes, position, size);
        if ((reverse ? rules[slot].ParseLeft(second) : rules[slot].ParseRight(second)) != 0) {
            ReportBadRule(position, size, bytes, slot);
            continue;
        }
        ++good;
        SkipLine(bytes, position, size);
    }

    if (good + bad != lines)
        platform::MessageBoxA(texts::LineCountMismatch(), texts::ErrorCaption());
    ruleCount = static_cast<std::int32_t>(good);
    SortRules();
}

void TransCriber::ReportBadRule(std::size_t& position, std::size_t length, const char* bytes,
                                std::int32_t slot) {
    bool found = false;
    for (std::size_t at = position; length >= 3 && at <= length - 3; ++at) {
        if (bytes[at] == '-' && bytes[at + 1] == '-' && bytes[at + 2] == '-') {
            position = at;
            found = true;
            break;
        }
    }
    if (found)
        SkipLine(bytes, position, length);
    else
        position = length;

    const bool inRange = rules != nullptr && slot >= 0 && slot < slotCount;
    Text message = texts::BadRulePrefix();
    if (inRange) {
        const SymbolCollection& left = rules[slot].left;
        for (std::int32_t i = 0; i < left.Count(); ++i) {
            const std::uint32_t code = left[i].code;
            message += code == 0 ? ' ' : static_cast<char>(code & 0xFFu);
            message += ';';
        }
    }
    message += texts::BadRuleNumber();
    message += std::to_string(static_cast<std::int64_t>(slot) + 1);
    platform::MessageBoxA(message, texts::BadRuleCaption());

    if (inRange) rules[slot].Clear();
}

std::int32_t TransCriber::ReadRuleSection(const char* data, std::size_t size,
                                          std::size_t& position) {
    if (data == nullptr || position > size || size - position < 4 ||
        std::memcmp(data + position, "tran", 4) != 0)
        return 1;
    ReleaseRules();
    position += 4;
    std::int32_t count = 0;
    // Every record takes at least its two counts: a count the bytes cannot hold fails here,
    // before anything is allocated for it.
    if (!ReadInt32(data, size, position, count) || count < 0 ||
        static_cast<std::uint64_t>(count) * MinRuleRecord > size - position)
        return 1;
    rules = new ScribeRule[static_cast<std::size_t>(count)];
    slotCount = count;
    ruleCount = count;
    used = new std::uint8_t[static_cast<std::size_t>(count)]();
    for (std::int32_t i = 0; i < count; ++i) {
        if (rules[i].ReadRule(data, size, position) != 0) {
            ReleaseRules();
            return 1;
        }
    }
    SortRules();
    return 0;
}

void TransCriber::SortRules() {
    const std::int32_t n = ruleCount > 0 ? ruleCount : 0;
    std::vector<std::int32_t> order(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i)
        order[i] = i;
    const auto rule = [this, &order](std::int32_t k) -> const ScribeRule& {
        return rules[order[k]];
    };

    // Heap sort of the indices: build a heap by sifting each entry up...
    for (std::int32_t k = 1; k < n; ++k) {
        std::int32_t c = k;
        while (c != 0 && !(rule((c - 1) / 2) >= rule(c))) {
            std::swap(order[(c - 1) / 2], order[c]);
            c = (c - 1) / 2;
        }
    }
    // ...then move the greatest to the end and sift the new root down.
    for (std::int32_t m = n - 1; m >= 1; --m) {
        std::swap(order[0], order[m]);
        std::int32_t c = 0;
        while (2 * c + 1 < m) {
            std::int32_t child = 2 * c + 1;
            if (2 * c + 2 < m && rule(2 * c + 2) > rule(2 * c + 1)) child = 2 * c + 2;
            if (rule(c) >= rule(child)) break;
            std::swap(order[c], order[child]);
            c = child;
        }
    }

    // A rule without a left side has no key. It is left out so that the set stays usable, and
    // reported afterwards by the collection's own index error.
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < n; ++i)
        if (rule(i).left.Count() > 0) ++kept;
    auto* sorted = new ScribeRule[static_cast<std::size_t>(kept)];
    std::int32_t next = 0;
    writtenAt.clear();
    for (std::int32_t i = 0; i < n; ++i)
        if (rule(i).left.Count() > 0) {
            sorted[next++].Swap(rules[order[static_cast<std::size_t>(i)]]);
            writtenAt.push_back(static_cast<std::uint32_t>(order[static_cast<std::size_t>(i)]));
        }
    delete[] rules;
    rules = sorted;
    slotCount = kept;
    ruleCount = kept;

    delete[] used;
    used = new std::uint8_t[static_cast<std::size_t>(kept)]();

    delete[] keys;
    keys = new std::uint32_t[static_cast<std::size_t>(kept)];
    for (std::int32_t i = 0; i < kept; ++i)
        keys[i] = rules[i].left.At(0)->code;
    ++ruleSetVersion_;

    if (kept != n) {
        const ScribeRule dropped;
        static_cast<void>(dropped.left.At(0)); // raises the index error for index 0
    }
}
