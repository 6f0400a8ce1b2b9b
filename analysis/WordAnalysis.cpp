#include "analysis/Syllabite.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kWordStart = 60;
constexpr std::uint32_t kWordEnd = 62;
constexpr std::uint32_t kLiteral = 0xEF000000;

// Adds a copy of symbol, whether the target copies or adopts what it is given.
void Append(SymbolCollection& target, const Symbol& symbol) {
    if (target.Storing()) {
        target.Add(const_cast<Symbol*>(&symbol));
        return;
    }
    auto* copy = new Symbol(symbol);
    if (target.Add(copy) < 0) delete copy;
}

// Adds symbol, which the caller no longer needs: an appending, storing target takes over its
// parameters where a copy would hold them in the same order; otherwise as Append.
void Take(SymbolCollection& target, Symbol& symbol) {
    if (!target.Storing() || target.Sorted() || !CopiesAsIs(symbol)) {
        Append(target, symbol);
        return;
    }
    const Symbol blank;
    const std::int32_t at = target.Add(const_cast<Symbol*>(&blank));
    Symbol& taken = target[at];
    taken.code = symbol.code;
    taken.extra = symbol.extra;
    taken.params.Swap(symbol.params);
}

// Where Analyse puts its symbols: a collection, or a plain array that is reused from line to
// line (Count() symbols of it are the line's, the rest are spare).
class CollectionSink {
public:
    explicit CollectionSink(SymbolCollection& target) : target_(target) {}
    std::int32_t Count() const { return target_.Count(); }
    void Take(Symbol& symbol) { ::Take(target_, symbol); }
    void Append(const Symbol& symbol) { ::Append(target_, symbol); }
    void AppendInOrder(const Symbol& symbol) { ::Append(target_, symbol); }

private:
    SymbolCollection& target_;
};

// Every symbol copied, never taken over.
class PlainSink {
public:
    explicit PlainSink(SymbolCollection& target) : target_(target) {}
    std::int32_t Count() const { return target_.Count(); }
    void Take(Symbol& symbol) { ::Append(target_, symbol); }
    void Append(const Symbol& symbol) { ::Append(target_, symbol); }
    void AppendInOrder(const Symbol& symbol) { ::Append(target_, symbol); }

private:
    SymbolCollection& target_;
};

