// Writes the compiled form (magic, "alfa", "syla", "tran") of a language given as text files,
// for the seed corpus of the compiled-file target. The system itself only reads this format.
//
//   qm-fuzz-seed-compiler KEYPATH OUT.bin     KEYPATH.alf, .syl and .lin are read
//
// Rules lose their context conditions, which the compiled format cannot hold.

#include "analysis/Syllabite.h"
#include "engine/TransCriber.h"
#include "platform/Messages.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

class Image {
public:
    void Raw(const std::string& bytes) { bytes_ += bytes; }
    void Zero(const std::string& text) {
        bytes_ += text;
        bytes_ += '\0';
    }
    void Int(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void Sym(const Symbol& s) {
        Int(s.code);
        Int(static_cast<std::uint32_t>(s.extra));
        Int(static_cast<std::uint32_t>(s.params.Count()));
        for (std::int32_t i = 0; i < s.params.Count(); ++i) {
            Zero(s.params[i].name);
            Zero(s.params[i].value);
            Int(0);
        }
    }
    void Symbols(const SymbolCollection& symbols) {
        Int(static_cast<std::uint32_t>(symbols.Count()));
        for (std::int32_t i = 0; i < symbols.Count(); ++i)
            Sym(symbols[i]);
    }
    void Table(const platform::StringList& in, const platform::StringList& out) {
        Int(static_cast<std::uint32_t>(in.Count()));
        for (int i = 0; i < in.Count(); ++i) {
            Zero(in[i]);
            Zero(out[i]);
        }
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s KEYPATH OUT.bin\n", argv[0]);
        return 2;
    }
    platform::SetMessageHandler([](const Text&, const Text&) {});
    const Text key = argv[1];
    Syllabite syllabite;
    syllabite.LoadTextFiles(key);
    TransCriber engine;
    try {
        engine.LoadRules(key + ".lin", 0);
    } catch (const Text&) {
        // A rule without a left side is left out; the others are written.
    }

    Image image;
    image.Raw("quillomorph binary 1.0 in");
    const Alphabet& alphabet = syllabite.alphabet;
    image.Raw("alfa");
    image.Int(static_cast<std::uint32_t>(alphabet.EntryCount()));
    for (std::int32_t i = 0; i < alphabet.EntryCount(); ++i) {
        image.Raw(std::string(1, alphabet.Entry(i).character));
        image.Sym(alphabet.Entry(i).symbol);
    }
    image.Raw("syla");
    image.Raw(std::string(1, static_cast<char>(syllabite.reserved)));
    image.Int(static_cast<std::uint32_t>(syllabite.stressPosition));
    image.Int(static_cast<std::uint32_t>(syllabite.vowels.size()));
    image.Raw(syllabite.vowels);
    image.Table(syllabite.prefixIn, syllabite.prefixOut);
    image.Table(syllabite.suffixIn, syllabite.suffixOut);
    image.Raw("tran");
    image.Int(static_cast<std::uint32_t>(engine.ruleCount));
    for (std::int32_t i = 0; i < engine.ruleCount; ++i) {
        image.Symbols(engine.rules[i].left);
        image.Symbols(engine.rules[i].right);
    }

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << image.Bytes();
    return out ? 0 : 1;
}
