// Prints the transcriptions of its arguments in English, then the library's version and the
// data folder it found by itself.
#include <quillomorph/quillomorph.h>

#include <iostream>

int main(int argc, char** argv) {
    try {
        const std::string data = quillomorph::DefaultDataDir();
        quillomorph::Transcriber english = quillomorph::Transcriber::Open(data, "english");
        for (int i = 1; i < argc; ++i)
            for (const std::string& variant : english.Transcribe(argv[i]))
                std::cout << variant << '\n';
        std::cout << "version " << quillomorph::Version() << '\n' << "data " << data << '\n';
    } catch (const quillomorph::Error& e) {
        std::cerr << "consumer: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
