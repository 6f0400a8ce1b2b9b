// qm-bench: Google Benchmark figures of the program on the reference lists.
//
//   Load/KEY             loading a language (text files, sorting, the first run's index)
//   Steady/KEY           one pass over KEY's reference inputs, engine kept from pass to pass
//   FirstPass/KEY        the same pass on a freshly loaded engine (the load not timed)
//   Length/KEY/BYTES     one line of BYTES input bytes (2translit, english): a kilobyte of
//                        the list's words that give one variant, alone and together (so that
//                        no variant forks), repeated, so that only the length changes
//   Line200/KEY          one line of 200 input bytes made of the list's words in list order,
//                        on a freshly loaded engine (the load not timed)
//   Ranked/KEY           Steady/KEY with every line's variants ranked as well (the spelling
//                        model loaded before), to set beside Steady/KEY
//   ModelLoad            reading the spelling model russian.model
//
// Counters: bytes_per_second and items_per_second (words) for the passes, ns_per_byte and
// variants for the lines. Run bench/run.sh for one table with ICU's uconv beside it.
// QM_DATA and QM_REFERENCE override the data and reference folders.

#include "facade/LanguageManifest.h"
#include "facade/LinearQuilloMorph.h"
#include "facade/Ranking.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"
#include "platform/StringList.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#ifndef QM_DATA_DIR
#define QM_DATA_DIR "data"
#endif
#ifndef QM_REFERENCE_DIR
#define QM_REFERENCE_DIR "tests/fixtures/reference"
#endif

namespace fs = std::filesystem;

namespace {

const char* const kLanguages[] = {"2translit", "4translit", "chineese", "deutsch", "english",
                                  "espanol",   "francais",  "italiano", "nihongo", "polski"};

std::string Folder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value && *value ? value : fallback;
}

// The data folder, made absolute before the benchmarks change the working directory to it.
const std::string& DataFolder() {
    static const std::string folder = fs::absolute(Folder("QM_DATA", QM_DATA_DIR)).string();
    return folder;
}

// Column 1 of a tab-separated list: comment and blank lines skipped, as --check reads it.
std::vector<std::string> Inputs(const std::string& list) {
    std::ifstream in(list, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + list);
    std::vector<std::string> inputs;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string field = line.substr(0, line.find('\t'));
        if (field.find_first_not_of(" \t") != std::string::npos) inputs.push_back(field);
    }
    return inputs;
}

// The reference inputs of a language, as the command line reads them (its default code page).
struct Language {
    std::string key;
    platform::CodePage page;
    std::vector<Text> lines; // in the code page
    std::size_t bytes = 0;   // of lines
    std::size_t words = 0;   // blank-separated
};

const Language& Reference(const std::string& key) {
    static std::map<std::string, Language> loaded;
    auto found = loaded.find(key);
    if (found != loaded.end()) return found->second;
    const std::string dir = Folder("QM_REFERENCE", QM_REFERENCE_DIR);
    std::vector<std::string> lists;
    if (key == "2translit") lists = {"translit/icao-dev.tsv"};
    if (key == "4translit") lists = {"translit/reverse-dev.tsv"};
    if (key == "chineese") lists = {"chineese/names-dev.tsv", "chineese/syllables.tsv"};
    if (lists.empty()) lists = {key + "/names-dev.tsv"};
    Language language;
    language.key = key;
    // The code page the command line reads the language in: the manifest's.
    const std::vector<ManifestEntry> manifest = ReadLanguages(DataFolder());
    const ManifestEntry* entry = FindLanguage(manifest, key);
    if (!entry) throw std::runtime_error("the data folder's manifest has no " + key);
    language.page = entry->page;
    for (const std::string& list : lists)
        for (const std::string& input : Inputs(dir + "/" + list)) {
            language.lines.push_back(platform::FromUtf8(input, language.page));
            language.bytes += language.lines.back().size();
            bool inWord = false;
            for (const char c : language.lines.back()) {
                const bool blank = c == ' ';
                if (!blank && !inWord) ++language.words;
                inWord = !blank;
            }
        }
    return loaded.emplace(key, std::move(language)).first->second;
}

// A facade with the language loaded from the data folder (which is the working directory).
std::unique_ptr<LinearQuilloMorph> Load(const std::string& key) {
    static const bool quiet = [] {
        platform::SetMessageHandler([](const Text&, const Text&) {});
        std::error_code ec;
        fs::current_path(DataFolder(), ec);
        if (ec) throw std::runtime_error("cannot use the data folder");
        return true;
    }();
    static_cast<void>(quiet);
    auto facade = std::make_unique<LinearQuilloMorph>();
    facade->LoadLanguage(key);
    if (facade->languageKey.empty()) throw std::runtime_error("cannot load " + key);
    return facade;
}

std::int32_t Transcribe(LinearQuilloMorph& facade, const Text& line) {
    platform::StringList out;
    facade.Transcribe(line, out);
    return out.Count();
}

void BM_Load(benchmark::State& state, const std::string& key) {
    for (auto _ : state) {
        auto facade = Load(key);
        // The first run builds the engine's index of the rule set: part of being ready.
        benchmark::DoNotOptimize(Transcribe(*facade, "a"));
    }
}

void BM_Steady(benchmark::State& state, const std::string& key) {
    const Language& language = Reference(key);
    auto facade = Load(key);
    for (auto _ : state)
        for (const Text& line : language.lines)
            benchmark::DoNotOptimize(Transcribe(*facade, line));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(language.bytes));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(language.words));
}

