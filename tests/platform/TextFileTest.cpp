#include "platform/TextFile.h"

#include "support/SystemReasons.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(TextFileTest, EveryLineEndsInCrLfInTheConsolesEncoding) {
    TempDir dir;
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {"one", "", "Caf\xC3\xA9"}).ok);
#ifdef _WIN32
    // The console's code page (437 or 850 for English) has the letter at 0x82.
    EXPECT_EQ(ReadFile(dir / "t.bat"), "one\r\n\r\nCaf\x82\r\n");
#else
    EXPECT_EQ(ReadFile(dir / "t.bat"), "one\r\n\r\nCaf\xC3\xA9\r\n");
#endif
}

TEST(TextFileTest, NoLinesGiveAnEmptyFile) {
    TempDir dir;
    WriteFile(dir / "t.bat", "old");
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {}).ok);
    EXPECT_EQ(ReadFile(dir / "t.bat"), "");
}

TEST(TextFileTest, AnExistingFileIsTruncated) {
    TempDir dir;
    WriteFile(dir / "t.bat", std::string(100, 'x'));
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {"exit"}).ok);
    EXPECT_EQ(ReadFile(dir / "t.bat"), "exit\r\n");
}

TEST(TextFileTest, FailuresCarryTheSystemsReason) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "folder.bat");
    const IoResult folder = WriteTextLines(dir / "folder.bat", {"x"});
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.reason, test::DirectoryInTheWay);
    const IoResult missing = WriteTextLines(dir / "no/such/t.bat", {"x"});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, test::NoSuchFile);
}

TEST(TextFileTest, AFullDiskIsReportedNotSwallowed) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    const IoResult full = WriteTextLines("/dev/full", {"exit"});
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.reason, "No space left on device");
}

} // namespace
} // namespace vq3
