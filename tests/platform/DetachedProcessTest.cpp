#include "platform/posix/DetachedProcess.h"

#include "support/TempDir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace vq3 {
namespace {

using test::ReadFile;
using test::TempDir;

// The started process is not ours to wait for, so poll for the file it leaves.
bool AppearsWithin(const std::filesystem::path& path, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        if (std::filesystem::exists(path) && !ReadFile(path).empty()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(DetachedProcessTest, RunsInTheGivenFolderWithItsArguments) {
    TempDir dir;
    const IoResult started = StartDetached(
        "/bin/sh", {"-c", "pwd > done.tmp && mv done.tmp done.txt", "ignored"}, dir.Str());
    ASSERT_TRUE(started.ok) << started.reason;
    ASSERT_TRUE(AppearsWithin(dir.Path() / "done.txt", std::chrono::seconds(20)));
    EXPECT_EQ(ReadFile(dir.Path() / "done.txt"), dir.Str() + "\n");
}

TEST(DetachedProcessTest, AMissingProgramIsReportedWithTheReason) {
    TempDir dir;
    const IoResult started = StartDetached(dir / "vq3run", {"x.bat"}, dir.Str());
    EXPECT_FALSE(started.ok);
    EXPECT_EQ(started.reason, "cannot run '" + (dir / "vq3run") + "': No such file or directory");
}

TEST(DetachedProcessTest, AMissingFolderIsReportedWithTheReason) {
    TempDir dir;
    const IoResult started = StartDetached("/bin/true", {}, dir / "gone");
    EXPECT_FALSE(started.ok);
    EXPECT_EQ(started.reason,
              "cannot change to the folder '" + (dir / "gone") + "': No such file or directory");
}

} // namespace
} // namespace vq3
