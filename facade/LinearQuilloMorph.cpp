#include "facade/LinearQuilloMorph.h"

#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/SystemTexts.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr char Magic[] = "quillomorph binary 1.0 in";
constexpr std::size_t MagicSize = 25;
static_assert(sizeof(Magic) == MagicSize + 1, "the magic is 25 bytes");

} // namespace

LinearQuilloMorph::~LinearQuilloMorph() {
    SetDebug(false);
    ReleaseVariantTraces();
    delete symbolTrace;
    symbolTrace = nullptr;
}

void LinearQuilloMorph::ReleaseVariantTraces() {
    if (variantTraces) {
        for (std::int32_t i = 0; i < variantTraceCount; ++i)
            delete variantTraces[i];
        delete[] variantTraces;
    }
    variantTraces = nullptr;
}

void LinearQuilloMorph::LoadLanguage(const Text& key) {
    if (!platform::FileExists(key + ".bin")) {
        platform::ShowMessage(texts::CannotOpenRules());
        languageKey.clear();
        return;
    }
    languageKey = key;
    if (ReadCompiledRules() == 0) return;
    syllabite.LoadTextFiles(languageKey);
    transcriber.LoadRules(languageKey + ".lin", 0);
}

std::int32_t LinearQuilloMorph::ReadCompiledRules() {
    Text image;
    if (!platform::ReadWholeFile(languageKey + ".bin", image)) return -1;
    if (image.size() < MagicSize || std::strncmp(image.data(), Magic, MagicSize) != 0) return -2;
    std::size_t position = MagicSize;
    if (syllabite.ReadSyllableSection(image.data(), image.size(), position) != 0) return 1;
    if (transcriber.ReadRuleSection(image.data(), image.size(), position) != 0) return 1;
    return 0;
}

