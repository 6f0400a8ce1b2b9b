// Every input of the output guard's reference lists (QM_RANKING_LISTS: key, list, column per
// line, written by CMakeLists.txt), transcribed sorted and ranked: the ranked variants are the
// sorted ones in another order, none lost, added or changed, and Best() is the first of them.
// A list that is absent is left out; the test is skipped when all are.
#include <quillomorph/quillomorph.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ListEntry {
    std::string key;
    std::string path;
    int column = 1;
};

std::vector<ListEntry> Lists() {
    std::vector<ListEntry> lists;
    std::ifstream in(QM_RANKING_LISTS);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        ListEntry e;
        std::string column;
        if (std::getline(fields, e.key, '\t') && std::getline(fields, e.path, '\t') &&
            std::getline(fields, column, '\t')) {
            e.column = std::stoi(column);
            lists.push_back(e);
        }
    }
    return lists;
}

// Column column (1-based) of the non-comment, non-blank lines of a tab-separated list.
std::vector<std::string> Inputs(const std::string& path, int column) {
    std::vector<std::string> inputs;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string field;
        for (int c = 0; c < column && std::getline(fields, field, '\t'); ++c) {
        }
        if (field.find_first_not_of(" \t") != std::string::npos) inputs.push_back(field);
    }
    return inputs;
}

TEST(RankedOutputs, AreTheSortedOutputsReordered) {
    std::map<std::string, quillomorph::Transcriber> languages;
    std::size_t checked = 0;
    for (const ListEntry& list : Lists()) {
        if (!std::ifstream(list.path)) continue;
        SCOPED_TRACE(list.key + " " + list.path);
        auto found = languages.find(list.key);
        if (found == languages.end())
            found =
                languages.emplace(list.key, quillomorph::Transcriber::Open(QM_DATA_DIR, list.key))
                    .first;
        quillomorph::Transcriber& t = found->second;
        for (const std::string& input : Inputs(list.path, list.column)) {
            const std::vector<std::string> sorted = t.Transcribe(input);
            const std::vector<std::string> ranked = t.Transcribe(input, quillomorph::Order::Ranked);
            std::vector<std::string> reordered = ranked;
            std::vector<std::string> expected = sorted;
            std::sort(reordered.begin(), reordered.end());
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(reordered, expected) << input;
            EXPECT_EQ(t.Best(input), ranked.empty() ? std::string() : ranked.front()) << input;
            // A call for another line in between: no stale ranking.
            t.Transcribe("x");
            EXPECT_EQ(t.Transcribe(input, quillomorph::Order::Ranked), ranked) << input;
            ++checked;
        }
    }
    if (checked == 0) GTEST_SKIP() << "no reference list present";
}

} // namespace
