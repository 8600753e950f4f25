#include "conversion/Messages.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

// Our texts for one item and for several, where the tool's behaviour tests do not show them
// already: lists cut after ten names (three in a drop's summary), control characters shown as "?".
TEST(MessagesTest, TextsReadRightForOneItemAndForMany) {
    const std::vector<std::string> one{"A\tB.wav"};
    const std::vector<std::string> two{"A.wav", "B.wav"};
    const std::vector<std::string> many{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const std::string in = " the application's directory, '/m'";
    const std::string again = ", then convert again.  Nothing was converted.";
    const std::string whyShort = "  A file's settings file is named after it by replacing the last "
                                 "three characters of its name, so a name needs at least three.";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {MoreNotInAppDirMessage(one, "/m"), "Another dropped file is not in" + in + ", and was not added: 'A?B.wav'."},
        {MoreNotInAppDirMessage(many, "/m"), "Another 11 dropped files are not in" + in + ", and were not added: '0', '1', '2' and 8 more."},
        {MoreShortNamesMessage(one), "Another dropped file has too short a name, and was not added: 'A?B.wav'." + whyShort},
        {MoreShortNamesMessage({"a", "b", "c"}), "Another 3 dropped files have too short names, and were not added: 'a', 'b' and 'c'." + whyShort},
        {MoreUnusableNamesMessage(two, WindowsWords), "Another 2 dropped files cannot be named in the conversion script, and were not added: 'A.wav' and 'B.wav'.  A name in the conversion script may not hold a double quote, a control character or a character the Command Prompt cannot show."},
        {UnusableNamesMessage(one, LinuxWords), "This file cannot be named in the conversion script: 'A?B.wav'.  A name in the conversion script may not hold a double quote or a control character.  Rename it" + again},
        {UnusableNamesMessage({many.begin(), many.end() - 1}, LinuxWords), "These files cannot be named in the conversion script: '0', '1', '2', '3', '4', '5', '6', '7', '8' and '9'.  A name in the conversion script may not hold a double quote or a control character.  Rename them" + again},
        {DescriptorsInTheWayMessage(one), "Converting would replace 'A?B.wav' with track settings, but it is not a settings file this tool wrote: your own file, a folder or a link.  Move or rename it" + again},
        {DescriptorsInTheWayMessage(two), "Converting would replace 'A.wav' and 'B.wav' with track settings, but they are not settings files this tool wrote: your own file, a folder or a link.  Move or rename them" + again},
        {WaveCollisionMessage("/m", two), "Converting would overwrite and then delete 'A.wav' and 'B.wav' in" + in + ", because the *.mp3 files of the same names are first decoded to those files.  Move or rename them" + again},
        {WaveCollisionMessage("/m", one), "Converting would overwrite and then delete 'A?B.wav' in" + in + ", because the *.mp3 file of the same name is first decoded to that file.  Move or rename it" + again},
        {MissingProgramsMessage("/m", {"enc.exe"}, false), "Converting needs 'enc.exe', but it is not in" + in + ".  Put it there" + again},
        {MissingProgramsMessage("/m", {"madplay.exe", "enc.exe"}, true), "Converting needs 'madplay.exe' and 'enc.exe', but they are neither in" + in + ", nor on the search path.  Put them into the application's directory" + again},
        {ProgramsCannotRunMessage("/m", {"madplay.exe", "enc.exe"}), "Converting needs 'madplay.exe' and 'enc.exe' in" + in + ", but they cannot be run: not marked executable, or a Windows program while wine is not installed.  Nothing was converted."},
        {ProgramsCannotRunMessage("/m", {"enc.exe"}), "Converting needs 'enc.exe' in" + in + ", but it cannot be run: not marked executable, or a Windows program while wine is not installed.  Nothing was converted."},
        {NamesTakenMessage("/m", two), "Converting needs the names 'A.wav' and 'B.wav', but files of those names are already in" + in + ", and the conversion never replaces a file.  Move or delete them" + again},
        {ConversionRunningMessage("/m"), "A conversion started in" + in + ", is still running.  Wait until its window (currently minimized) has closed; if it lists files that were not converted, press a key there.  Then convert again.  Nothing was converted."},
        {NamesTakenMessage("/m", {"A.fda"}), "Converting needs the name 'A.fda', but a file of that name is already in" + in + ", and the conversion never replaces a file.  Move or delete it" + again},
        {ListFullMessage(1), "The list holds at most 32,767 files, so 1 dropped file was not added."},
        {ListFullMessage(2), "The list holds at most 32,767 files, so 2 dropped files were not added."},
        {WindowsWords.startupWarning, "WARNING:  You MUST copy the *.mp3 or *.wav files you want to convert into the same directory as 'vq3mc.exe' or they will NOT be converted!  Be sure to copy them into the directory and then drag those files into the VQ3MC window."},
        {LinuxWords.conversionBegun, "The conversion process has begun, when the conversion window (currently minimized) closes itself, your music files will all be converted properly.  You can now close vq3mt while the conversion process runs."},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(text, expected);
    }
}

} // namespace
} // namespace vq3
