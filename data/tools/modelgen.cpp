// quillomorph-modelgen [--order N] DIC AFF OUT
// Builds the Russian spelling model OUT (russian.model, see facade/SpellingModel.h) from a
// spelling dictionary in hunspell form: DIC its stems, AFF its affix rules. The data folder's
// model is made from Debian's hunspell-ru:
//     cmake --build build --target data-model
#include "data/tools/RuleSource.h"
#include "data/tools/SpellingModelBuilder.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool Read(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    datagen::ModelOptions options;
    if (argc == 6 && std::string(argv[1]) == "--order") {
        options.order = static_cast<std::uint32_t>(std::stoul(argv[2]));
        argv += 2;
        argc -= 2;
    }
    if (argc != 4) {
        std::cerr << "usage: quillomorph-modelgen [--order N] DIC AFF OUT\n";
        return 2;
    }
    std::string dic, aff;
    if (!Read(argv[1], dic) || !Read(argv[2], aff)) {
        std::cerr << "quillomorph-modelgen: cannot read " << argv[1] << " or " << argv[2] << '\n';
        return 2;
    }
    try {
        const std::vector<std::string> words = datagen::ExpandDictionary(dic, aff);
        const std::string model = datagen::BuildSpellingModel(words, options);
        std::string old;
        if (Read(argv[3], old) && old == model) return 0;
        std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
        out << model;
        if (!out) {
            std::cerr << "quillomorph-modelgen: cannot write " << argv[3] << '\n';
            return 1;
        }
        std::cout << words.size() << " word forms, " << model.size() << " bytes\n";
    } catch (const datagen::SourceError& e) {
        std::cerr << "quillomorph-modelgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
