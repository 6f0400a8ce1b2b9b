#pragma once

#include "facade/LanguageManifest.h"
#include "facade/SpellingModel.h"
#include "platform/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class LinearQuilloMorph;

// The variants of one input, best first. Two things decide, in the order the language's
// manifest entry names (RankBy):
//   - the rule author's preference: where rules of equal weight give alternatives, the one
//     written first comes first (a line's preference, LinearQuilloMorph::LinePreferences,
//     counts the places after the first it took; fewer is better);
//   - the spelling model of Russian (SpellingModel): fewer words it does not know, then the
//     likelier spelling. It rates Russian letters only, so it has no say between lines that
//     differ in nothing else (Latin output).
// What neither decides keeps the sorted order. The ranking reorders the lines of the sorted
// list and nothing else: no line is added, dropped or changed.
class Ranker {
public:
    // modelPath: the spelling model, read when a ranking first needs it (and shared with
    // every Ranker of the process that names the same file); without it only the rule
    // author's preference and the sorted order decide.
    Ranker(std::string modelPath, RankBy rankBy);

    // The indices of the lines of sorted, best first, for the facade's last Transcribe that
    // filled sorted.
    void Rank(const LinearQuilloMorph& facade, const platform::StringList& sorted,
              std::vector<std::int32_t>& order);

    // The same from the lines' preferences (by index in sorted).
    void Rank(const platform::StringList& sorted, const std::vector<std::uint32_t>& preferences,
              std::vector<std::int32_t>& order);

    RankBy By() const { return rankBy_; }
    // The model, read now if it was not yet; null when the file is missing or unusable.
    const SpellingModel* Model();

private:
    std::string modelPath_;
    RankBy rankBy_;
    bool modelTried_ = false;
    std::shared_ptr<const SpellingModel> model_;
    std::vector<std::uint32_t> preferences_;
    std::vector<SpellingModel::Rating> ratings_;
    std::vector<std::uint32_t> seen_;
};
