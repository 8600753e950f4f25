#include "platform/ConsoleEncoding.h"

#include "conversion/ConvertFiles.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

using test::RecordingPlatform;
using test::TempDir;

TEST(ConsoleEncodingTest, LettersTheConsoleHasAreWrittenInItsCodePage) {
    EXPECT_EQ(EncodeForConsole("Caf\xC3\xA9 Theme.mp3"), "Caf\x82 Theme.mp3");
    EXPECT_EQ(EncodeForConsole("R&B 100% (Live)!"), "R&B 100% (Live)!");
    EXPECT_EQ(EncodeForConsole(""), "");
}

TEST(ConsoleEncodingTest, LettersItLacksAreRefusedNeverApproximated) {
    // A snowman and Japanese have no place in the code page; a-macron would best-fit to "a",
    // and the script would then name another file.
    for (const char* name : {"\xE2\x98\x83.mp3", "\xE6\x97\xA5\xE6\x9C\xAC.mp3", "\xC4\x81.mp3"}) {
        EXPECT_EQ(EncodeForConsole(name), std::nullopt) << name;
    }
}

TEST(ConsoleEncodingTest, ConvertFilesRefusesANameTheScriptWouldMangle) {
    TempDir appDir;
    RecordingPlatform platform;
    test::WriteFile(appDir / "\xC4\x81.mp3", "x");
    test::WriteFile(appDir / "Caf\xC3\xA9.mp3", "x");
    ConvertFiles({appDir / "Caf\xC3\xA9.mp3", appDir / "\xC4\x81.mp3"}, 1024, appDir.Str(),
                 platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string refusal =
        "These files cannot be named in the conversion script: '\xC4\x81.mp3'.";
    EXPECT_EQ(platform.messages[0].substr(0, refusal.size()), refusal);
    EXPECT_FALSE(std::filesystem::exists(FsPath(appDir / "Caf\xC3\xA9.lua")));
    EXPECT_TRUE(platform.launches.empty());
}

} // namespace
} // namespace vq3
