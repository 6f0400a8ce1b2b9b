// Helper of the output guard (see OutputGuard.cmake):
//
//   qm-output-guard extract LIST COLUMN OUT
//       writes column COLUMN (1-based) of the tab-separated reference LIST to OUT, one input
//       per line (LF), skipping comment lines (#), blank lines and blank inputs;
//   qm-output-guard variants DATA KEY IN OUT
//       transcribes every UTF-8 line of IN (converted to the code page DATA/languages.txt gives
//       the language) with the engine's symbol interface and writes to OUT
//       a digest of every variant in the engine's order: codes, extras and parameters of every
//       symbol, markers included. The command-line output is sorted and free of duplicates, so
//       this digest is what notices a change in variant order or in symbol parameters.

#include "facade/LanguageManifest.h"
#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string TrimBlanks(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

int Extract(const std::string& list, int column, const std::string& outName) {
    std::ifstream in(list, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << list << '\n';
        return 2;
    }
    std::ofstream out(outName, std::ios::binary | std::ios::trunc);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::size_t start = 0;
        for (int c = 1; c < column && start != std::string::npos; ++c) {
            start = line.find('\t', start);
            if (start != std::string::npos) ++start;
        }
        if (start == std::string::npos) continue;
        const std::string field = line.substr(start, line.find('\t', start) - start);
        if (TrimBlanks(field).empty()) continue;
        out << field << '\n';
    }
    return out ? 0 : 2;
}

// 64-bit FNV-1a over everything fed to it.
class Digest {
public:
    void Bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash_ ^= p[i];
            hash_ *= 0x100000001B3ull;
        }
    }
    void Number(std::uint32_t value) {
        unsigned char le[4] = {
            static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        Bytes(le, sizeof le);
    }
    void Zstring(const char* text) { Bytes(text, std::strlen(text) + 1); }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

int Variants(const std::string& data, const std::string& key, const std::string& inName,
             const std::string& outName) {
    const std::vector<ManifestEntry> languages = ReadLanguages(data);
    const ManifestEntry* language = FindLanguage(languages, key);
    if (!language) {
        std::cerr << "no language " << key << " in " << data << '\n';
        return 2;
    }
    const platform::CodePage codePage = language->page;
    std::ifstream in(inName, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << inName << '\n';
        return 2;
    }
    platform::SetMessageHandler([](const Text& text, const Text& caption) {
        std::cerr << platform::ToUtf8(caption, platform::CodePage::Cp1251) << ": "
                  << platform::ToUtf8(text, platform::CodePage::Cp1251) << '\n';
    });
    std::error_code ec;
    std::filesystem::current_path(data, ec);
    if (ec) {
        std::cerr << "cannot use data directory " << data << '\n';
        return 2;
    }
    LinearQuilloMorph facade;
    facade.LoadLanguage(platform::FromUtf8(key, platform::CodePage::Cp1251));
    if (facade.languageKey.empty()) return 1;

    Digest digest;
    std::uint64_t lines = 0, variants = 0, symbols = 0, params = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++lines;
        SymbolCollection analysed(false, true);
        facade.syllabite.Analyse(platform::FromUtf8(line, codePage), analysed);
        const std::int32_t n = analysed.Count();
        std::vector<Symbol> input(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i)
            input[static_cast<std::size_t>(i)] = analysed[i];
        SymbolCollection* result = nullptr;
        std::int32_t count = 0;
        facade.transcriber.TranscribeSymbols(input.data(), static_cast<std::uint32_t>(n), result,
                                             count);
        std::unique_ptr<SymbolCollection[]> owned(result);
        digest.Number(static_cast<std::uint32_t>(count));
        for (std::int32_t k = 0; k < count; ++k) {
            const SymbolCollection& variant = result[k];
            ++variants;
            digest.Number(static_cast<std::uint32_t>(variant.Count()));
            digest.Number(variant.Sorted() ? 1u : 0u);
            digest.Number(variant.Storing() ? 1u : 0u);
            for (std::int32_t i = 0; i < variant.Count(); ++i) {
                const Symbol& s = variant[i];
                ++symbols;
                digest.Number(s.code);
                digest.Number(static_cast<std::uint32_t>(s.extra));
                digest.Number(static_cast<std::uint32_t>(s.params.Count()));
                for (std::int32_t p = 0; p < s.params.Count(); ++p) {
                    ++params;
                    digest.Zstring(s.params[p].name);
                    digest.Zstring(s.params[p].value);
                }
            }
        }
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(digest.Value()));
    std::ofstream out(outName, std::ios::binary | std::ios::trunc);
    out << "lines " << lines << "\nvariants " << variants << "\nsymbols " << symbols
        << "\nparameters " << params << "\ndigest " << hex << '\n';
    return out ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "extract")
        return Extract(args[1], std::stoi(args[2]), args[3]);
    if (args.size() == 5 && args[0] == "variants")
        return Variants(args[1], args[2], args[3], args[4]);
    std::cerr << "usage: qm-output-guard extract LIST COLUMN OUT\n"
                 "       qm-output-guard variants DATA KEY IN OUT\n";
    return 2;
}
