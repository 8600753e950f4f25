#include "conversion/Messages.h"

#include "platform/AppInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

// Our texts, one a line in Messages.txt beside the test, where the behaviour tests do not show
// them already: each for one item and for several, lists cut after ten names (three in a drop's
// summary), control characters shown as "?", and the words of each platform.
TEST(MessagesTest, TextsReadRightForOneItemAndForMany) {
    const std::vector<std::string> one{"A\tB.wav"}, two{"A.wav", "B.wav"};
    const std::vector<std::string> ten{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
        eleven{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    // clang-format off
    const std::string texts[] = {
        MoreNotInAppDirMessage(eleven, "/m"), MoreShortNamesMessage(one), MoreUnusableNamesMessage(two, WindowsWords),
        UnusableNamesMessage(one, LinuxWords), UnusableNamesMessage(ten, WindowsWords), UnusableAppDirMessage("/m\t", WindowsWords),
        DescriptorsInTheWayMessage(one), SharedOutputMessage(two), WaveCollisionMessage("/m", one), NamesTakenMessage("/m", {"A.fda"}),
        MissingProgramsMessage("/m", {"madplay.exe", "enc.exe"}, false), MissingProgramsMessage("/m", {"madplay.exe", "enc.exe"}, true),
        MissingProgramsMessage("/m", {"enc.exe"}, true), ProgramsCannotRunMessage("/m", two), ListFullMessage(1),
        WindowsWords.startupWarning, LinuxWords.startupWarning, WindowsWords.conversionBegun, LinuxWords.conversionBegun,
    };
    // clang-format on
    std::string written;
    for (const std::string& text : texts) {
        written += text + "\n";
    }
    EXPECT_EQ(written, test::ReadFile(AppInfo::AppDir() + "/Messages.txt"));
}

} // namespace
} // namespace vq3
