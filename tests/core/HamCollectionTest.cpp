#include "core/HamCollection.h"
#include "core/Symbol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// cp1251 bytes of the three collection errors.
const Text kBadIndex = "\xcd\xe5\xe2\xe5\xf0\xed\xfb\xe9\x20\xc8\xed\xe4\xe5\xea\xf1\x20";
const Text kStoring = "\xcd\xe5\xeb\xfc\xe7\xff\x20\xe8\xe7\xec\xe5\xed\xff\xf2\xfc\x20\xf1\xe2"
                      "\xee\xe9\xf1\xf2\xe2\xee\x20Storing\x20\xe4\xeb\xff\x20\xed\xe5\x20\xef"
                      "\xf3\xf1\xf2\xee\xe9\x20\xea\xee\xeb\xeb\xe5\xea\xf6\xe8\xe8";
const Text kDuplicates = "\xcf\xee\xef\xfb\xf2\xea\xe0\x20\xe2\xf1\xf2\xe0\xe2\xe8\xf2\xfc\x20"
                         "\xe4\xf3\xef\xeb\xe8\xf6\xe8\xf0\xee\xe2\xe0\xed\xed\xfb\xe5\x20\xf1"
                         "\xf2\xf0\xee\xea\xe8";

// An element whose equality ignores the tag, so equal elements can be told apart.
struct Item {
    int key = 0;
    int tag = 0;
    static int alive;
    Item() { ++alive; }
    Item(int k, int t) : key(k), tag(t) { ++alive; }
    Item(const Item& o) : key(o.key), tag(o.tag) { ++alive; }
    Item& operator=(const Item& o) = default;
    ~Item() { --alive; }
    bool operator==(const Item& o) const { return key == o.key; }
    bool operator<(const Item& o) const { return key < o.key; }
    bool operator>(const Item& o) const { return key > o.key; }
};
int Item::alive = 0;

using Items = THamCollection<Item>;

Text ThrownText(const std::function<void()>& f) {
    try {
        f();
    } catch (const Text& t) {
        return t;
    }
    return "<nothing thrown>";
}

std::vector<int> Keys(const Items& c) {
    std::vector<int> keys;
    for (int i = 0; i < c.Count(); ++i)
        keys.push_back(c[i].key);
    return keys;
}

TEST(HamCollection, DefaultsAndGrowthSteps) {
    Items c;
    EXPECT_TRUE(c.Storing());
    EXPECT_TRUE(c.Sorted());
    EXPECT_EQ(c.Duplicates(), dupAccept);
    EXPECT_EQ(c.Capacity(), 0);
    std::vector<int> capacities;
    for (int i = 0; i < 120; ++i) {
        Item it(i, 0);
        c.Add(&it);
        if (capacities.empty() || capacities.back() != c.Capacity())
            capacities.push_back(c.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));
}

TEST(HamCollection, IndexErrorsCarryTheIndex) {
    Items c;
    Item a(1, 0), b(2, 0);
    c.Add(&a);
    c.Add(&b);
    EXPECT_EQ(ThrownText([&] { c.At(-1); }), kBadIndex + "-1");
    EXPECT_EQ(ThrownText([&] { c.At(2); }), kBadIndex + "2");
    EXPECT_EQ(ThrownText([&] { c.Delete(2); }), kBadIndex + "2");
    EXPECT_EQ(c.Count(), 2);
}

TEST(HamCollection, StoringChangesOnlyWhenEmpty) {
    Items c;
    c.SetStoring(false);
    EXPECT_FALSE(c.Storing());
    c.SetStoring(true);
    Item a(1, 0);
    c.Add(&a);
    EXPECT_EQ(ThrownText([&] { c.SetStoring(true); }), kStoring);
    EXPECT_TRUE(c.Storing());
}

TEST(HamCollection, UnsortedAddAppends) {
    Items c(false, true);
    Item a(5, 0), b(1, 0);
    EXPECT_EQ(c.Add(&a), 0);
    EXPECT_EQ(c.Add(&b), 1);
    EXPECT_EQ(Keys(c), (std::vector<int>{5, 1}));
}

TEST(HamCollection, DuplicatePolicies) {
    Items accept;
    for (int tag : {1, 2}) {
        Item it(7, tag);
        accept.Add(&it);
    }
    Item low(3, 0), third(7, 3);
    accept.Add(&low);
    // An equal element goes in front of the present ones, at their former first index.
    EXPECT_EQ(accept.Add(&third), 1);
    EXPECT_EQ(accept[1].tag, 3);
    EXPECT_EQ(accept[2].tag, 2);
    EXPECT_EQ(accept[3].tag, 1);

    Items ignore;
    ignore.SetDuplicates(dupIgnore);
    Item a(4, 1), b(4, 2);
    EXPECT_EQ(ignore.Add(&a), 0);
    EXPECT_EQ(ignore.Add(&b), -1);
    EXPECT_EQ(ignore.Count(), 1);
    EXPECT_EQ(ignore[0].tag, 1);

    Items error;
    error.SetDuplicates(dupError);
    error.Add(&a);
    EXPECT_EQ(ThrownText([&] { error.Add(&b); }), kDuplicates);
    EXPECT_EQ(error.Count(), 1);
}

TEST(HamCollection, SwitchingSortedReordersOnlyWhenOn) {
    Items c(false, true);
    for (int k : {3, 1, 2}) {
        Item it(k, 0);
        c.Add(&it);
    }
    c.SetSorted(true);
    EXPECT_EQ(Keys(c), (std::vector<int>{1, 2, 3}));
    c.SetSorted(false);
    Item zero(0, 0);
    c.Add(&zero);
    EXPECT_EQ(Keys(c), (std::vector<int>{1, 2, 3, 0}));
    c.SetSorted(true);
    EXPECT_EQ(Keys(c), (std::vector<int>{0, 1, 2, 3}));
}

