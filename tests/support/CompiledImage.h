#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Writes the compiled language format: magic, "alfa", "syla" and "tran" blocks.
class CompiledImage {
public:
    using Params = std::vector<std::pair<std::string, std::string>>;
    struct Sym {
        std::uint32_t code;
        std::int32_t extra = 0;
        Params params = {};
    };

    CompiledImage& Magic() { return Raw("quillomorph binary 1.0 in"); }
    CompiledImage& Raw(const std::string& bytes) {
        bytes_ += bytes;
        return *this;
    }
    CompiledImage& Int(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>((u >> (8 * i)) & 0xFF);
        return *this;
    }
    CompiledImage& Symbol(const Sym& s) {
        Int(static_cast<std::int32_t>(s.code))
            .Int(s.extra)
            .Int(static_cast<std::int32_t>(s.params.size()));
        for (const auto& p : s.params) {
            Raw(p.first).Raw(std::string(1, '\0')).Raw(p.second).Raw(std::string(1, '\0')).Int(0);
        }
        return *this;
    }
    // letters: character -> symbol
    CompiledImage& Alfa(const std::vector<std::pair<char, Sym>>& letters) {
        Raw("alfa").Int(static_cast<std::int32_t>(letters.size()));
        for (const auto& l : letters) {
            bytes_ += l.first;
            Symbol(l.second);
        }
        return *this;
    }
    CompiledImage& Syla(const std::string& vowels, std::int32_t stress = 3,
                        const std::vector<std::pair<std::string, std::string>>& prefixes = {},
                        const std::vector<std::pair<std::string, std::string>>& suffixes = {}) {
        Raw("syla")
            .Raw(std::string(1, '\0'))
            .Int(stress)
            .Int(static_cast<std::int32_t>(vowels.size()));
        Raw(vowels);
        for (const auto* table : {&prefixes, &suffixes}) {
            Int(static_cast<std::int32_t>(table->size()));
            for (const auto& e : *table)
                Raw(e.first).Raw(std::string(1, '\0')).Raw(e.second).Raw(std::string(1, '\0'));
        }
        return *this;
    }
    struct Rule {
        std::vector<Sym> left;
        std::vector<Sym> right;
    };
    CompiledImage& Tran(const std::vector<Rule>& rules) {
        Raw("tran").Int(static_cast<std::int32_t>(rules.size()));
        for (const auto& r : rules) {
            Int(static_cast<std::int32_t>(r.left.size()));
            for (const auto& s : r.left)
                Symbol(s);
            Int(static_cast<std::int32_t>(r.right.size()));
            for (const auto& s : r.right)
                Symbol(s);
        }
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};
