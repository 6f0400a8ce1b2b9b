#include "platform/StringList.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using platform::StringList;
using Duplicates = platform::StringList::Duplicates;

namespace {

Text W(const char* utf8) {
    return platform::FromUtf8(utf8, platform::CodePage::Cp1251);
}

std::vector<Text> Lines(const StringList& list) {
    std::vector<Text> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

std::vector<std::intptr_t> Objects(const StringList& list) {
    std::vector<std::intptr_t> objects;
    for (int i = 0; i < list.Count(); ++i)
        objects.push_back(list.Object(i));
    return objects;
}

const std::string kFixtures = std::string(QM_FIXTURES_DIR) + "/platform/";

} // namespace

TEST(StringListSorted, IgnoresCaseInsensitiveDuplicatesAndKeepsIntegers) {
    StringList list;
    list.SetSorted(true);
    ASSERT_EQ(list.DuplicatesMode(), Duplicates::Ignore);
    EXPECT_EQ(list.Add(W("Петров"), 1), 0);
    EXPECT_EQ(list.Add("adams", 2), 0);
    EXPECT_EQ(list.Add(W("ПЕТРОВ"), 3), -1);
    EXPECT_EQ(list.Add("Adams", 4), -1);
    EXPECT_EQ(list.Add(W("ёж"), 5), 1);
    EXPECT_EQ(list.Add(W("еж"), 6), 1);
    EXPECT_EQ(list.Add(W("ЁЖ"), 7), -1);
    EXPECT_EQ(list.Add("12", 8), 0);
    EXPECT_EQ(list.Add("", 9), 0);

    EXPECT_EQ(Lines(list), (std::vector<Text>{"", "12", "adams", W("еж"), W("ёж"), W("Петров")}));
    EXPECT_EQ(Objects(list), (std::vector<std::intptr_t>{9, 8, 2, 6, 5, 1}));

    int index = -1;
    EXPECT_TRUE(list.Find(W("ПЕТРОВ"), index));
    EXPECT_EQ(index, 5);
    EXPECT_FALSE(list.Find("b", index));
    EXPECT_EQ(index, 3); // insertion position
    EXPECT_EQ(list.IndexOf("ADAMS"), 2);
    EXPECT_EQ(list.IndexOf("adam"), -1);
}

TEST(StringListSorted, AddingInOrderGivesWhatAnyOrderGives) {
    // Lines after the last one are appended after one comparison; a line equal to the last
    // but for case is still a duplicate, and lines before it still find their place.
    const std::vector<Text> sorted = {"a", "b", "B", "c", "C", "d", "0", "z"};
    StringList inOrder;
    inOrder.SetSorted(true);
    for (const Text& line : sorted)
        inOrder.Add(line);
    StringList reversed;
    reversed.SetSorted(true);
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it)
        reversed.Add(*it);
    EXPECT_EQ(Lines(inOrder), (std::vector<Text>{"0", "a", "b", "c", "d", "z"}));
    EXPECT_EQ(Lines(reversed), (std::vector<Text>{"0", "a", "B", "C", "d", "z"}));
    int index = -1;
    EXPECT_FALSE(inOrder.Find("zz", index));
    EXPECT_EQ(index, 6);
    EXPECT_TRUE(inOrder.Find("Z", index));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(inOrder.Add("Z"), -1);
}

TEST(StringListSorted, SwitchingOnSortsAndIntegersFollowTheirLines) {
    StringList list;
    list.Add(W("яблоко"), 1);
    list.Add("Zeta", 2);
    list.Add(W("ёлка"), 3);
    list.Add("alpha", 4);
    list.Add(W("Елка"), 5);
    list.SetSorted(true);
    EXPECT_TRUE(list.Sorted());
    EXPECT_EQ(Lines(list), (std::vector<Text>{"alpha", "Zeta", W("Елка"), W("ёлка"), W("яблоко")}));
    EXPECT_EQ(Objects(list), (std::vector<std::intptr_t>{4, 2, 5, 3, 1}));
    // Later additions keep the order.
    EXPECT_EQ(list.Add("beta", 6), 1);
    EXPECT_EQ(list.Object(1), 6);
    list.SetSorted(false);
    EXPECT_EQ(list.Add("aaa", 7), 6); // unsorted lists append
}

TEST(StringListSorted, AcceptInsertsDuplicatesErrorThrows) {
    StringList list;
    list.SetSorted(true);
    list.SetDuplicates(Duplicates::Accept);
    list.Add("b", 1);
    list.Add("a", 2);
    EXPECT_EQ(list.Add("B", 3), 1); // at the found position, before the equal line
    EXPECT_EQ(Lines(list), (std::vector<Text>{"a", "B", "b"}));
    int index = -1;
    EXPECT_TRUE(list.Find("b", index));
    EXPECT_EQ(index, 1); // the first equal line

    list.SetDuplicates(Duplicates::Error);
    EXPECT_THROW(list.Add("A"), std::runtime_error);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Add("c"), 3);
}

