// quillomorph for Python: the library's Transcriber, its languages and its errors.
#include <quillomorph/quillomorph.h>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>

namespace py = pybind11;

namespace {

std::string DataDir(const std::optional<std::string>& dataDir) {
    return dataDir ? *dataDir : quillomorph::DefaultDataDir();
}

} // namespace

PYBIND11_MODULE(quillomorph, m) {
    m.doc() = "Foreign names written in Russian, and Russian in Latin letters.\n\n"
              "    >>> import quillomorph\n"
              "    >>> quillomorph.Transcriber('english').transcribe('Smith')\n"
              "    ['Смит']";
    static py::exception<quillomorph::Error> error(m, "Error", PyExc_RuntimeError);
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const quillomorph::Error& e) {
            error(e.what());
        }
    });

    py::class_<quillomorph::Language>(m, "Language", "A language of a data folder.")
        .def_readonly("key", &quillomorph::Language::key)
        .def_readonly("english_name", &quillomorph::Language::englishName)
        .def_readonly("russian_name", &quillomorph::Language::russianName)
        .def_readonly("aliases", &quillomorph::Language::aliases)
        .def_readonly("code_page", &quillomorph::Language::codePage)
        .def("__repr__",
             [](const quillomorph::Language& l) { return "<quillomorph.Language " + l.key + ">"; });

    py::class_<quillomorph::Transcriber>(m, "Transcriber",
                                         "One loaded language. Use one per thread.")
        .def(py::init([](const std::string& language, const std::optional<std::string>& dataDir) {
                 return quillomorph::Transcriber::Open(DataDir(dataDir), language);
             }),
             py::arg("language"), py::arg("data_dir") = py::none(),
             "Loads a language by key or alias; raises quillomorph.Error when it cannot.")
        .def(
            "transcribe",
            [](quillomorph::Transcriber& t, const std::string& text, bool ranked) {
                std::vector<std::string> variants;
                {
                    py::gil_scoped_release release;
                    variants = t.Transcribe(text, ranked ? quillomorph::Order::Ranked
                                                         : quillomorph::Order::Sorted);
                }
                return variants;
            },
            py::arg("text"), py::arg("ranked") = false,
            "Every transcription of one line of text: sorted, or best first with ranked=True.")
        .def(
            "best",
            [](quillomorph::Transcriber& t, const std::string& text) {
                py::gil_scoped_release release;
                return t.Best(text);
            },
            py::arg("text"), "The best transcription of one line of text ('' for none).")
        .def_property_readonly(
            "messages",
            [](const quillomorph::Transcriber& t) {
                py::list messages;
                for (const quillomorph::Message& message : t.Messages())
                    messages.append(py::make_tuple(message.caption, message.text));
                return messages;
            },
            "The system's messages so far, as (caption, text) pairs.")
        .def_property_readonly("key", &quillomorph::Transcriber::Key)
        .def_property_readonly("data_dir", &quillomorph::Transcriber::DataDir);

    m.def(
        "languages",
        [](const std::optional<std::string>& dataDir) {
            return quillomorph::Languages(DataDir(dataDir));
        },
        py::arg("data_dir") = py::none(), "The languages of a data folder.");
    m.def("default_data_dir", &quillomorph::DefaultDataDir,
          "The data folder of this installation or build ('' when none is found).");
    m.attr("__version__") = quillomorph::Version();
}