void BM_Ranked(benchmark::State& state, const std::string& key) {
    const Language& language = Reference(key);
    auto facade = Load(key);
    const std::string folder = fs::absolute(fs::current_path()).string();
    const std::vector<ManifestEntry> entries = ReadLanguages(folder);
    const ManifestEntry* entry = FindLanguage(entries, key);
    Ranker ranker(folder + "/russian.model", entry ? entry->rankBy : RankBy::Rules);
    if (!ranker.Model()) throw std::runtime_error("no russian.model in the data folder");
    std::vector<std::int32_t> order;
    for (auto _ : state)
        for (const Text& line : language.lines) {
            platform::StringList out; // as Steady/KEY has it
            facade->Transcribe(line, out);
            ranker.Rank(*facade, out, order);
            benchmark::DoNotOptimize(order.data());
        }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(language.bytes));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(language.words));
}

void BM_ModelLoad(benchmark::State& state) {
    Load("english"); // the data folder as working directory
    for (auto _ : state) {
        auto model = SpellingModel::FromFile("russian.model");
        if (!model) throw std::runtime_error("cannot read russian.model");
        benchmark::DoNotOptimize(model->WordLogProb("a"));
    }
}

void BM_FirstPass(benchmark::State& state, const std::string& key) {
    const Language& language = Reference(key);
    for (auto _ : state) {
        state.PauseTiming();
        auto facade = Load(key);
        Transcribe(*facade, "a"); // the index of the rule set, as in Load
        state.ResumeTiming();
        for (const Text& line : language.lines)
            benchmark::DoNotOptimize(Transcribe(*facade, line));
        state.PauseTiming();
        facade.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(language.bytes));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(language.words));
}

// A line of exactly size bytes from words joined by blanks (the last one cut).
Text Line(const std::vector<Text>& words, std::size_t size) {
    Text line;
    for (std::size_t i = 0; line.size() < size; ++i)
        line += words[i % words.size()] + ' ';
    line.resize(size);
    return line;
}

// The variants the engine makes of line, before equal ones are told apart: more than one
// when the line forks, even where the forks end in the same text.
std::size_t EngineVariants(LinearQuilloMorph& facade, const Text& line) {
    std::vector<Symbol> symbols;
    std::vector<const Symbol*> origins;
    const std::size_t n = facade.syllabite.AnalyseKeeping(line, symbols, &origins);
    std::vector<std::uint32_t> codes;
    std::vector<std::size_t> ends;
    facade.transcriber.TranscribeCodes(symbols.data(), static_cast<std::uint32_t>(n), codes, ends,
                                       nullptr, origins.data(), facade.syllabite.OriginsVersion());
    return ends.size();
}

void BM_Length(benchmark::State& state, const std::string& key) {
    const Language& language = Reference(key);
    auto facade = Load(key);
    // The list's words on which the engine does not fork, on their own and after the words
    // taken before them (rules read across words), a kilobyte of them: repeated, with the
    // first word again after the last, the engine still makes one variant.
    std::vector<Text> single;
    Text joined;
    for (const Text& word : language.lines) {
        if (joined.size() >= 1024) break;
        if (word.find(' ') != Text::npos || EngineVariants(*facade, word) != 1) continue;
        const Text tried = joined.empty() ? word : joined + ' ' + word;
        const Text wrapped = single.empty() ? tried : tried + ' ' + single.front();
        if (EngineVariants(*facade, tried) != 1 || EngineVariants(*facade, wrapped) != 1) continue;
        single.push_back(word);
        joined = tried;
    }
    const Text line = Line(single, static_cast<std::size_t>(state.range(0)));
    std::int32_t variants = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(variants = Transcribe(*facade, line));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
    state.counters["ns_per_byte"] = benchmark::Counter(
        static_cast<double>(line.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert,
        benchmark::Counter::kIs1000);
    state.counters["variants"] = variants;
}

void BM_Line200(benchmark::State& state, const std::string& key) {
    const Language& language = Reference(key);
    const Text line = Line(language.lines, 200);
    std::int32_t variants = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto facade = Load(key);
        Transcribe(*facade, "a");
        state.ResumeTiming();
        benchmark::DoNotOptimize(variants = Transcribe(*facade, line));
        state.PauseTiming();
        facade.reset();
        state.ResumeTiming();
    }
    state.counters["variants"] = variants;
}

const bool kRegistered = [] {
    for (const char* key : kLanguages)
        benchmark::RegisterBenchmark((std::string("Load/") + key).c_str(), BM_Load, key)
            ->Unit(benchmark::kMillisecond);
    for (const char* key : kLanguages)
        benchmark::RegisterBenchmark((std::string("Steady/") + key).c_str(), BM_Steady, key)
            ->Unit(benchmark::kMillisecond);
    for (const char* key : kLanguages)
        benchmark::RegisterBenchmark((std::string("Ranked/") + key).c_str(), BM_Ranked, key)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ModelLoad", BM_ModelLoad)->Unit(benchmark::kMillisecond);
    for (const char* key : kLanguages)
        benchmark::RegisterBenchmark((std::string("FirstPass/") + key).c_str(), BM_FirstPass, key)
            ->Unit(benchmark::kMillisecond);
    for (const char* key : {"2translit", "english"})
        benchmark::RegisterBenchmark((std::string("Length/") + key).c_str(), BM_Length, key)
            ->Arg(1 << 10)
            ->Arg(10 << 10)
            ->Arg(100 << 10)
            ->Unit(benchmark::kMicrosecond);
    for (const char* key : kLanguages)
        benchmark::RegisterBenchmark((std::string("Line200/") + key).c_str(), BM_Line200, key)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
