#include "platform/posix/DetachedProcess.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::TempDir;

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