class ArraySink {
public:
    // origins, when given, gets for each symbol made null or the symbol that stands for it,
    // one that stays as it is while the alphabet does (the array's element then holds only
    // the code).
    explicit ArraySink(std::vector<Symbol>& target, std::vector<const Symbol*>* origins = nullptr)
        : target_(target), origins_(origins) {
        if (origins_ && origins_->size() < target_.size()) origins_->resize(target_.size());
    }
    std::int32_t Count() const { return static_cast<std::int32_t>(count_); }
    // Takes symbol over. A spare symbol that already holds the same parameters keeps them:
    // the array's parameters then stay where they are from line to line.
    void Take(Symbol& symbol) {
        Symbol& to = Next();
        if (!CopiesAsIs(symbol)) {
            to = symbol;
            return;
        }
        to.code = symbol.code;
        to.extra = symbol.extra;
        if (SameParameters(to.params, symbol.params)) return;
        to.params.Clear();
        to.params.Swap(symbol.params);
    }
    // A copy of symbol. A spare symbol that already holds the same parameters keeps them; one
    // that holds others has them overwritten in place.
    void Append(const Symbol& symbol) {
        Symbol& to = Next();
        if (!CopiesAsIs(symbol)) {
            to = symbol;
            return;
        }
        to.code = symbol.code;
        to.extra = symbol.extra;
        if (!SameParameters(to.params, symbol.params)) CopyParameters(to, symbol);
    }
    // Append for a symbol whose copy is known to hold its parameters in its order, and that
    // stays as it is while the alphabet does.
    // With origins the symbol itself stands in the origins, and the array's element gets only
    // its code.
    void AppendInOrder(const Symbol& symbol) {
        if (count_ == target_.size()) Grow();
        target_[count_].code = symbol.code;
        if (origins_) {
            (*origins_)[count_++] = &symbol;
            return;
        }
        CopyInOrder(target_[count_++], symbol);
    }
    // Drops the spare symbols.
    void Finish() { target_.resize(count_); }
    // The number of symbols made; the spare ones stay for the next line.
    std::size_t Made() const { return count_; }

private:
    // The same parameters in the same order, byte for byte, and the same settings.
    static bool SameParameters(const SmbParamCollection& a, const SmbParamCollection& b) {
        if (a.Count() != b.Count() || a.Sorted() != b.Sorted() || a.Storing() != b.Storing() ||
            a.Duplicates() != b.Duplicates())
            return false;
        for (std::int32_t k = 0; k < a.Count(); ++k) {
            const SmbParams& x = a[k];
            const SmbParams& y = b[k];
            if (std::memcmp(x.name, y.name, SmbParams::NameSize) != 0 ||
                std::memcmp(x.value, y.value, SmbParams::ValueSize) != 0)
                return false;
        }
        return true;
    }
    void CopyInOrder(Symbol& to, const Symbol& symbol) {
        to.extra = symbol.extra;
        if (!SameParameters(to.params, symbol.params)) CopyParameters(to, symbol);
    }
    // Makes to's parameters those of from (whose copy holds them in its order), reusing the
    // parameters to holds: what a plain assignment gives, without making them again.
    void CopyParameters(Symbol& to, const Symbol& from) {
        SmbParamCollection& params = to.params;
        const SmbParamCollection& source = from.params;
        if (params.Count() != source.Count()) BorrowShape(params, source);
        if (params.Storing() != source.Storing() || params.Sorted() != source.Sorted() ||
            !source.Storing() || source.Count() == 0) {
            to.params = source;
            return;
        }
        while (params.Count() > source.Count())
            params.Delete(params.Count() - 1);
        for (std::int32_t k = 0; k < params.Count(); ++k)
            params[k] = source[k];
        for (std::int32_t k = params.Count(); k < source.Count(); ++k)
            params.Insert(k, source.At(k));
        params.SetDuplicates(source.Duplicates());
    }
    // Gives params the parameters of a spare symbol further on that holds as many as source,
    // with its settings, when one is near: parameters then move from slot to slot instead of
    // being freed and made again as the lines' symbols change places.
    void BorrowShape(SmbParamCollection& params, const SmbParamCollection& source) {
        constexpr std::size_t kWindow = 16;
        const std::size_t end = std::min(target_.size(), count_ + kWindow);
        for (std::size_t j = count_; j < end; ++j) {
            SmbParamCollection& spare = target_[j].params;
            if (spare.Count() == source.Count() && spare.Storing() == source.Storing() &&
                spare.Sorted() == source.Sorted()) {
                params.Swap(spare);
                return;
            }
        }
    }
    // The next element (origins, when kept, as long as the array).
    Symbol& Next() {
        if (count_ == target_.size()) Grow();
        if (origins_) (*origins_)[count_] = nullptr;
        return target_[count_++];
    }
    void Grow() {
        target_.emplace_back();
        if (origins_ && origins_->size() < target_.size()) origins_->resize(target_.size());
    }
    std::vector<Symbol>& target_;
    std::vector<const Symbol*>* origins_;
    std::size_t count_ = 0;
};

// The literal symbol of a byte: the marker bits OR the byte sign-extended. Made once.
const Symbol& Literal(char c) {
    static const std::vector<Symbol> literals = [] {
        std::vector<Symbol> made(256);
        for (int b = 0; b < 256; ++b) {
            const auto extended = static_cast<std::uint32_t>(
                static_cast<std::int32_t>(static_cast<signed char>(static_cast<char>(b))));
            made[static_cast<std::size_t>(b)].code = kLiteral | extended;
        }
        return made;
    }();
    return literals[static_cast<unsigned char>(c)];
}

// Each byte becomes a literal symbol.
template <class Sink> void AppendLiterals(const Text& text, Sink& target) {
    for (const char c : text)
        target.AppendInOrder(Literal(c));
}

