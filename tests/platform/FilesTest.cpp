#include "platform/Files.h"

#include "platform/PathRules.h"
#include "support/RecordingPlatform.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include "platform/windows/WinText.h"

#include <windows.h>
#else
#include "platform/posix/DetachedProcess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using namespace test;

TEST(WriteTextLinesTest, TruncatesEndsLinesInCrLfInTheConsolesEncodingAndReportsFailures) {
    TempDir dir;
    WriteFile(dir / "t.bat", std::string(100, 'x'));
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {"one", "", "Caf\xC3\xA9"}).ok);
#ifdef _WIN32
    // The console's code page (437 or 850 for English) has the letter at 0x82.
    const std::string written = "one\r\n\r\nCaf\x82\r\n";
#else
    const std::string written = "one\r\n\r\nCaf\xC3\xA9\r\n";
#endif
    EXPECT_EQ(ReadFile(dir / "t.bat"), written);
    // Failures carry the system's reason, or say what is in the way.
    EXPECT_EQ(WriteTextLines(dir / "no/such/t.bat", {"exit"}).reason, "No such file or directory");
    fs::create_directory(dir.Path() / "folder.bat");
    EXPECT_EQ(WriteTextLines(dir / "folder.bat", {"exit"}).reason, FolderInTheWayReason);
#ifndef _WIN32
    fs::create_symlink("t.bat", dir.Path() / "link.lua");
    EXPECT_EQ(WriteTextLines(dir / "link.lua", {"exit"}).reason, LinkNotFollowedReason);
    EXPECT_EQ(WriteTextLines("/dev/full", {"exit"}).reason, NotAFileReason);
    // A pipe is refused, not waited on for a reader (the test's time limit would end a wait).
    mkfifo((dir / "pipe.bat").c_str(), 0644);
    EXPECT_EQ(WriteTextLines(dir / "pipe.bat", {"exit"}).reason, NotAFileReason);
    EXPECT_EQ(ReadFile(dir / "t.bat"), written);
    // A file that may grow no further, as on a full disk: the failure shows as it is closed.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{4, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    const Result tooLarge = WriteTextLines(dir / "full.bat", {"exit"});
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(tooLarge.reason, "File too large");
    EXPECT_FALSE(fs::exists(dir.Path() / "full.bat"));
#endif
}

TEST(PathRulesTest, WindowsFoldsCaseAndTakesEitherSlashPosixNeither) {
    EXPECT_EQ(PathRules::Windows().ComparisonKey("C:\\M\\A.LUA"), "c:\\m\\a.lua");
    EXPECT_EQ(PathRules::Posix().ComparisonKey("/M/A.LUA"), "/M/A.LUA");
    EXPECT_EQ(PathRules::Windows().GetFileName("C:\\a\\b/c.mp3"), "c.mp3");
    EXPECT_EQ(PathRules::Posix().GetFileName("/a/b\\c.mp3"), "b\\c.mp3");
    EXPECT_EQ(PathRules::Windows().JoinPath("C:\\", "a.mp3"), "C:\\\\a.mp3");
}

#ifndef _WIN32
// A run adopts only the lock of its own folder, still held through the descriptor it was handed:
// not another folder's, not one another open of the folder cannot take, not a file's.
TEST(ConversionLockTest, AdoptsOnlyItsFoldersLockStillHeld) {
    TempDir dir, other;
    std::string whyNot;
    const auto held = ConversionLock::Take(dir.Str(), whyNot);
    ASSERT_TRUE(held);
    const int handed = dup(held->NativeHandle());
    const int elsewhere = open(dir.Str().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int file = open("/dev/null", O_RDONLY | O_CLOEXEC);
    for (const auto& [fd, folder] : {std::pair(handed, other.Str()),
                                     std::pair(elsewhere, dir.Str()), std::pair(file, dir.Str())}) {
        whyNot.clear();
        EXPECT_FALSE(ConversionLock::Adopt(fd, folder, whyNot));
        EXPECT_EQ(whyNot, HandedLockNotThisFoldersReason);
    }
    close(elsewhere);
    close(file);
    EXPECT_TRUE(ConversionLock::Adopt(handed, dir.Str(), whyNot));
}

// The tool never waits for what it starts: the program here ends only once the start has
// returned. It holds the folder's lock it was handed, and only until it ends. A missing program or
// folder is reported with the reason.
TEST(DetachedProcessTest, ReturnsAtOnceHandsOverTheLockOrReportsWhyNot) {
    TempDir dir;
    std::string whyNot;
    auto lock = ConversionLock::Take(dir.Str(), whyNot);
    ASSERT_TRUE(lock &&
                StartDetached("/bin/sh",
                              {"-c", "for i in $(seq 600); do [ -e go ] && break; sleep 0.1; done"},
                              dir.Str(), lock->NativeHandle())
                    .ok);
    lock.reset();
    EXPECT_TRUE(ConversionRunning(dir.Str()));
    WriteFile(dir / "go", "");
    EXPECT_TRUE(WaitUntil([&] { return !ConversionRunning(dir.Str()); }, std::chrono::seconds(30)));
    EXPECT_EQ(StartDetached(dir / "vq3run", {}, dir.Str()).reason,
              "cannot run '" + (dir / "vq3run") + "': No such file or directory");
    EXPECT_EQ(StartDetached("/bin/true", {}, dir / "gone").reason,
              "cannot change to the folder '" + (dir / "gone") + "': No such file or directory");
}
#endif

#ifdef _WIN32
// The system's words reach the user whole in their language, also where it has letters that the
// ANSI code page spells in bytes of its own (run in French too, see CMakeLists.txt).
TEST(WinTextTest, TheSystemsWordsInTheUsersLanguage) {
    const bool french = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH;
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(LastErrorText(), french ? "Acc\xC3\xA8s refus\xC3\xA9" : "Access denied");
}
#endif

} // namespace
} // namespace vq3
