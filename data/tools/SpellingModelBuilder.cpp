#include "data/tools/SpellingModelBuilder.h"

#include "data/tools/RuleSource.h"
#include "facade/SpellingModel.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace datagen {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (in >> field)
        fields.push_back(field);
    return fields;
}

// A condition of an affix rule: one set of bytes per character position.
struct Condition {
    std::vector<std::array<bool, 256>> positions;

    static Condition Parse(const std::string& text) {
        Condition c;
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::array<bool, 256> set{};
            if (text[i] == '.') {
                set.fill(true);
            } else if (text[i] == '[') {
                const std::size_t close = text.find(']', i);
                if (close == std::string::npos) throw SourceError("unclosed [ in " + text);
                bool negate = i + 1 < close && text[i + 1] == '^';
                for (std::size_t k = i + (negate ? 2 : 1); k < close; ++k)
                    set[static_cast<unsigned char>(text[k])] = true;
                if (negate)
                    for (bool& b : set)
                        b = !b;
                i = close;
            } else {
                set[static_cast<unsigned char>(text[i])] = true;
            }
            c.positions.push_back(set);
        }
        return c;
    }

    // Whether word ends (suffix) or begins (prefix) with what the condition asks.
    bool Holds(const std::string& word, bool suffix) const {
        const std::size_t n = positions.size();
        if (word.size() < n) return false;
        const std::size_t from = suffix ? word.size() - n : 0;
        for (std::size_t i = 0; i < n; ++i)
            if (!positions[i][static_cast<unsigned char>(word[from + i])]) return false;
        return true;
    }
};

struct Affix {
    std::string strip;
    std::string add;
    Condition condition;
};

struct AffixGroup {
    bool suffix = true;
    bool cross = false;
    std::vector<Affix> affixes;
};

std::string Value(const std::string& field) {
    return field == "0" ? std::string() : field.substr(0, field.find('/'));
}

std::string ToCp1251(const std::string& text, bool utf8) {
    return utf8 ? platform::FromUtf8(text, platform::CodePage::Cp1251) : text;
}

bool IsUtf8(const std::string& aff) {
    for (const std::string& line : Lines(aff)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() >= 2 && f[0] == "SET") {
            std::string set = f[1];
            for (char& c : set)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (set == "UTF-8") return true;
            if (set == "CP1251" || set == "MICROSOFT-CP1251" || set == "WINDOWS-1251") return false;
            throw SourceError("affix file: the code page " + f[1] + " is not read");
        }
    }
    return true;
}

void Apply(const AffixGroup& group, const std::string& word, std::vector<std::string>& out) {
    for (const Affix& a : group.affixes) {
        if (!a.condition.Holds(word, group.suffix)) continue;
        if (group.suffix) {
            if (word.size() < a.strip.size() ||
                word.compare(word.size() - a.strip.size(), a.strip.size(), a.strip) != 0)
                continue;
            out.push_back(word.substr(0, word.size() - a.strip.size()) + a.add);
        } else {
            if (word.compare(0, a.strip.size(), a.strip) != 0) continue;
            out.push_back(a.add + word.substr(a.strip.size()));
        }
    }
}

// Adds the lower-case forms of form made only of Russian letters (the parts of a hyphenated
// one) to words.
void AddForm(std::string form, std::vector<std::string>& words) {
    spelling::LowerRussian(form);
    std::size_t start = 0;
    for (;;) {
        const std::size_t hyphen = form.find('-', start);
        const std::string part = form.substr(start, hyphen - start);
        if (!part.empty() && std::all_of(part.begin(), part.end(), [](char c) {
                return spelling::Symbol(static_cast<unsigned char>(c)) != 0;
            }))
            words.push_back(part);
        if (hyphen == std::string::npos) break;
        start = hyphen + 1;
    }
}

// The counts of the N-grams of one order, by key.
using Counts = std::unordered_map<std::uint32_t, std::uint64_t>;

std::vector<std::uint32_t> SortedKeys(const Counts& counts) {
    std::vector<std::uint32_t> keys;
    keys.reserve(counts.size());
    for (const auto& entry : counts)
        keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::uint32_t FirstSymbol(std::uint32_t key, std::uint32_t n) {
    return key >> (6 * (n - 1)) & 63u;
}

std::uint32_t DropFirst(std::uint32_t key, std::uint32_t n) {
    return key & ((1u << (6 * (n - 1))) - 1u);
}

std::uint8_t Quantize(double logProb, double step) {
    const double v = std::floor(-logProb / step + 0.5);
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(v >> (8 * i) & 0xFF);
}

} // namespace