TEST(HamCollection, SortHandlesManyEqualAndReversedElements) {
    Items c(false, true);
    std::vector<int> expected;
    for (int i = 0; i < 300; ++i) {
        Item it((300 - i) % 7, i);
        c.Add(&it);
        expected.push_back((300 - i) % 7);
    }
    std::sort(expected.begin(), expected.end());
    c.SetSorted(true);
    EXPECT_EQ(Keys(c), expected);
}

TEST(HamCollection, ClearResetsCapacityOnlyWhenNotEmpty) {
    Items c;
    c.SetCapacity(10);
    c.Clear();
    EXPECT_EQ(c.Capacity(), 10);
    Item a(1, 0);
    c.Add(&a);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Capacity(), 0);
}

TEST(HamCollection, OwnershipFollowsStoring) {
    const int before = Item::alive;
    {
        Items adopting(false, false);
        adopting.Add(new Item(1, 0));
        Item* kept = new Item(2, 0);
        adopting.Add(kept);
        adopting.Delete(1); // removed, not destroyed
        EXPECT_EQ(kept->key, 2);
        delete kept;
        Items copying;
        Item local(3, 0);
        copying.Add(&local);
        EXPECT_NE(copying.At(0), &local);
        copying.Delete(0);
    }
    EXPECT_EQ(Item::alive, before);
}

TEST(HamCollection, AssignMakesIndependentCopies) {
    Items source;
    for (int k : {2, 1}) {
        Item it(k, k * 10);
        source.Add(&it);
    }
    source.SetDuplicates(dupIgnore);
    Items copy(false, false);
    copy.Assign(source);
    EXPECT_TRUE(copy.Storing());
    EXPECT_TRUE(copy.Sorted());
    EXPECT_EQ(copy.Duplicates(), dupIgnore);
    EXPECT_EQ(Keys(copy), (std::vector<int>{1, 2}));
    EXPECT_NE(copy.At(0), source.At(0));
    copy[0].tag = 99;
    EXPECT_EQ(source[0].tag, 10);

    Items adopting(false, false);
    Items target;
    adopting.Add(new Item(5, 0));
    target.Assign(adopting);
    EXPECT_FALSE(target.Storing());
    EXPECT_NE(target.At(0), adopting.At(0));
}

// Assigning over a collection that already holds elements gives what assigning to an empty
// one gives: the same elements, settings and capacity, nothing leaked.
TEST(HamCollection, AssignOverHeldElementsGivesAFreshCopy) {
    const int before = Item::alive;
    {
        Items source;
        for (int k : {4, 2, 9}) {
            Item it(k, k + 100);
            source.Add(&it);
        }
        for (int held : {0, 1, 3, 7}) {
            Items target(false, true);
            for (int k = 0; k < held; ++k) {
                Item it(50 - k, 7);
                target.Add(&it);
            }
            target.Assign(source);
            EXPECT_EQ(Keys(target), (std::vector<int>{2, 4, 9})) << held;
            EXPECT_EQ(target[1].tag, 104) << held;
            EXPECT_TRUE(target.Sorted()) << held;
            EXPECT_EQ(target.Capacity(), source.Capacity()) << held;
            EXPECT_EQ(Item::alive, before + 6) << held;
        }

        Items unsorted(false, true);
        for (int k : {3, 1}) {
            Item it(k, 0);
            unsorted.Add(&it);
        }
        Items target;
        for (int k : {8, 6, 5, 4}) {
            Item it(k, 0);
            target.Add(&it);
        }
        target.Assign(unsorted);
        EXPECT_EQ(Keys(target), (std::vector<int>{3, 1}));
        EXPECT_FALSE(target.Sorted());
        EXPECT_EQ(Item::alive, before + 3 + 2 + 2);
    }
    EXPECT_EQ(Item::alive, before);
}

// Equal elements of a sorted source go in through Add, each in front of its equal, whether
// the target held elements before or not.
TEST(HamCollection, AssignOfEqualElementsDoesNotDependOnWhatWasHeld) {
    Items source;
    for (int tag : {1, 2, 3}) {
        Item it(5, tag);
        source.Add(&it);
    }
    Items fresh;
    fresh.Assign(source);
    Items held;
    for (int k : {1, 2, 3}) {
        Item it(k, 0);
        held.Add(&it);
    }
    held.Assign(source);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(held[i].tag, fresh[i].tag) << i;
}

// The compiled tag of a parameter is never copied, also not over a parameter held before.
TEST(HamCollection, AssignedParametersDropTheirTags) {
    SmbParamCollection source(false, true);
    SmbParams p("c", "l");
    source.Add(&p);
    SmbParamCollection target(false, true);
    SmbParams q("c", "u");
    target.Add(&q);
    target[0].tag = 5;
    target.Assign(source);
    EXPECT_STREQ(target[0].value, "l");
    EXPECT_EQ(target[0].tag, 0);
}

TEST(HamCollection, InsertOutsideTheRangeIsRefused) {
    Items c(false, true);
    Item a(1, 0);
    EXPECT_EQ(ThrownText([&] { c.Insert(1, &a); }), kBadIndex + "1");
    c.Insert(0, &a);
    EXPECT_EQ(c.Count(), 1);
}

} // namespace