// The marker symbols, made once.
const Symbol& WordStart() {
    static const Symbol symbol(kWordStart);
    return symbol;
}
const Symbol& WordEnd() {
    static const Symbol symbol(kWordEnd);
    return symbol;
}
// What ToSymbols makes of a byte that is not a letter.
const Symbol& NoLetter() {
    static const Symbol symbol(0xFFFFFFFFu);
    return symbol;
}

bool IsSeparator(char c) {
    return c == '-' || c == '=';
}

} // namespace

void Syllabite::Keep(SymbolCollection& target, Symbol& symbol) const {
    if (plain_)
        Append(target, symbol);
    else
        Take(target, symbol);
}

Text Syllabite::Reverse(const Text& text) {
    return Text(text.rbegin(), text.rend());
}

bool Syllabite::IsVowel(char c) const {
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(vowelCount, 0)), vowels.size());
    return vowels.find(c) < count;
}

void Syllabite::AppendSyllables(const Text& text, SymbolCollection& target) const {
    std::size_t start = 0;
    std::vector<Symbol> symbols;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        alphabet.ToSymbols(text.substr(start, end - start), symbols);
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            symbols[i].AddParam("open", i + 1 == symbols.size() ? "o" : "cl");
            symbols[i].AddParam("stress", "n");
            Keep(target, symbols[i]);
        }
        start = end + 1;
    }
}

void Syllabite::MatchAffixes(const Text& text, std::size_t& position,
                             const platform::StringList& in, const platform::StringList& out,
                             SymbolCollection& target) const {
    AppendSyllables(AffixText(text, position, in, out), target);
}

Text Syllabite::AffixText(const Text& text, std::size_t& position, const platform::StringList& in,
                          const platform::StringList& out) const {
    const int n = in.Count();
    // An empty input has no first byte and ranks below every byte, so it never matches.
    auto firstByte = [&in](int i) {
        return in[i].empty() ? -1 : static_cast<int>(static_cast<unsigned char>(in[i][0]));
    };
    if (position == 0) position = 1;
    Text acc;
    int i = -1;
    bool active = true;
    while (active && position < text.size() && acc.size() < MaxLineSymbols) {
        const unsigned char current = static_cast<unsigned char>(text[position - 1]);
        if (i == -1) i = 0;
        while (i < n && firstByte(i) < current)
            ++i;
        if (i == n || firstByte(i) != current) {
            active = false;
            continue;
        }
        const Text& input = in[i];
        std::size_t j = 0;
        while (j < input.size() && position + j < text.size() && input[j] == text[position + j - 1])
            ++j;
        if (j == input.size()) {
            position += j;
            acc += out[i];
            i = -1;
        } else {
            ++i;
        }
    }
    return acc;
}

std::size_t Syllabite::StressedPosition(const Text& word) const {
    std::size_t leftmost = 0;
    std::int32_t seen = 0;
    for (std::size_t q = word.size(); q >= 1; --q) {
        if (!IsVowel(word[q - 1])) continue;
        if (++seen == stressPosition) return q;
        leftmost = q;
    }
    return leftmost;
}

// Each vowel is a syllable's nucleus; of the consonants between two vowels the first half
// (rounded down) closes the syllable and the rest open the next. Syllables are joined by "-".
Text Syllabite::DivideMiddle(const Text& middle) const {
    Text result;
    std::size_t i = 0;
    const std::size_t n = middle.size();
    for (;;) {
        while (i < n && !IsVowel(middle[i]))
            result += middle[i++];
        if (i == n) return result;
        result += middle[i++];
        std::size_t next = i;
        while (next < n && !IsVowel(middle[next]))
            ++next;
        if (next == n) return result + middle.substr(i);
        const std::size_t half = (next - i) / 2;
        result += middle.substr(i, half);
        result += '-';
        i += half;
    }
}

void Syllabite::SyllableUnits(const Text& text, std::vector<std::uint16_t>& units) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        for (std::size_t i = start; i < end; ++i)
            units.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(text[i]) |
                                                       (i + 1 == end ? 0x100 : 0)));
        start = end + 1;
    }
}