TEST(StringList, UnsortedKeepsOrderAndSearchesCaseInsensitively) {
    StringList list;
    list.Add("b");
    list.Add("a");
    list.Add("b"); // duplicates mode only matters when sorted
    list.Insert(0, "first", 10);
    list.Insert(list.Count(), "last", 11);
    EXPECT_EQ(Lines(list), (std::vector<Text>{"first", "b", "a", "b", "last"}));
    EXPECT_EQ(list.IndexOf("B"), 1);
    EXPECT_EQ(list.IndexOf(W("Ё")), -1);
    int index = -1;
    EXPECT_FALSE(list.Find("zzz", index));
    EXPECT_EQ(index, list.Count());

    list.SetObject(2, 42);
    list.Delete(1);
    EXPECT_EQ(Lines(list), (std::vector<Text>{"first", "a", "b", "last"}));
    EXPECT_EQ(Objects(list), (std::vector<std::intptr_t>{10, 42, 0, 11}));

    list.Sort(); // sorts without switching sorted mode on
    EXPECT_FALSE(list.Sorted());
    EXPECT_EQ(Lines(list), (std::vector<Text>{"a", "b", "first", "last"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, BadIndexesThrow) {
    StringList list;
    list.Add("only");
    EXPECT_THROW(list[1], std::out_of_range);
    EXPECT_THROW(list[-1], std::out_of_range);
    EXPECT_THROW(list.Get(1), std::out_of_range);
    EXPECT_THROW(list.Object(1), std::out_of_range);
    EXPECT_THROW(list.SetObject(-1, 5), std::out_of_range);
    EXPECT_THROW(list.Delete(1), std::out_of_range);
    EXPECT_THROW(list.Insert(2, "x"), std::out_of_range);
    EXPECT_THROW(list.Insert(-1, "x"), std::out_of_range);
    EXPECT_EQ(Lines(list), (std::vector<Text>{"only"}));

    list.SetSorted(true);
    EXPECT_THROW(list.Insert(0, "x"), std::logic_error);
}

TEST(StringList, AddStringsGoesThroughAdd) {
    StringList source;
    source.Add("b", 1);
    source.Add("A", 2);
    source.Add("a", 3);
    StringList target;
    target.SetSorted(true);
    target.Add("c", 4);
    target.AddStrings(source);
    EXPECT_EQ(Lines(target), (std::vector<Text>{"A", "b", "c"}));
    EXPECT_EQ(Objects(target), (std::vector<std::intptr_t>{2, 1, 4}));

    source.AddStrings(source); // appending itself doubles it once
    EXPECT_EQ(source.Count(), 6);
    EXPECT_EQ(source[5], "a");
}

TEST(StringListText, SplitsAtEveryKindOfLineEnd) {
    const struct {
        Text text;
        std::vector<Text> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\n", {"a"}},
        {"a\n", {"a"}},
        {"a\r", {"a"}},
        {"\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {" x \r\n", {" x "}},
    };
    for (const auto& c : cases) {
        StringList list;
        list.Add("old");
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << "text: " << c.text;
    }
}

TEST(StringListText, SortedListSortsAndDropsDuplicatesOnLoad) {
    StringList list;
    list.SetSorted(true);
    list.SetText("b\nA\na\nB\n");
    EXPECT_EQ(Lines(list), (std::vector<Text>{"A", "b"}));
}

TEST(StringListFiles, LoadsEachLineEndAndSavesWithCrLf) {
    const std::vector<Text> expected = {W("Иванов"), "smith", "", W("Ёлкин жук")};
    TempDir dir;
    for (const char* name : {"lines_crlf.txt", "lines_lf.txt", "lines_cr.txt"}) {
        StringList list;
        ASSERT_TRUE(list.LoadFromFile(kFixtures + name)) << name;
        EXPECT_EQ(Lines(list), expected) << name;

        const std::string saved = dir.File(std::string("saved_") + name);
        ASSERT_TRUE(list.SaveToFile(saved));
        Text bytes;
        ASSERT_TRUE(platform::ReadWholeFile(saved, bytes));
        Text reference;
        ASSERT_TRUE(platform::ReadWholeFile(kFixtures + "lines_crlf.txt", reference));
        EXPECT_EQ(bytes, reference) << name;
    }
}

TEST(StringListFiles, SaveOverwritesAndEmptyListGivesEmptyFile) {
    TempDir dir;
    const std::string path = dir.File("out.txt");
    StringList list;
    list.Add("one");
    list.Add("two");
    ASSERT_TRUE(list.SaveToFile(path));
    list.Delete(1);
    ASSERT_TRUE(list.SaveToFile(path));
    Text bytes;
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "one\r\n");

    list.Clear();
    ASSERT_TRUE(list.SaveToFile(path));
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "");
    ASSERT_TRUE(list.LoadFromFile(path));
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListFiles, FailuresReportFalse) {
    TempDir dir;
    StringList list;
    list.Add("stale");
    EXPECT_FALSE(list.LoadFromFile(dir.File("missing.txt")));
    EXPECT_EQ(list.Count(), 0);

    list.Add("line");
    EXPECT_FALSE(list.LoadFromFile(dir.Path().string())); // a directory
    EXPECT_EQ(list.Count(), 0);

    list.Add("line");
    EXPECT_FALSE(list.SaveToFile(dir.Path().string()));
    EXPECT_FALSE(list.SaveToFile(dir.File("no/such/dir/file.txt")));
}
