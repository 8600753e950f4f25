#include "platform/PathRules.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

TEST(PathRulesTest, WindowsFileNameFollowsEitherSlash) {
    const auto rules = PathRules::Windows();
    EXPECT_EQ(rules.GetFileName("C:\\Tools\\Conv\\Intro.mp3"), "Intro.mp3");
    EXPECT_EQ(rules.GetFileName("C:/Tools/Conv/Intro.mp3"), "Intro.mp3");
    EXPECT_EQ(rules.GetFileName("Intro.mp3"), "Intro.mp3");
    EXPECT_EQ(rules.GetFileName("C:\\Tools\\"), "");
}

TEST(PathRulesTest, PosixFileNameKeepsBackslashes) {
    const auto rules = PathRules::Posix();
    EXPECT_EQ(rules.GetFileName("/srv/a\\b.mp3"), "a\\b.mp3");
    EXPECT_EQ(rules.GetFileName("/srv/music/Intro.mp3"), "Intro.mp3");
}

TEST(PathRulesTest, JoiningNeverChecksForASeparatorAlreadyThere) {
    EXPECT_EQ(PathRules::Windows().JoinPath("C:\\Tools\\Conv", "vq3mc.bat"),
              "C:\\Tools\\Conv\\vq3mc.bat");
    EXPECT_EQ(PathRules::Windows().JoinPath("C:\\", "a.mp3"), "C:\\\\a.mp3");
    EXPECT_EQ(PathRules::Posix().JoinPath("/srv/music", "a.mp3"), "/srv/music/a.mp3");
}

TEST(PathRulesTest, OnlyWindowsFoldsCaseWhenComparing) {
    EXPECT_EQ(PathRules::Windows().ComparisonKey("C:\\Music\\A.LUA"), "c:\\music\\a.lua");
    EXPECT_EQ(PathRules::Posix().ComparisonKey("/Music/A.LUA"), "/Music/A.LUA");
}

} // namespace
} // namespace vq3