const Symbol* Syllabite::LearnEntry(char c) const {
    if (entryVersion_ != alphabet.Version()) {
        entryKnown_.fill(false);
        entryVersion_ = alphabet.Version();
    }
    const auto byte = static_cast<unsigned char>(c);
    const std::int32_t k = alphabet.Lookup(c);
    fixedEntry_[byte] =
        k != -1 && CopiesAsIs(alphabet.Entry(k).symbol) ? &alphabet.Entry(k).symbol : nullptr;
    entryKnown_[byte] = true;
    return fixedEntry_[byte];
}

const Syllabite::LetterForms& Syllabite::Forms(unsigned char byte) const {
    if (alphabetVersion_ != alphabet.Version() || letterForms_.size() != 256) {
        letterForms_.assign(256, LetterForms());
        letterMade_.assign(256, false);
        alphabetVersion_ = alphabet.Version();
    }
    LetterForms& letter = letterForms_[byte];
    if (letterMade_[byte]) return letter;
    letterMade_[byte] = true;
    // Made as AppendSyllables makes them, and stressed as AnalyseInto stresses them.
    letter.usable = true;
    const Text text(1, static_cast<char>(byte));
    std::vector<Symbol> symbols;
    for (int last = 0; last < 2; ++last)
        for (int stressed = 0; stressed < 2; ++stressed) {
            alphabet.ToSymbols(text, symbols);
            Symbol& made = symbols[0];
            made.AddParam("open", last ? "o" : "cl");
            made.AddParam("stress", "n");
            if (stressed) {
                SmbParams key("stress", "n");
                std::int32_t index = -1;
                if (!made.params.Find(&key, index)) {
                    letter.usable = false;
                    continue;
                }
                made.params.At(index)->SetValue("y", 1);
            }
            if (!CopiesAsIs(made)) letter.usable = false;
            Symbol& form = letter.forms[last][stressed];
            form.code = made.code;
            form.extra = made.extra;
            form.params.Swap(made.params);
        }
    return letter;
}

bool Syllabite::WordForms(const Text& word, std::vector<const Symbol*>& forms) const {
    constexpr std::uint16_t start = 0x200;
    constexpr std::uint16_t end = 0x201;
    std::vector<std::uint16_t>& units = units_;
    units.clear();
    units.push_back(start);
    std::size_t prefixEnd = 1;
    SyllableUnits(AffixText(word, prefixEnd, prefixIn, prefixOut), units);
    std::size_t suffixEnd = 1;
    suffixUnits_.clear();
    SyllableUnits(AffixText(Reverse(word), suffixEnd, suffixIn, suffixOut), suffixUnits_);
    const std::size_t middleEnd = word.size() - (suffixEnd - 1);
    Text middle;
    if (prefixEnd <= middleEnd) middle = word.substr(prefixEnd - 1, middleEnd - prefixEnd + 1);
    SyllableUnits(DivideMiddle(middle), units);
    units.insert(units.end(), suffixUnits_.rbegin(), suffixUnits_.rend());
    units.push_back(end);

    const std::size_t stressed = StressedPosition(word);
    // A stress past the word's letters is the long way's error to report.
    if (stressed > 0 && (stressed + 1 >= units.size())) return false;
    forms.clear();
    for (std::size_t k = 0; k < units.size(); ++k) {
        const std::uint16_t unit = units[k];
        if (unit == start) {
            forms.push_back(&WordStart());
        } else if (unit == end) {
            forms.push_back(&WordEnd());
        } else {
            const LetterForms& letter = Forms(static_cast<unsigned char>(unit & 0xFF));
            if (!letter.usable) return false;
            forms.push_back(&letter.forms[(unit & 0x100) ? 1 : 0][k == stressed ? 1 : 0]);
        }
    }
    return true;
}

void Syllabite::AnalyseWord(const Text& word, SymbolCollection& w) const {
    std::size_t prefixEnd = 1;
    MatchAffixes(word, prefixEnd, prefixIn, prefixOut, w);

    SymbolCollection suffix(false, true);
    std::size_t suffixEnd = 1;
    MatchAffixes(Reverse(word), suffixEnd, suffixIn, suffixOut, suffix);
    const std::size_t middleEnd = word.size() - (suffixEnd - 1); // last position of the middle

    Text middle;
    if (prefixEnd <= middleEnd) middle = word.substr(prefixEnd - 1, middleEnd - prefixEnd + 1);
    AppendSyllables(DivideMiddle(middle), w);

    for (std::int32_t k = suffix.Count() - 1; k >= 0; --k)
        Keep(w, suffix[k]);
}