std::int32_t LinearQuilloMorph::Transcribe(const Text& line, platform::StringList& out) {
    linePreferences_.clear();
    if (languageKey.empty() || line.empty()) {
        // The traces of an earlier call go with their count, so that none is left unowned.
        ReleaseVariantTraces();
        variantTraceCount = 0;
        return 0;
    }
    if (debug) {
        delete symbolTrace;
        symbolTrace = new platform::StringList;
    }
    out.SetSorted(true);
    out.SetDuplicates(platform::StringList::Duplicates::Ignore);

    // The symbols of the line, in the one array the engine reads.
    const std::int32_t n =
        static_cast<std::int32_t>(syllabite.AnalyseKeeping(line, input_, &origins_));

    if (debug) {
        Text trace;
        for (std::int32_t i = 0; i < n; ++i) {
            const std::uint32_t code = input_[static_cast<std::size_t>(i)].code;
            trace += code == 0 ? '_' : static_cast<char>(code & 0xFF);
        }
        symbolTrace->Add(trace);
    }

    transcriber.TranscribeCodes(input_.data(), static_cast<std::uint32_t>(n), codes_, ends_,
                                &preferences_, origins_.data(), syllabite.OriginsVersion());
    const std::int32_t count = static_cast<std::int32_t>(ends_.size());

    if (debug) {
        ReleaseVariantTraces();
        variantTraces = new platform::StringList*[static_cast<std::size_t>(count)];
        variantTraceCount = count;
        std::size_t i = 0;
        for (std::int32_t k = 0; k < count; ++k) {
            variantTraces[k] = new platform::StringList;
            for (; i < ends_[static_cast<std::size_t>(k)]; ++i)
                variantTraces[k]->Add(std::to_string(static_cast<std::int32_t>(codes_[i])));
        }
    }

    // The lines go into the sorted list in its own order (a stable sort keeps the variants'
    // order among lines equal but for case, so the first of them stays as before): each then
    // takes one comparison to place instead of a search.
    lines_.resize(static_cast<std::size_t>(count));
    std::size_t i = 0;
    for (std::int32_t k = 0; k < count; ++k) {
        const std::size_t end = ends_[static_cast<std::size_t>(k)];
        Text& text = lines_[static_cast<std::size_t>(k)].text;
        text.resize(end - i);
        char* at = text.empty() ? nullptr : &text[0];
        for (; i < end; ++i) {
            const std::uint32_t code = codes_[i];
            if (code != 60 && code != 62) *at++ = static_cast<char>(code & 0xFF);
        }
        text.resize(text.empty() ? 0 : static_cast<std::size_t>(at - &text[0]));
        // One variant is its own order: the keys serve a sort only.
        if (count > 1) lines_[static_cast<std::size_t>(k)].key = platform::AnsiSortKey(text);
        lines_[static_cast<std::size_t>(k)].preference = preferences_[static_cast<std::size_t>(k)];
    }
    if (count > 1)
        std::stable_sort(lines_.begin(), lines_.end(),
                         [](const Line& a, const Line& b) { return a.key < b.key; });
    // Each line's preference by its place in out, while out holds only these lines: a line
    // equal to the one before it (Add ignores it) is a duplicate of that one.
    linePreferences_.clear();
    bool placed = out.Count() == 0;
    for (const Line& line : lines_) {
        const int at = out.Add(line.text);
        if (!placed) continue;
        if (at >= 0 && at == static_cast<int>(linePreferences_.size()))
            linePreferences_.push_back(line.preference);
        else if (at < 0 && !linePreferences_.empty())
            linePreferences_.back() = std::min(linePreferences_.back(), line.preference);
        else
            placed = false;
    }
    if (!placed) linePreferences_.clear();
    // The buffers keep what ordinary lines need. What a long line needed more stays while long
    // lines keep coming (each would make it again) and is given back once kOrdinaryLines
    // ordinary lines have followed the last of them, or at once past kLongKept.
    constexpr std::size_t kept = std::size_t{1} << 16;
    constexpr std::size_t kLongKept = std::size_t{1} << 20;
    constexpr std::uint32_t kOrdinaryLines = 64;
    const std::size_t used = std::max({static_cast<std::size_t>(n), codes_.size(), ends_.size()});
    if (used > kept)
        ordinaryLines_ = 0;
    else if (ordinaryLines_ < kOrdinaryLines)
        ++ordinaryLines_;
    const std::size_t keep = ordinaryLines_ < kOrdinaryLines ? kLongKept : kept;
    if (input_.capacity() > keep) {
        std::vector<Symbol>().swap(input_);
        std::vector<const Symbol*>().swap(origins_);
    }
    if (codes_.capacity() > keep) std::vector<std::uint32_t>().swap(codes_);
    if (ends_.capacity() > keep) std::vector<std::size_t>().swap(ends_);
    if (lines_.size() > 256 || (lines_.size() == 1 && lines_[0].text.capacity() > keep))
        std::vector<Line>().swap(lines_);
    return 1;
}

void LinearQuilloMorph::LinePreferences(const platform::StringList& out,
                                        std::vector<std::uint32_t>& preferences) const {
    if (!linePreferences_.empty() &&
        linePreferences_.size() == static_cast<std::size_t>(out.Count())) {
        preferences = linePreferences_;
        return;
    }
    preferences.assign(static_cast<std::size_t>(out.Count()), UINT32_MAX);
    int index = 0;
    for (const Line& line : lines_)
        if (out.Find(line.text, index) && index < out.Count()) {
            std::uint32_t& p = preferences[static_cast<std::size_t>(index)];
            if (line.preference < p) p = line.preference;
        }
    for (std::uint32_t& p : preferences)
        if (p == UINT32_MAX) p = 0;
}

void LinearQuilloMorph::SetDebug(bool on) {
    if (on == debug) return;
    if (!on) {
        ReleaseVariantTraces();
        variantTraceCount = 0;
    }
    debug = on;
    transcriber.traceOn = on;
}
