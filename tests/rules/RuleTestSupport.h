#pragma once

#include "core/Symbol.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"
#include "platform/Text.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace rulestest {

using ::TempDir;

// cp1251 bytes of a UTF-8 literal.
inline Text W(const std::string& utf8) {
    return platform::FromUtf8(utf8, platform::CodePage::Cp1251);
}

inline std::vector<std::uint32_t> Codes(const SymbolCollection& symbols) {
    std::vector<std::uint32_t> codes;
    for (std::int32_t i = 0; i < symbols.Count(); ++i)
        codes.push_back(symbols[i].code);
    return codes;
}

// The parameters of a symbol as "name=value" texts, in stored order.
inline std::vector<std::string> Params(const Symbol& symbol) {
    std::vector<std::string> pairs;
    for (std::int32_t i = 0; i < symbol.params.Count(); ++i)
        pairs.push_back(std::string(symbol.params[i].name) + "=" + symbol.params[i].value);
    return pairs;
}

using Message = std::pair<Text, Text>; // text, caption

// Records every message box shown while it lives.
class MessageLog {
public:
    MessageLog() {
        previous_ = platform::SetMessageHandler([this](const Text& text, const Text& caption) {
            messages.emplace_back(text, caption);
        });
    }
    ~MessageLog() { platform::SetMessageHandler(previous_); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<Message> messages;

private:
    platform::MessageHandler previous_;
};

// Builders for compiled records: little-endian int32, symbol and parameter records.
inline void PutInt32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFFu);
}

inline void PutParam(std::string& out, const std::string& name, const std::string& value) {
    out += name;
    out += '\0';
    out += value;
    out += '\0';
    PutInt32(out, 0);
}

inline void PutSymbol(std::string& out, std::uint32_t code, std::int32_t extra = 0,
                      const std::vector<std::pair<std::string, std::string>>& params = {}) {
    PutInt32(out, code);
    PutInt32(out, static_cast<std::uint32_t>(extra));
    PutInt32(out, static_cast<std::uint32_t>(params.size()));
    for (const auto& p : params)
        PutParam(out, p.first, p.second);
}

// A rule record whose symbols carry no parameters; extra 1 marks right symbols listed in marked.
inline std::string RuleRecord(const std::vector<std::uint32_t>& left,
                              const std::vector<std::uint32_t>& right,
                              const std::vector<bool>& marked = {}) {
    std::string out;
    PutInt32(out, static_cast<std::uint32_t>(left.size()));
    for (std::uint32_t c : left)
        PutSymbol(out, c);
    PutInt32(out, static_cast<std::uint32_t>(right.size()));
    for (std::size_t i = 0; i < right.size(); ++i)
        PutSymbol(out, right[i], i < marked.size() && marked[i] ? 1 : 0);
    return out;
}

} // namespace rulestest
