// Every reader gives a symbol at most Symbol::MaxParams parameters, reading over the rest.

#include "core/Scanners.h"
#include "core/Symbol.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string Pairs(int count, const char* separator) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "p" + std::to_string(100 + i) + "=v" + separator;
    return text;
}

// The first pairs read are the ones kept, in parameter order.
void ExpectFirstPairs(const SmbParamCollection& set) {
    ASSERT_EQ(set.Count(), Symbol::MaxParams);
    EXPECT_STREQ(set[0].name, "p100");
    EXPECT_STREQ(set[Symbol::MaxParams - 1].name,
                 ("p" + std::to_string(99 + Symbol::MaxParams)).c_str());
}

TEST(ParamLimit, BlockReadsOverThePairsPastTheLimit) {
    const std::string text = Pairs(40, "\r\n") + "---\r\nnext";
    SmbParamCollection set;
    std::size_t pos = 0;
    ReadParamBlock(text.data(), pos, text.size(), set);
    ExpectFirstPairs(set);
    EXPECT_EQ(text.substr(pos), "next");
}

TEST(ParamLimit, ListReadsOverThePairsPastTheLimit) {
    const std::string text = "x," + Pairs(40, ",") + "z=w;y";
    SmbParamCollection set;
    const std::size_t end = ReadParamList(text.data(), 1, text.size(), set);
    ExpectFirstPairs(set);
    EXPECT_EQ(text.substr(end), ";y");
}

TEST(ParamLimit, CompiledSymbolReadsOverTheRecordsPastTheLimit) {
    std::string data;
    const auto Int = [&data](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    Int('a');
    Int(0);
    Int(40);
    for (int i = 0; i < 40; ++i) {
        data += "p" + std::to_string(100 + i) + std::string(1, '\0') + "v" + std::string(1, '\0');
        Int(0);
    }
    data += "after";
    Symbol symbol;
    std::size_t pos = 0;
    ASSERT_EQ(symbol.ReadSymbol(data.data(), data.size(), pos), 0);
    ExpectFirstPairs(symbol.params);
    EXPECT_EQ(data.substr(pos), "after");
}

TEST(ParamLimit, AHundredThousandPairsReadInLinearTime) {
    // Each pair used to be inserted into the sorted set: quadratic in the pairs of one block.
    // The set never holds more than the limit (nor room for more), so each pair read past it
    // costs the same.
    const std::string text = Pairs(100000, "\r\n") + "---\r\n";
    SmbParamCollection set;
    std::size_t pos = 0;
    ReadParamBlock(text.data(), pos, text.size(), set);
    EXPECT_EQ(set.Count(), Symbol::MaxParams);
    EXPECT_LE(set.Capacity(), 2 * Symbol::MaxParams);
    EXPECT_EQ(pos, text.size());
}

} // namespace