void Syllabite::Analyse(const Text& line, SymbolCollection& out) const {
    if (plain_) {
        PlainSink sink(out);
        AnalyseInto(line, sink);
        return;
    }
    CollectionSink sink(out);
    AnalyseInto(line, sink);
}

void Syllabite::Analyse(const Text& line, std::vector<Symbol>& symbols) const {
    if (plain_) {
        SymbolCollection collected(false, true);
        Analyse(line, collected);
        std::vector<Symbol> fresh;
        fresh.reserve(static_cast<std::size_t>(collected.Count()));
        for (std::int32_t k = 0; k < collected.Count(); ++k)
            fresh.push_back(collected[k]);
        symbols.swap(fresh);
        return;
    }
    ArraySink sink(symbols);
    AnalyseInto(line, sink);
    sink.Finish();
}

std::size_t Syllabite::AnalyseKeeping(const Text& line, std::vector<Symbol>& symbols,
                                      std::vector<const Symbol*>* origins) const {
    if (plain_) {
        Analyse(line, symbols);
        if (origins) origins->assign(symbols.size(), nullptr);
        return symbols.size();
    }
    ArraySink sink(symbols, origins);
    AnalyseInto(line, sink);
    return sink.Made();
}

template <class Sink> void Syllabite::AnalyseInto(const Text& line, Sink& out) const {
    SymbolCollection w(false, true);
    Text word;
    Text between;
    std::size_t position = 0;
    lineCut = false;
    const std::size_t limit = LineSymbolLimit(line.size());
    while (position < line.size()) {
        // A run of letters and the run of other bytes after it.
        const std::size_t letters = position;
        while (position < line.size() && alphabet.Lookup(line[position]) != -1)
            ++position;
        const std::size_t others = position;
        while (position < line.size() && alphabet.Lookup(line[position]) == -1)
            ++position;
        word.assign(line, letters, others - letters);
        between.assign(line, others, position - others);
        if (static_cast<std::size_t>(out.Count()) >= limit) {
            lineCut = true;
            return;
        }
        int found = 0;
        if (exceptionKeys.Find(word, found)) {
            AppendLiterals(exceptionValues[static_cast<int>(exceptionKeys.Object(found))], out);
        } else if (vowelCount == 0) {
            // No syllables and no stress: the letters' symbols go straight to the output, as
            // ToSymbols makes them.
            out.AppendInOrder(WordStart());
            for (const char c : word) {
                if (const Symbol* fixed = FixedEntry(c)) {
                    out.AppendInOrder(*fixed);
                    continue;
                }
                const std::int32_t k = alphabet.Lookup(c);
                if (k == -1)
                    out.AppendInOrder(NoLetter());
                else
                    out.Append(alphabet.Entry(k).symbol);
            }
            out.AppendInOrder(WordEnd());
        } else if (std::is_same<Sink, ArraySink>::value && WordForms(word, wordForms_)) {
            // Each symbol copied from the forms made once: no symbol is made for the word.
            for (const Symbol* symbol : wordForms_)
                out.AppendInOrder(*symbol);
        } else {
            w.Clear();
            Append(w, Symbol(kWordStart));
            AnalyseWord(word, w);
            const std::size_t stressed = StressedPosition(word);
            Append(w, Symbol(kWordEnd));
            if (stressed > 0) {
                SmbParamCollection& params = w.At(static_cast<std::int32_t>(stressed))->params;
                SmbParams key("stress", "n");
                std::int32_t index = -1;
                if (!params.Find(&key, index)) index = -1;
                params.At(index)->SetValue("y", 1);
            }
            for (std::int32_t k = 0; k < w.Count(); ++k)
                out.Take(w[k]);
        }
        AppendLiterals(between, out);
    }
}
