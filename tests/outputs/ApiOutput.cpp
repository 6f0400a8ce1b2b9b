// qm-api-output DATA KEY INPUT OUTPUT: what the library's public API gives for each line of
// INPUT, written as the command-line front end writes it (variants joined by TAB, one line per
// input line), so that the two can be compared with the stored outputs.
#include <quillomorph/quillomorph.h>

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: qm-api-output DATA KEY INPUT OUTPUT\n";
        return 2;
    }
    try {
        quillomorph::Transcriber transcriber = quillomorph::Transcriber::Open(argv[1], argv[2]);
        std::ifstream in(argv[3], std::ios::binary);
        std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::vector<std::string> variants = transcriber.Transcribe(line);
            for (std::size_t i = 0; i < variants.size(); ++i)
                out << (i ? "\t" : "") << variants[i];
            out << '\n';
        }
        for (const quillomorph::Message& m : transcriber.Messages())
            std::cerr << m.caption << ": " << m.text << '\n';
        return in.bad() || !out ? 1 : 0;
    } catch (const quillomorph::Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
