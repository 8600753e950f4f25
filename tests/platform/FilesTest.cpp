#include "platform/Files.h"

#include "platform/PathRules.h"
#ifndef _WIN32
#include "platform/posix/DetachedProcess.h"
#endif
#include "support/RecordingPlatform.h"
#include "support/Waiting.h"

#include <csignal>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(WriteTextLinesTest, TruncatesEndsLinesInCrLfInTheConsolesEncodingAndReportsFailures) {
    TempDir dir;
    WriteFile(dir / "t.bat", std::string(100, 'x'));
    ASSERT_TRUE(WriteTextLines(dir / "t.bat", {"one", "", "Caf\xC3\xA9"}).ok);
#ifdef _WIN32
    // The console's code page (437 or 850 for English) has the letter at 0x82.
    EXPECT_EQ(ReadFile(dir / "t.bat"), "one\r\n\r\nCaf\x82\r\n");
#else
    EXPECT_EQ(ReadFile(dir / "t.bat"), "one\r\n\r\nCaf\xC3\xA9\r\n");
#endif
    // Failures carry the system's reason (a folder in the way is ConvertFilesTest's), and a
    // pipe or a device is refused at once, never waited on or written to.
    std::vector<std::pair<std::string, std::string>> cases{
        {dir / "no/such/t.bat", test::NoSuchFile}};
#ifndef _WIN32
    WriteFile(dir / "target.txt", "mine");
    fs::create_symlink("target.txt", dir.Path() / "link.lua");
    mkfifo((dir / "pipe.bat").c_str(), 0644);
    cases.insert(cases.end(), {{"/dev/full", NotAFileReason},
                               {dir / "pipe.bat", NotAFileReason},
                               {dir / "link.lua", LinkNotFollowedReason},
                               {dir / "full.bat", "File too large"}});
    // A file that may grow no further, as on a full disk: the failure shows when it is closed.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{4, limit.rlim_max};
#endif
    for (const auto& [path, reason] : cases) {
#ifndef _WIN32
        setrlimit(RLIMIT_FSIZE, path.ends_with("full.bat") ? &full : &limit);
#endif
        const Result written = WriteTextLines(path, {"exit"});
        EXPECT_FALSE(written.ok) << path;
        EXPECT_EQ(written.reason, reason) << path;
    }
#ifndef _WIN32
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(ReadFile(dir / "target.txt"), "mine");
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
// The tool never waits for what it starts: the program here ends only once the start has
// returned. It holds the folder's lock it was handed, and only until it ends. A missing program or
// folder is reported with the reason.
TEST(DetachedProcessTest, ReturnsAtOnceHandsOverTheLockOrReportsWhyNot) {
    TempDir dir;
    std::string whyNot;
    auto lock = ConversionLock::Take(dir.Str(), whyNot);
    ASSERT_TRUE(lock);
    ASSERT_TRUE(StartDetached("/bin/sh", {"-c", "while [ ! -e go ]; do sleep 0.1; done"}, dir.Str(),
                              lock->NativeHandle())
                    .ok);
    lock.reset();
    EXPECT_TRUE(test::ConversionRunning(dir.Str()));
    WriteFile(dir / "go", "");
    EXPECT_TRUE(test::WaitUntil([&] { return !test::ConversionRunning(dir.Str()); },
                                std::chrono::seconds(30)));
    const Result noProgram = StartDetached(dir / "vq3run", {"x.bat"}, dir.Str());
    EXPECT_EQ(noProgram.reason, "cannot run '" + (dir / "vq3run") + "': No such file or directory");
    const Result noFolder = StartDetached("/bin/true", {}, dir / "gone");
    EXPECT_EQ(noFolder.reason,
              "cannot change to the folder '" + (dir / "gone") + "': No such file or directory");
    EXPECT_FALSE(noProgram.ok || noFolder.ok);
}
#endif

} // namespace
} // namespace vq3
