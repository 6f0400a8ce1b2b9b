#include "facade/SpellingModel.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#if defined(__unix__) || defined(__APPLE__)
#define QM_SPELLING_MMAP 1
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#define QM_SPELLING_MMAP 0
#endif

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

void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

SpellingModel::~SpellingModel() {
#if QM_SPELLING_MMAP
    if (mapped_) munmap(mapped_, mappedSize_);
#endif
}

bool SpellingModel::Open(const unsigned char* data, std::size_t size) {
    constexpr std::size_t header = spelling::MagicSize + 6 * 4;
    if (size < header || std::memcmp(data, spelling::Magic, spelling::MagicSize) != 0) return false;
    const std::uint8_t* field = data + spelling::MagicSize;
    order_ = U32(field);
    slots_ = U32(field + 4);
    const std::uint32_t step = U32(field + 8);
    step_ = step / 1000.0;
    bloomBits_ = U32(field + 12);
    bloomHashes_ = U32(field + 16);
    if (order_ < 2 || order_ > spelling::MaxOrder || slots_ == 0 || (slots_ & (slots_ - 1)) != 0 ||
        slots_ > (1u << 26) || step == 0 || bloomBits_ % 512 != 0 || bloomHashes_ > 64 ||
        (bloomBits_ != 0) != (bloomHashes_ != 0))
        return false;
    if (size != header + std::size_t{slots_} * 5 + bloomBits_ / 8) return false;
    records_ = data + header;
    bloom_ = records_ + std::size_t{slots_} * 5;
    return true;
}

bool SpellingModel::OpenImage(std::size_t size) {
    return Open(reinterpret_cast<const unsigned char*>(image_.data()), size);
}

std::unique_ptr<SpellingModel> SpellingModel::FromBytes(const Text& bytes) {
    std::unique_ptr<SpellingModel> model(new SpellingModel);
    model->image_.assign((bytes.size() + 3) / 4, 0);
    if (!bytes.empty()) std::memcpy(model->image_.data(), bytes.data(), bytes.size());
    if (!model->OpenImage(bytes.size())) return nullptr;
    return model;
}

std::unique_ptr<SpellingModel> SpellingModel::FromFile(const std::string& path) {
    std::unique_ptr<SpellingModel> model(new SpellingModel);
#if QM_SPELLING_MMAP
    // Read into memory of its own, in huge pages where the system has them: the table is
    // read at random, and with small pages nearly every look-up would first look for its page.
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0 ||
            st.st_size >= (1L << 30)) {
            ::close(fd);
            return nullptr;
        }
        const std::size_t size = static_cast<std::size_t>(st.st_size);
        constexpr std::size_t Huge = std::size_t{2} << 20;
        const std::size_t span = (size + Huge - 1) / Huge * Huge + Huge;
        void* mapped =
            ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) {
            ::close(fd);
            return nullptr;
        }
        model->mapped_ = mapped;
        model->mappedSize_ = span;
        auto* data = static_cast<unsigned char*>(mapped);
        data += (Huge - reinterpret_cast<std::uintptr_t>(data) % Huge) % Huge;
#ifdef MADV_HUGEPAGE
        ::madvise(data, span - Huge, MADV_HUGEPAGE);
#endif
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, data + got, size - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        if (got != size || !model->Open(data, size)) return nullptr;
        return model;
    }
#endif
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    std::size_t size = 0;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long end = ok ? std::ftell(file) : -1;
    ok = end >= 0 && end < (1L << 30) && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        size = static_cast<std::size_t>(end);
        model->image_.assign((size + 3) / 4, 0);
        ok = std::fread(model->image_.data(), 1, size, file) == size;
    }
    std::fclose(file);
    if (!ok || !model->OpenImage(size)) return nullptr;
    return model;
}

std::shared_ptr<const SpellingModel> SpellingModel::Shared(const std::string& path) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const SpellingModel>> models;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto known = models.find(path);
    if (known != models.end()) return known->second;
    std::shared_ptr<const SpellingModel> model = FromFile(path);
    models[path] = model;
    return model;
}

std::size_t SpellingModel::Entries() const {
    std::size_t count = 0;
    for (std::uint32_t i = 0; i < slots_; ++i)
        if (U32(records_ + std::size_t{i} * 5) != 0) ++count;
    return count;
}