std::vector<std::string> ExpandDictionary(const std::string& dic, const std::string& aff) {
    const bool utf8 = IsUtf8(aff);
    std::map<char, AffixGroup> groups;
    for (const std::string& line : Lines(aff)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() < 4 || (f[0] != "SFX" && f[0] != "PFX") || f[1].size() != 1) continue;
        AffixGroup& group = groups[f[1][0]];
        group.suffix = f[0] == "SFX";
        if (f.size() == 4 && (f[2] == "Y" || f[2] == "N")) {
            group.cross = f[2] == "Y";
            continue;
        }
        Affix affix;
        affix.strip = ToCp1251(Value(f[2]), utf8);
        affix.add = ToCp1251(Value(f[3]), utf8);
        affix.condition = Condition::Parse(ToCp1251(f.size() > 4 ? f[4] : ".", utf8));
        group.affixes.push_back(std::move(affix));
    }

    std::vector<std::string> words;
    std::vector<std::string> made, prefixed;
    const std::vector<std::string> lines = Lines(dic);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string entry = lines[i].substr(0, lines[i].find_first_of(" \t"));
        if (entry.empty()) continue;
        const std::size_t slash = entry.find('/');
        const std::string stem = ToCp1251(entry.substr(0, slash), utf8);
        const std::string flags = slash == std::string::npos ? "" : entry.substr(slash + 1);
        made.assign(1, stem);
        prefixed.clear();
        for (char flag : flags) {
            const auto g = groups.find(flag);
            if (g != groups.end() && g->second.suffix) Apply(g->second, stem, made);
        }
        for (char flag : flags) {
            const auto g = groups.find(flag);
            if (g == groups.end() || g->second.suffix) continue;
            Apply(g->second, stem, prefixed);
            // Cross products: the prefix on the forms of suffixes that allow it.
            if (!g->second.cross) continue;
            for (char other : flags) {
                const auto s = groups.find(other);
                if (s == groups.end() || !s->second.suffix || !s->second.cross) continue;
                std::vector<std::string> suffixed;
                Apply(s->second, stem, suffixed);
                for (const std::string& form : suffixed)
                    Apply(g->second, form, prefixed);
            }
        }
        for (const std::string& form : made)
            AddForm(form, words);
        for (const std::string& form : prefixed)
            AddForm(form, words);
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());

    // A form with е whose spelling with ё is a form too is that form written without its dots.
    std::unordered_set<std::string> dotless;
    for (const std::string& w : words) {
        if (w.find('\xB8') == std::string::npos) continue;
        std::string e = w;
        std::replace(e.begin(), e.end(), '\xB8', '\xE5');
        dotless.insert(e);
    }
    words.erase(std::remove_if(words.begin(), words.end(),
                               [&](const std::string& w) { return dotless.count(w) != 0; }),
                words.end());
    return words;
}

