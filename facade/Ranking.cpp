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
        seen_.clear();
        for (std::int32_t i = 0; i < n; ++i)
            seen_.push_back(preference(i));
        std::sort(seen_.begin(), seen_.end());
        modelDecides = std::adjacent_find(seen_.begin(), seen_.end()) != seen_.end();
    }
    const SpellingModel* model = modelDecides ? Model() : nullptr;
    ratings_.assign(static_cast<std::size_t>(n), SpellingModel::Rating());
    if (model) {
        // What all lines begin and end with rates the same in each: only the rest is rated.
        std::size_t prefix = sorted[0].size(), suffix = sorted[0].size();
        for (std::int32_t i = 1; i < n; ++i) {
            const Text& a = sorted[0];
            const Text& b = sorted[i];
            std::size_t k = 0;
            while (k < prefix && k < b.size() && a[k] == b[k])
                ++k;
            prefix = k;
            k = 0;
            while (k < suffix && k < b.size() && a[a.size() - 1 - k] == b[b.size() - 1 - k])
                ++k;
            suffix = k;
        }
        for (std::int32_t i = 0; i < n; ++i)
            ratings_[static_cast<std::size_t>(i)] =
                model->Rate(sorted[i], prefix, std::min(suffix, sorted[i].size() - prefix));
    }
    const auto rating = [&](std::int32_t i) -> const SpellingModel::Rating& {
        return ratings_[static_cast<std::size_t>(i)];
    };
    // Sorted order breaks the ties that are left.
    if (rankBy_ == RankBy::Model)
        std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            if (rating(b) < rating(a)) return true;
            if (rating(a) < rating(b)) return false;
            if (preference(a) != preference(b)) return preference(a) < preference(b);
            return a < b;
        });
    else
        std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
            if (preference(a) != preference(b)) return preference(a) < preference(b);
            if (rating(b) < rating(a)) return true;
            if (rating(a) < rating(b)) return false;
            return a < b;
        });
}
