#include "platform/posix/DetachedProcess.h"

#include "support/TempDir.h"
#include "support/Waiting.h"

#include <chrono>
#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::ReadFile;
using test::TempDir;

TEST(DetachedProcessTest, RunsInTheGivenFolderWithItsArguments) {
    TempDir dir;
    const Result started = StartDetached(
        "/bin/sh", {"-c", "pwd > done.tmp && mv done.tmp done.txt", "ignored"}, dir.Str());
    ASSERT_TRUE(started.ok) << started.reason;
    // The started process is not ours to wait for.
    ASSERT_TRUE(test::WaitUntil([&] { return !ReadFile(dir / "done.txt").empty(); },
                                std::chrono::seconds(20)));
    EXPECT_EQ(ReadFile(dir.Path() / "done.txt"), dir.Str() + "\n");
}

TEST(DetachedProcessTest, AMissingProgramOrFolderIsReportedWithTheReason) {
    TempDir dir;
    const Result noProgram = StartDetached(dir / "vq3run", {"x.bat"}, dir.Str());
    EXPECT_EQ(noProgram.reason, "cannot run '" + (dir / "vq3run") + "': No such file or directory");
    const Result noFolder = StartDetached("/bin/true", {}, dir / "gone");
    EXPECT_EQ(noFolder.reason,
              "cannot change to the folder '" + (dir / "gone") + "': No such file or directory");
    EXPECT_FALSE(noProgram.ok || noFolder.ok);
}

} // namespace
} // namespace vq3
