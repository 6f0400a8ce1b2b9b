#include "platform/Messages.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

Text W(const char* utf8) {
    return platform::FromUtf8(utf8, platform::CodePage::Cp1251);
}

class Messages : public ::testing::Test {
protected:
    void TearDown() override { platform::SetMessageHandler({}); }
};

using Calls = std::vector<std::pair<Text, Text>>;

} // namespace

TEST_F(Messages, HandlerReceivesTextAndCaption) {
    Calls calls;
    platform::SetMessageHandler(
        [&calls](const Text& text, const Text& caption) { calls.emplace_back(text, caption); });
    platform::ShowMessage(W("Готово"));
    platform::MessageBoxA("text", "Caption");
    EXPECT_EQ(calls, (Calls{{W("Готово"), ""}, {"text", "Caption"}}));
}

TEST_F(Messages, SetReturnsThePreviousHandler) {
    Calls first;
    Calls second;
    platform::SetMessageHandler(
        [&first](const Text& t, const Text& c) { first.emplace_back(t, c); });
    platform::MessageHandler previous = platform::SetMessageHandler(
        [&second](const Text& t, const Text& c) { second.emplace_back(t, c); });
    ASSERT_TRUE(previous);
    platform::ShowMessage("to second");
    platform::SetMessageHandler(previous);
    platform::ShowMessage("to first");
    EXPECT_EQ(first, (Calls{{"to first", ""}}));
    EXPECT_EQ(second, (Calls{{"to second", ""}}));
}

TEST_F(Messages, DefaultWritesUtf8LinesToStandardError) {
    Calls calls;
    platform::SetMessageHandler(
        [&calls](const Text& t, const Text& c) { calls.emplace_back(t, c); });
    platform::MessageHandler recorder = platform::SetMessageHandler({}); // back to the default
    ::testing::internal::CaptureStderr();
    platform::ShowMessage(W("Файл не найден"));
    platform::MessageBoxA(W("Ошибка чтения"), W("Внимание"));
    platform::MessageBoxA(W("две\r\nстроки\nтри"), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Файл не найден\nВнимание: Ошибка чтения\nдве строки три\n");
    EXPECT_TRUE(calls.empty());

    // The default handed back by Set works the same when called directly.
    platform::MessageHandler defaultHandler = platform::SetMessageHandler(recorder);
    ASSERT_TRUE(defaultHandler);
    ::testing::internal::CaptureStderr();
    defaultHandler("x", "y");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "y: x\n");
    EXPECT_TRUE(calls.empty());
}
