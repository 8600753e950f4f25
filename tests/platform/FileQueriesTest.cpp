#include "platform/FileQueries.h"

#include "platform/AppInfo.h"
#include "platform/FsPath.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::TempDir;
using test::WriteFile;

TEST(FileQueriesTest, OnlyRegularFilesExist) {
    TempDir dir;
    WriteFile(dir.Path() / "a.mp3", "x");
    std::filesystem::create_directory(dir.Path() / "folder.mp3");
    WriteFile(dir / "Caf\xC3\xA9.mp3", "x");
    EXPECT_TRUE(FileExists(dir / "a.mp3"));
    EXPECT_TRUE(FileExists(dir / "Caf\xC3\xA9.mp3"));
    EXPECT_FALSE(FileExists(dir / "folder.mp3"));
    EXPECT_FALSE(FileExists(dir / "missing.mp3"));
    EXPECT_FALSE(FileExists(""));
}

#ifndef _WIN32
TEST(FileQueriesTest, LinksCountAsWhatTheyPointAt) {
    TempDir dir;
    WriteFile(dir.Path() / "a.mp3", "x");
    std::filesystem::create_symlink(dir.Path() / "a.mp3", dir.Path() / "link.mp3");
    std::filesystem::create_symlink(dir.Path() / "gone.mp3", dir.Path() / "dangling.mp3");
    EXPECT_TRUE(FileExists(dir / "link.mp3"));
    EXPECT_FALSE(FileExists(dir / "dangling.mp3"));
}
#endif

TEST(AppInfoTest, TitleCarriesTheVersionWithItsZeroRevision) {
    EXPECT_EQ(AppInfo::TitleWithVersion(), "VQ3 Music Tool 1.4.0");
}

TEST(AppInfoTest, AppDirIsTheExecutablesFolderNotTheWorkingDirectory) {
    TempDir elsewhere;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    const std::string appDir = AppInfo::AppDir();
    std::filesystem::current_path(before);
    EXPECT_NE(appDir, elsewhere.Str());
    EXPECT_TRUE(std::filesystem::is_directory(FsPath(appDir)));
    EXPECT_NE(appDir.back(), '/');
    EXPECT_NE(appDir.back(), '\\');
#ifndef _WIN32
    EXPECT_EQ(appDir, std::filesystem::canonical("/proc/self/exe").parent_path().string());
#else
    EXPECT_TRUE(std::filesystem::exists(FsPath(appDir) / "vq3_core_tests.exe"));
#endif
}

} // namespace
} // namespace vq3
