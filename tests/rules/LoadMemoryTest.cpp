#include "RuleTestSupport.h"

#include "engine/TransCriber.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

// The largest single allocation made while tracking is on, for this test program only.
namespace {
std::atomic<bool> tracking{false};
std::atomic<std::size_t> largest{0};
} // namespace

namespace {
void* Allocate(std::size_t size) {
    if (tracking.load(std::memory_order_relaxed)) {
        std::size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
    }
    void* p = std::malloc(size != 0 ? size : 1);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}

void* operator new[](std::size_t size) {
    return Allocate(size);
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

void operator delete[](void* p) noexcept {
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using rulestest::W;

TEST(LoadMemory, ManyLineEndsFewRulesAllocateByRulesNotLines) {
    // One bad rule whose recovery skips two million empty lines up to the dashes.
    const std::size_t blankLines = 2000000;
    const std::string bytes =
        "[$x]=[a]\n" + std::string(blankLines, '\n') + "---\n[a]=[b]\n[c]=[d]\n";
    rulestest::TempDir dir;
    const std::string path = dir.Write("many.lin", bytes);
    rulestest::MessageLog log;
    TransCriber set;

    largest = 0;
    tracking = true;
    set.LoadRules(path, 0);
    tracking = false;

    ASSERT_EQ(set.ruleCount, 2);
    EXPECT_EQ(set.keys[1], static_cast<std::uint32_t>('c'));
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[1].first, W("Несовпадение"));
    // The file itself is held once; slots for every counted line would be far larger.
    EXPECT_LT(largest.load(), 4 * bytes.size());
    EXPECT_LT(largest.load(), blankLines * sizeof(ScribeRule) / 16);
}

} // namespace
