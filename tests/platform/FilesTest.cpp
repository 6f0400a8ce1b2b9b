#include "platform/Files.h"
#include "platform/CodePage.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

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

// A file the program writes (the trace, say) may be a link planted to another file, or a FIFO
// nobody reads: neither is followed or waited on.
TEST(Files, WritesNeitherFollowLinksNorWaitOnFifos) {
    TempDir dir;
    const std::string target = dir.Write("target.txt", "keep");
    const std::string link = dir.File("trans.log");
    std::filesystem::create_symlink(target, link);
    EXPECT_FALSE(platform::WriteWholeFile(link, "overwritten"));
    EXPECT_FALSE(platform::AppendToFile(link, "appended"));
    Text kept;
    ASSERT_TRUE(platform::ReadWholeFile(target, kept));
    EXPECT_EQ(kept, "keep");
    // A link to a file that does not exist yet creates nothing.
    const std::string dangling = dir.File("dangling.log");
    std::filesystem::create_symlink(dir.File("created.txt"), dangling);
    EXPECT_FALSE(platform::WriteWholeFile(dangling, "x"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("created.txt")));

    const std::string fifo = dir.File("fifo.log");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(platform::WriteWholeFile(fifo, "x")); // returns at once, no reader needed

    // A relative path is taken from the thread's base folder.
    {
        platform::BaseFolder base(dir.Path().string());
        EXPECT_TRUE(platform::WriteWholeFile("relative.txt", "here"));
    }
    EXPECT_TRUE(std::filesystem::exists(dir.File("relative.txt")));
}
