#include "facade/Ranking.h"

#include "facade/LinearQuilloMorph.h"

#include <algorithm>
#include <utility>

Ranker::Ranker(std::string modelPath, RankBy rankBy)
    : modelPath_(std::move(modelPath)), rankBy_(rankBy) {}

const SpellingModel* Ranker::Model() {
    if (!modelTried_) {
        modelTried_ = true;
        if (!modelPath_.empty()) model_ = SpellingModel::Shared(modelPath_);
    }
    return model_.get();
}

void Ranker::Rank(const LinearQuilloMorph& facade, const platform::StringList& sorted,
                  std::vector<std::int32_t>& order) {
    facade.LinePreferences(sorted, preferences_);
    Rank(sorted, preferences_, order);
}

void Ranker::Rank(const platform::StringList& sorted, const std::vector<std::uint32_t>& preferences,
                  std::vector<std::int32_t>& order) {
    const std::int32_t n = sorted.Count();
    order.resize(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i)
        order[static_cast<std::size_t>(i)] = i;
    if (n < 2) return;
    const auto preference = [&](std::int32_t i) {
        return static_cast<std::size_t>(i) < preferences.size()
                   ? preferences[static_cast<std::size_t>(i)]
                   : 0u;
    };
    // The model is read, and asked, only where the preferences leave a choice to it.
    bool modelDecides = rankBy_ == RankBy::Model;
    if (!modelDecides) {
        std::vector<std::uint32_t> seen;
        for (std::int32_t i = 0; i < n; ++i)
            seen.push_back(preference(i));
        std::sort(seen.begin(), seen.end());
        modelDecides = std::adjacent_find(seen.begin(), seen.end()) != seen.end();
    }
    const SpellingModel* model = modelDecides ? Model() : nullptr;
    ratings_.assign(static_cast<std::size_t>(n), SpellingModel::Rating());
    if (model)
        for (std::int32_t i = 0; i < n; ++i)
            ratings_[static_cast<std::size_t>(i)] = model->Rate(sorted[i]);
    const auto rating = [&](std::int32_t i) -> const SpellingModel::Rating& {
        return ratings_[static_cast<std::size_t>(i)];
    };
    // Sorted order breaks the ties that are left (the order starts sorted and the sort is
    // stable).
    if (rankBy_ == RankBy::Model)
        std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            if (rating(b) < rating(a)) return true;
            if (rating(a) < rating(b)) return false;
            return preference(a) < preference(b);
        });
    else
        std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            if (preference(a) != preference(b)) return preference(a) < preference(b);
            return rating(b) < rating(a);
        });
}
