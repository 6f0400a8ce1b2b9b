#include "platform/Files.h"
#include "platform/CodePage.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using platform::AppendToFile;
using platform::FileExists;
using platform::ReadWholeFile;
using platform::WriteWholeFile;

TEST(Files, WriteAndReadAreByteExact) {
    TempDir dir;
    const std::string path = dir.File("bytes.bin");
    Text bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    bytes += "\r\n\n\r";
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    EXPECT_TRUE(FileExists(path));
    Text read = "old";
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);

    ASSERT_TRUE(WriteWholeFile(path, "short")); // truncates
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, "short");
}

TEST(Files, AppendCreatesThenAppends) {
    TempDir dir;
    const std::string path = dir.File("log.txt");
    EXPECT_FALSE(FileExists(path));
    ASSERT_TRUE(AppendToFile(path, "one\r\n"));
    ASSERT_TRUE(AppendToFile(path, Text("tw\0o\r\n", 6)));
    ASSERT_TRUE(AppendToFile(path, ""));
    Text read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, Text("one\r\ntw\0o\r\n", 11));
}

TEST(Files, MissingFilesAndDirectoriesFail) {
    TempDir dir;
    Text read = "stale";
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), read));
    EXPECT_EQ(read, "");
    read = "stale";
    EXPECT_FALSE(ReadWholeFile(dir.Path().string(), read));
    EXPECT_EQ(read, "");
    EXPECT_FALSE(ReadWholeFile("", read));

    EXPECT_FALSE(FileExists(dir.File("missing")));
    EXPECT_FALSE(FileExists(dir.Path().string()));
    EXPECT_FALSE(FileExists(""));

    EXPECT_FALSE(AppendToFile(dir.Path().string(), "x"));
    EXPECT_FALSE(AppendToFile(dir.File("no/such/dir/f"), "x"));
    EXPECT_FALSE(WriteWholeFile(dir.Path().string(), "x"));
}

TEST(Files, Cp1251PathsMeanTheirUtf8Names) {
    TempDir dir;
    const std::string utf8Name = dir.File("Словарь.txt");
    const Text cp1251Name = platform::FromUtf8(utf8Name, platform::CodePage::Cp1251);
    ASSERT_NE(cp1251Name, utf8Name);

    ASSERT_TRUE(WriteWholeFile(cp1251Name, "data"));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(utf8Name)));
    EXPECT_TRUE(FileExists(cp1251Name));
    EXPECT_TRUE(FileExists(utf8Name)); // UTF-8 paths are used as they are
    ASSERT_TRUE(AppendToFile(utf8Name, "+"));
    Text read;
    ASSERT_TRUE(ReadWholeFile(cp1251Name, read));
    EXPECT_EQ(read, "data+");
}
