#include "platform/Files.h"

#include "platform/AppInfo.h"
#include "platform/PathRules.h"
#include "support/SystemReasons.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(WriteTextLinesTest, TruncatesAndEndsEveryLineInCrLfInTheConsolesEncoding) {
    TempDir dir;
    WriteFile(dir / "t.bat", std::string(100, 'x'));
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {"one", "", "Caf\xC3\xA9"}).ok);
#ifdef _WIN32
    // The console's code page (437 or 850 for English) has the letter at 0x82.
    EXPECT_EQ(ReadFile(dir / "t.bat"), "one\r\n\r\nCaf\x82\r\n");
#else
    EXPECT_EQ(ReadFile(dir / "t.bat"), "one\r\n\r\nCaf\xC3\xA9\r\n");
#endif
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {}).ok);
    EXPECT_EQ(ReadFile(dir / "t.bat"), "");
}

TEST(WriteTextLinesTest, FailuresCarryTheSystemsReason) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder.bat");
#ifndef _WIN32
    WriteFile(dir / "target.txt", "mine");
    fs::create_symlink("target.txt", dir.Path() / "link.lua");
#endif
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {{dir / "folder.bat", test::DirectoryInTheWay},
                 {dir / "no/such/t.bat", test::NoSuchFile},
#ifndef _WIN32
                 {"/dev/full", "No space left on device"},
                 {dir / "link.lua", "Too many levels of symbolic links"}
#endif
    };
    for (const auto& c : cases) {
        const Result written = WriteTextLines(c.path, {"exit"});
        EXPECT_FALSE(written.ok) << c.path;
        EXPECT_EQ(written.reason, c.reason) << c.path;
    }
#ifndef _WIN32
    EXPECT_EQ(ReadFile(dir / "target.txt"), "mine");
#endif
}

TEST(FileExistsTest, OnlyRegularFilesAndLinksToThemExist) {
    TempDir dir;
    WriteFile(dir / "a.mp3", "x");
    WriteFile(dir / "Caf\xC3\xA9.mp3", "x");
    fs::create_directory(dir.Path() / "folder.mp3");
    EXPECT_TRUE(FileExists(dir / "a.mp3"));
    EXPECT_TRUE(FileExists(dir / "Caf\xC3\xA9.mp3"));
    EXPECT_FALSE(FileExists(dir / "folder.mp3"));
    EXPECT_FALSE(FileExists(dir / "missing.mp3"));
    EXPECT_FALSE(FileExists(""));
#ifndef _WIN32
    fs::create_symlink(dir.Path() / "a.mp3", dir.Path() / "link.mp3");
    fs::create_symlink(dir.Path() / "gone.mp3", dir.Path() / "dangling.mp3");
    EXPECT_TRUE(FileExists(dir / "link.mp3"));
    EXPECT_FALSE(FileExists(dir / "dangling.mp3"));
#endif
}

#ifdef _WIN32
TEST(ConsoleEncodingTest, LettersItLacksAreRefusedNeverApproximated) {
    EXPECT_EQ(EncodeForConsole("R&B 100% (Live)!"), "R&B 100% (Live)!");
    // A snowman and Japanese have no place in the code page; a-macron would best-fit to "a",
    // and the script would then name another file.
    for (const char* name : {"\xE2\x98\x83.mp3", "\xE6\x97\xA5\xE6\x9C\xAC.mp3", "\xC4\x81.mp3"}) {
        EXPECT_EQ(EncodeForConsole(name), std::nullopt) << name;
    }
}
#endif

TEST(PathRulesTest, WindowsFoldsCaseAndTakesEitherSlashPosixNeither) {
    EXPECT_EQ(PathRules::Windows().ComparisonKey("C:\\M\\A.LUA"), "c:\\m\\a.lua");
    EXPECT_EQ(PathRules::Posix().ComparisonKey("/M/A.LUA"), "/M/A.LUA");
    EXPECT_EQ(PathRules::Windows().GetFileName("C:\\a/b\\c.mp3"), "c.mp3");
    EXPECT_EQ(PathRules::Posix().GetFileName("/a/b\\c.mp3"), "b\\c.mp3");
    EXPECT_EQ(PathRules::Windows().JoinPath("C:\\", "a.mp3"), "C:\\\\a.mp3");
}

TEST(AppInfoTest, TitleAndTheExecutablesFolder) {
    EXPECT_EQ(AppInfo::TitleWithVersion(), "VQ3 Music Tool 1.4.0");
    TempDir elsewhere;
    const auto before = fs::current_path();
    fs::current_path(elsewhere.Path());
    const std::string appDir = AppInfo::AppDir();
    fs::current_path(before);
#ifdef _WIN32
    EXPECT_TRUE(fs::exists(FsPath(appDir) / "vq3_core_tests.exe"));
#else
    EXPECT_EQ(appDir, fs::canonical("/proc/self/exe").parent_path().string());
#endif
}

} // namespace
} // namespace vq3