std::string BuildSpellingModel(const std::vector<std::string>& words, const ModelOptions& options) {
    const std::uint32_t N = options.order;
    if (N < 2 || N > spelling::MaxOrder) throw SourceError("model order out of range");
    const double step = options.stepMilli / 1000.0;

    // Raw counts of the N-grams of every order (raw[n], n = 1..N).
    std::vector<Counts> raw(N + 1);
    std::vector<std::uint32_t> s;
    for (const std::string& w : words) {
        s.assign(1, spelling::Boundary);
        for (char c : w)
            s.push_back(spelling::Symbol(static_cast<unsigned char>(c)));
        s.push_back(spelling::Boundary);
        for (std::size_t i = 1; i < s.size(); ++i)
            for (std::uint32_t n = 1; n <= N && n <= i + 1; ++n)
                ++raw[n][spelling::Key(&s[i + 1 - n], n)];
    }

    // Kneser-Ney counts: raw for the highest order and for N-grams that begin at the word's
    // start (nothing can stand before them), else the number of different symbols seen
    // before the N-gram. (A boundary first in an N-gram of two or more symbols is the start;
    // the boundary alone is the end.)
    const auto atStart = [](std::uint32_t key, std::uint32_t n) {
        return n > 1 && FirstSymbol(key, n) == spelling::Boundary;
    };
    std::vector<Counts> count(N + 1);
    count[N] = raw[N];
    for (std::uint32_t n = 1; n < N; ++n) {
        for (const auto& [key, c] : raw[n])
            if (atStart(key, n)) count[n][key] = c;
        for (const auto& entry : raw[n + 1]) {
            const std::uint32_t shorter = DropFirst(entry.first, n + 1);
            if (!atStart(shorter, n)) ++count[n][shorter];
        }
    }

    std::vector<std::uint32_t> keys;
    std::vector<std::uint8_t> values;
    // Smoothed probabilities of the previous order, by key: the lower order of the next.
    std::unordered_map<std::uint32_t, double> lower;
    for (std::uint32_t n = 1; n <= N; ++n) {
        std::uint64_t n1 = 0, n2 = 0;
        for (const auto& entry : count[n]) {
            if (entry.second == 1) ++n1;
            if (entry.second == 2) ++n2;
        }
        const double d = n1 + 2 * n2 == 0 ? 0.5 : static_cast<double>(n1) / (n1 + 2 * n2);
        // Totals and types of each history (the N-gram without its last symbol).
        std::unordered_map<std::uint32_t, std::pair<std::uint64_t, std::uint64_t>> history;
        for (const auto& [key, c] : count[n]) {
            auto& h = history[key >> 6];
            h.first += c;
            ++h.second;
        }
        std::unordered_map<std::uint32_t, double> probability;
        for (const std::uint32_t key : SortedKeys(count[n])) {
            const auto& h = history[key >> 6];
            const double backOff = d * static_cast<double>(h.second) / h.first;
            const double below = n == 1 ? 1.0 / spelling::SymbolCount : lower.at(DropFirst(key, n));
            const double p = (std::max(static_cast<double>(count[n].at(key)) - d, 0.0)) / h.first +
                             backOff * below;
            probability[key] = p;
            keys.push_back(key);
            values.push_back(Quantize(std::log(p), step));
        }
        if (n > 1)
            for (const auto& [h, totals] : history) {
                const double backOff = d * static_cast<double>(totals.second) / totals.first;
                keys.push_back(h | spelling::HistoryBit);
                values.push_back(Quantize(std::log(backOff), step));
            }
        lower.swap(probability);
    }
    // The table: each key in the first free slot from its own, in ascending order of keys, at
    // most four fifths full.
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::uint32_t slots = 4;
    while (slots < keys.size() + keys.size() / 4 + 1)
        slots *= 2;
    std::vector<std::uint32_t> table(slots, 0);
    std::string tableValues(slots, '\0');
    for (const std::size_t i : order) {
        std::uint32_t slot = spelling::Slot(keys[i], slots);
        while (table[slot] != 0)
            slot = (slot + 1) & (slots - 1);
        table[slot] = keys[i];
        tableValues[slot] = static_cast<char>(values[i]);
    }

    const std::uint64_t blocks =
        (std::uint64_t{options.bloomBitsPerWord} * words.size() + 511) / 512;
    const std::uint64_t bits = blocks * 512;
    std::string bloom(bits / 8, '\0');
    for (const std::string& w : words) {
        const std::uint64_t h = spelling::BloomHash(w.data(), w.size());
        const std::size_t block = spelling::BloomBlock(h, blocks) * 64;
        for (std::uint32_t i = 0; i < options.bloomHashes; ++i) {
            const std::uint32_t bit = spelling::BloomBit(h, i);
            bloom[block + bit / 8] = static_cast<char>(bloom[block + bit / 8] | (1u << (bit % 8)));
        }
    }

    std::string out(spelling::Magic, spelling::MagicSize);
    PutU32(out, N);
    PutU32(out, slots);
    PutU32(out, options.stepMilli);
    PutU32(out, static_cast<std::uint32_t>(bits));
    PutU32(out, options.bloomHashes);
    PutU32(out, static_cast<std::uint32_t>(words.size()));
    for (std::uint32_t slot = 0; slot < slots; ++slot) {
        PutU32(out, table[slot]);
        out += tableValues[slot];
    }
    out += bloom;
    return out;
}

} // namespace datagen