int SpellingModel::Find(std::uint32_t key) const {
    std::uint32_t slot = spelling::Slot(key, slots_);
    // A table without a free record (a damaged file) ends the search after one round.
    for (std::uint32_t probes = 0; probes < slots_; ++probes) {
        const std::uint8_t* record = records_ + std::size_t{slot} * 5;
        const std::uint32_t k = U32(record);
        if (k == key) return record[4];
        if (k == 0) return -1;
        slot = (slot + 1) & (slots_ - 1);
    }
    return -1;
}

bool SpellingModel::Knows(const Text& word) const {
    return !word.empty() && Knows(spelling::BloomHash(word.data(), word.size()));
}

bool SpellingModel::Knows(std::uint64_t h) const {
    if (bloomBits_ == 0) return false;
    const std::uint8_t* block = bloom_ + spelling::BloomBlock(h, bloomBits_ / 512) * 64;
    for (std::uint32_t i = 0; i < bloomHashes_; ++i) {
        const std::uint32_t bit = spelling::BloomBit(h, i);
        if (!(block[bit / 8] & (1u << (bit % 8)))) return false;
    }
    return true;
}

double SpellingModel::WordLogProb(const Text& word) const {
    return static_cast<double>(Steps(word.data(), word.size(), 1, word.size() + 1)) * -step_;
}

std::int64_t SpellingModel::Steps(const char* word, std::size_t size, std::size_t first,
                                  std::size_t last) const {
    // The word is read as boundary, its letters, boundary. The last order_ symbols read are
    // kept packed as Key() packs them, so that the key of every shorter N-gram ending in the
    // symbol read, and of its history, is a part of it.
    const auto mask = [](std::size_t symbols) { return (std::uint32_t{1} << (6 * symbols)) - 1; };
    std::uint32_t window = spelling::Boundary;
    std::int64_t steps = 0;
    for (std::size_t i = 1; i <= last; ++i) {
        std::uint32_t symbol = spelling::Boundary;
        if (i <= size) {
            symbol = spelling::Symbol(static_cast<unsigned char>(word[i - 1]));
            if (symbol == 0) symbol = spelling::Boundary;
        }
        window = (window << 6 | symbol) & mask(order_);
        if (i < first) continue;
        // The longest N-gram of the table that ends in symbol i, with the back-off weights
        // of the longer histories on the way.
        for (std::size_t h = i < order_ - 1 ? i : order_ - 1;; --h) {
            const int p = Find(window & mask(h + 1));
            if (p >= 0) {
                steps += p;
                break;
            }
            if (h == 0) {
                steps += 255; // a symbol the model never saw
                break;
            }
            const int b = Find((window >> 6 & mask(h)) | spelling::HistoryBit);
            if (b >= 0) steps += b;
        }
    }
    return steps;
}

SpellingModel::Rating SpellingModel::Rate(const Text& cp1251, std::size_t prefix,
                                          std::size_t suffix) const {
    Rating rating;
    std::int64_t steps = 0;
    const std::size_t n = cp1251.size();
    if (prefix + suffix > n) suffix = n - prefix;
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp1251.data());
    using Offset = std::ptrdiff_t;
    std::size_t start = 0;
    std::uint64_t h = spelling::BloomStart;
    for (std::size_t at = 0; at <= n; ++at) {
        if (at < n && spelling::Symbol(bytes[at]) != 0) {
            h = spelling::BloomStep(h, spelling::LowerOf(bytes[at]));
            continue;
        }
        if (at > start) {
            // The word cp1251[start..at): symbol i (1..length + 1) stands at byte
            // start + i - 1, its N-gram reaches back to symbol i - order + 1 (0 at the
            // least, the boundary at byte start - 1). What lies wholly in the common
            // beginning or the common end is the same in every line: left out.
            const std::size_t length = at - start;
            std::size_t first = 1, last = length + 1;
            const auto byte = [&](std::size_t i) { return static_cast<Offset>(start + i) - 1; };
            while (first <= last && start <= prefix && byte(first) < static_cast<Offset>(prefix))
                ++first;
            const auto earliest = [&](std::size_t i) {
                return i + 1 >= order_ ? i + 1 - order_ : 0;
            };
            while (first <= last && suffix > 0 &&
                   byte(earliest(last)) >= static_cast<Offset>(n - suffix))
                --last;
            if (first <= last) {
                if (bloomBits_ != 0)
                    Prefetch(bloom_ + spelling::BloomBlock(h, bloomBits_ / 512) * 64);
                steps += Steps(cp1251.data() + start, length, first, last);
                if (!Knows(h)) ++rating.unknown;
            }
        }
        start = at + 1;
        h = spelling::BloomStart;
    }
    rating.logProb = static_cast<double>(steps) * -step_;
    return rating;
}
