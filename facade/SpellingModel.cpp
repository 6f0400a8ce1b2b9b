#include "facade/SpellingModel.h"

#include "platform/Files.h"

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

namespace spelling {

void LowerRussian(Text& text) {
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0xC0 && u <= 0xDF)
            c = static_cast<char>(u + 0x20);
        else if (u == 0xA8)
            c = static_cast<char>(0xB8);
    }
}

} // namespace spelling

namespace {

std::uint32_t ReadU32(const Text& bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t Spread(std::uint32_t key) {
    return key * 0x9E3779B1u;
}

} // namespace

std::unique_ptr<SpellingModel> SpellingModel::FromBytes(const Text& bytes) {
    constexpr std::size_t header = spelling::MagicSize + 6 * 4;
    if (bytes.size() < header || std::memcmp(bytes.data(), spelling::Magic, spelling::MagicSize))
        return nullptr;
    std::size_t at = spelling::MagicSize;
    const std::uint32_t order = ReadU32(bytes, at);
    const std::uint32_t count = ReadU32(bytes, at + 4);
    const std::uint32_t step = ReadU32(bytes, at + 8);
    const std::uint32_t bloomBits = ReadU32(bytes, at + 12);
    const std::uint32_t bloomHashes = ReadU32(bytes, at + 16);
    at = header;
    if (order < 2 || order > spelling::MaxOrder || step == 0 || bloomBits % 8 != 0 ||
        bloomHashes > 64 || (bloomBits != 0) != (bloomHashes != 0) || count > (1u << 26))
        return nullptr;
    const std::uint64_t need = std::uint64_t{count} * 5 + bloomBits / 8;
    if (bytes.size() - at != need) return nullptr;

    std::unique_ptr<SpellingModel> model(new SpellingModel);
    model->order_ = order;
    model->count_ = count;
    model->step_ = step / 1000.0;
    model->bloomBits_ = bloomBits;
    model->bloomHashes_ = bloomHashes;
    std::uint32_t slots = 16;
    while (slots < count + count / 2)
        slots *= 2;
    model->mask_ = slots - 1;
    model->keys_.assign(slots, 0);
    model->values_.assign(slots, 0);
    const std::size_t values = at + std::size_t{count} * 4;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t key = ReadU32(bytes, at + std::size_t{i} * 4);
        if (key == 0) return nullptr;
        std::uint32_t slot = Spread(key) & model->mask_;
        while (model->keys_[slot] != 0 && model->keys_[slot] != key)
            slot = (slot + 1) & model->mask_;
        model->keys_[slot] = key;
        model->values_[slot] = static_cast<std::uint8_t>(bytes[values + i]);
    }
    const std::size_t bloom = values + count;
    model->bloom_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(bloom), bytes.end());
    return model;
}

std::shared_ptr<const SpellingModel> SpellingModel::Shared(const std::string& path) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const SpellingModel>> models;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto known = models.find(path);
    if (known != models.end()) return known->second;
    Text bytes;
    std::shared_ptr<const SpellingModel> model;
    if (platform::ReadWholeFile(path, bytes)) model = FromBytes(bytes);
    models[path] = model;
    return model;
}

int SpellingModel::Find(std::uint32_t key) const {
    std::uint32_t slot = Spread(key) & mask_;
    for (;;) {
        const std::uint32_t k = keys_[slot];
        if (k == key) return values_[slot];
        if (k == 0) return -1;
        slot = (slot + 1) & mask_;
    }
}

bool SpellingModel::Knows(const Text& word) const {
    if (bloomBits_ == 0 || word.empty()) return false;
    const std::uint64_t h = spelling::BloomHash(word.data(), word.size());
    for (std::uint32_t i = 0; i < bloomHashes_; ++i) {
        const std::uint64_t bit = spelling::BloomBit(h, i, bloomBits_);
        if (!(bloom_[bit / 8] & (1u << (bit % 8)))) return false;
    }
    return true;
}

double SpellingModel::WordLogProb(const Text& word) const {
    // The word is read as boundary, its letters, boundary: symbol i of that.
    const std::size_t length = word.size() + 2;
    const auto symbol = [&](std::size_t i) {
        if (i == 0 || i == length - 1) return spelling::Boundary;
        const std::uint32_t s = spelling::Symbol(static_cast<unsigned char>(word[i - 1]));
        return s != 0 ? s : spelling::Boundary;
    };
    std::int64_t steps = 0;
    std::uint32_t gram[spelling::MaxOrder];
    for (std::size_t i = 1; i < length; ++i) {
        const std::size_t longest = i < order_ - 1 ? i : order_ - 1;
        for (std::size_t h = 0; h <= longest; ++h)
            gram[h] = symbol(i - longest + h);
        // The longest N-gram of the table that ends in symbol i, with the back-off weights
        // of the longer histories on the way.
        for (std::size_t h = longest;; --h) {
            const std::uint32_t* at = gram + (longest - h);
            const int p = Find(spelling::Key(at, h + 1));
            if (p >= 0) {
                steps += p;
                break;
            }
            if (h == 0) {
                steps += 255; // a symbol the model never saw
                break;
            }
            const int b = Find(spelling::Key(at, h) | spelling::HistoryBit);
            if (b >= 0) steps += b;
        }
    }
    return -static_cast<double>(steps) * step_;
}

SpellingModel::Rating SpellingModel::Rate(const Text& cp1251) const {
    Rating rating;
    Text word;
    const auto finish = [&] {
        if (word.empty()) return;
        spelling::LowerRussian(word);
        if (!Knows(word)) ++rating.unknown;
        rating.logProb += WordLogProb(word);
        word.clear();
    };
    for (char c : cp1251) {
        if (spelling::Symbol(static_cast<unsigned char>(c)) != 0)
            word += c;
        else
            finish();
    }
    finish();
    return rating;
}
