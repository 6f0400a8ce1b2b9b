#include "rules/ScribeRule.h"

#include <utility>

#include "core/Binary.h"
#include "core/Scanners.h"

namespace {

constexpr std::uint32_t ReferenceBase = 0xF0000000u;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The loop shared by both side grammars. On the left a blank is a wildcard, "$d" a context
// condition and a digit run an ordinary token; on the right a blank is symbol 32, "#d" a
// reference and a digit run, like "#d", passes over the byte that follows it.
std::int32_t ParseSide(const Text& side, bool isLeft, ScribeRule& rule) {
    const char* text = side.data();
    const std::size_t n = side.size();
    const char marker = isLeft ? '$' : '#';
    SymbolCollection& target = isLeft ? rule.left : rule.right;
    Symbol scratch;
    std::size_t p = 0;
    while (p < n) {
        const char c = text[p];
        std::uint32_t code = 0;
        std::size_t end = p + 1; // the byte after the token
        bool passesNext = false; // the byte after the token is passed over
        bool condition = false;
        if (c == marker) {
            if (end >= n || !IsDigit(text[end])) return 1;
            code = static_cast<std::uint32_t>(text[end] - '0');
            if (isLeft)
                condition = true;
            else
                code += ReferenceBase;
            end = p + 2;
            passesNext = true;
        } else if (IsDigit(c)) {
            end = p;
            while (end < n && IsDigit(text[end])) {
                code = code * 10u + static_cast<std::uint32_t>(text[end] - '0');
                ++end;
            }
            passesNext = !isLeft;
        } else if (c == ' ' && isLeft) {
            code = 0;
            ++rule.wildcardCount;
        } else {
            code = static_cast<unsigned char>(c);
        }

        scratch.params.Clear();
        std::size_t next; // where the next item is sought
        if (passesNext) {
            if (end >= n || text[end] == ';')
                next = end + 1;
            else
                next = ReadParamList(text, end + 1, n, scratch.params);
        } else if (c == ';') {
            next = end;
        } else {
            // Returns at once when the token is followed by ';' or ends the side.
            next = ReadParamList(text, end, n, scratch.params);
        }

        scratch.code = code;
        SymbolCollection& into = condition ? rule.context : target;
        if (into.Storing() && !into.Sorted() && CopiesAsIs(scratch)) {
            // Appended with the parameters taken over rather than copied.
            const Symbol blank;
            Symbol& added = into[into.Add(const_cast<Symbol*>(&blank))];
            added.code = code;
            added.params.Swap(scratch.params);
        } else {
            into.Add(&scratch);
        }

        p = (next < n && text[next] == ';' && next != n - 1) ? next + 1 : next;
    }
    return 0;
}

// -1 when a sorts before b, 1 when after, 0 when neither, by the symbol ordering.
int CompareSymbols(const Symbol& a, const Symbol& b) {
    if (a < b) return -1;
    if (b < a) return 1;
    return 0;
}

} // namespace

ScribeRule::ScribeRule() {
    left.SetSorted(false);
    left.SetDuplicates(dupAccept);
    right.SetSorted(false);
    right.SetDuplicates(dupAccept);
}

ScribeRule::ScribeRule(const ScribeRule& other) : ScribeRule() {
    ScribeRule::operator=(other);
}

ScribeRule& ScribeRule::operator=(const ScribeRule& other) {
    if (this == &other) return *this;
    left.Assign(other.left);
    right.Assign(other.right);
    context.Assign(other.context);
    wildcardCount = other.wildcardCount;
    return *this;
}

void ScribeRule::Swap(ScribeRule& other) noexcept {
    left.Swap(other.left);
    right.Swap(other.right);
    context.Swap(other.context);
    std::swap(wildcardCount, other.wildcardCount);
}

bool ScribeRule::operator==(const ScribeRule& other) const {
    return left.Count() == other.left.Count() && right.Count() == other.right.Count() &&
           left == other.left && right == other.right;
}

bool ScribeRule::operator<(const ScribeRule& other) const {
    return CompareRules(*this, other) < 0;
}

bool ScribeRule::operator<=(const ScribeRule& other) const {
    return !(*this > other);
}

bool ScribeRule::operator>(const ScribeRule& other) const {
    return CompareRules(*this, other) > 0;
}

bool ScribeRule::operator>=(const ScribeRule& other) const {
    return !(*this < other);
}

std::int32_t ScribeRule::ParseLeft(const Text& side) {
    wildcardCount = 0;
    return ParseSide(side, true, *this);
}

std::int32_t ScribeRule::ParseRight(const Text& side) {
    return ParseSide(side, false, *this);
}

std::int32_t ScribeRule::ReadRule(const char* data, std::size_t size, std::size_t& position) {
    left.Clear();
    right.Clear();
    std::int32_t count = 0;
    if (!ReadInt32(data, size, position, count)) return 1;
    for (std::int32_t i = 0; i < count; ++i) {
        Symbol symbol;
        if (symbol.ReadSymbol(data, size, position) != 0) {
            left.Clear();
            return 1;
        }
        left.Add(&symbol);
    }
    if (!ReadInt32(data, size, position, count)) {
        left.Clear();
        return 1;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        Symbol symbol;
        if (symbol.ReadSymbol(data, size, position) != 0) {
            left.Clear();
            right.Clear();
            return 1;
        }
        right.Add(&symbol);
    }
    wildcardCount = 0;
    for (std::int32_t i = 0; i < right.Count(); ++i)
        if (right[i].extra == 1) ++wildcardCount;
    return 0;
}

void ScribeRule::Clear() {
    left.Clear();
    right.Clear();
    context.Clear();
    wildcardCount = 0;
}

int CompareRules(const ScribeRule& a, const ScribeRule& b) {
    const std::int32_t na = a.left.Count();
    const std::int32_t nb = b.left.Count();
    const std::int32_t common = na < nb ? na : nb;
    for (std::int32_t i = 0; i < common; ++i) {
        const std::uint32_t ca = a.left[i].code;
        const std::uint32_t cb = b.left[i].code;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (na != nb) return na < nb ? -1 : 1;
    for (std::int32_t i = 0; i < na; ++i) {
        const int order = CompareSymbols(a.left[i], b.left[i]);
        if (order != 0) return order;
    }
    const std::int32_t ra = a.right.Count();
    const std::int32_t rb = b.right.Count();
    const std::int32_t both = ra < rb ? ra : rb;
    for (std::int32_t i = 0; i < both; ++i) {
        const int order = CompareSymbols(a.right[i], b.right[i]);
        if (order != 0) return order;
    }
    if (ra != rb) return ra < rb ? -1 : 1;
    return 0;
}

std::int32_t CompareAt(const ScribeRule& rule, const Symbol* word, std::int32_t n) {
    const std::int32_t count = rule.left.Count();
    std::int32_t i = 0;
    while (i < n && i < count) {
        const Symbol& pattern = rule.left[i];
        if (Matches(pattern, word[i])) {
            ++i;
            continue;
        }
        if (i > 0 && rule.left[i - 1].code == 0) return -1;
        // A failed match always leaves the two symbols ordered one way or the other.
        return pattern > word[i] ? 1 : -1;
    }
    return i == count ? 0 : 1;
}
