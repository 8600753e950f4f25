#include "platform/FileQueries.h"

#include "platform/AppInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace vq3 {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(FileQueriesTest, OnlyRegularFilesExist) {
    TempDir dir;
    WriteFile(dir.Path() / "a.mp3", "x");
    std::filesystem::create_directory(dir.Path() / "folder.mp3");
    std::filesystem::create_symlink(dir.Path() / "a.mp3", dir.Path() / "link.mp3");
    std::filesystem::create_symlink(dir.Path() / "gone.mp3", dir.Path() / "dangling.mp3");
    EXPECT_TRUE(FileExists(dir / "a.mp3"));
    EXPECT_TRUE(FileExists(dir / "link.mp3"));
    EXPECT_FALSE(FileExists(dir / "folder.mp3"));
    EXPECT_FALSE(FileExists(dir / "dangling.mp3"));
    EXPECT_FALSE(FileExists(dir / "missing.mp3"));
    EXPECT_FALSE(FileExists(""));
}

TEST(AppInfoTest, TitleCarriesTheVersionWithItsZeroRevision) {
    EXPECT_EQ(AppInfo::TitleWithVersion(), "VQ3 Music Tool 1.4.0");
}

TEST(AppInfoTest, AppDirIsTheExecutablesFolderNotTheWorkingDirectory) {
    TempDir elsewhere;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    const std::string appDir = AppInfo::AppDir();
    std::filesystem::current_path(before);
    EXPECT_EQ(appDir, std::filesystem::canonical("/proc/self/exe").parent_path().string());
    EXPECT_NE(appDir, elsewhere.Str());
    EXPECT_NE(appDir.back(), '/');
}

} // namespace
} // namespace vq3
