#include "conversion/DropIntake.h"

#include "conversion/Messages.h"
#include "support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;

// A name the script cannot hold: a snowman no console code page has, or a double quote.
#ifdef _WIN32
const std::string Odd = "\xE2\x98\x83";
#else
const std::string Odd = "Say \"Hi\"";
#endif

// The list and the messages as the user sees them, in the order they happen.
class DropIntakeTest : public testing::Test {
protected:
    void Drop(const std::vector<DroppedFile>& files, int room = MaxListEntries) {
        platform.duringMessage = [&] { events.push_back("message " + platform.messages.back()); };
        AcceptDroppedFiles(files, appDir.Str(), room, platform,
                           [&](const std::vector<size_t>& positions) {
                               for (const size_t position : positions) {
                                   events.push_back("list " + files[position].path);
                               }
                           });
    }
    std::string Refusal(const std::string& name) {
        return "message The file '" + name + "' is not in the application's directory, '" +
               appDir.Str() + "'.";
    }
    std::string Named(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            test::WriteFile(appDir / name, "a");
        }
        return appDir / names.front();
    }

    test::TempDir appDir;
    test::TempDir elsewhere;
    test::RecordingPlatform platform;
    std::vector<std::string> events;
};

// An item of another machine is refused even when its name lies in appDir; a name the script
// cannot hold only when it is an MP3 or WAV, as no other file's name goes into it; a name of one
// or two characters (not bytes) whatever it is, as its settings would land beside appDir.
TEST_F(DropIntakeTest, AdmittedFilesAreListedBeforeTheNextRefusalIsShown) {
    const std::string a = Named({"A.mp3", "C.mp3", Odd + ".mp3", Odd + ".txt", "ab", "\xC3\xA9z"});
    test::WriteFile(elsewhere / "B.mp3", "a");
    fs::create_directory(appDir.Path() / "Folder.wav");
    const std::string otherC = elsewhere / "C.mp3";
    const std::string shortName = "' has too short a name.  A file's settings file is named after "
                                  "it by replacing the last three characters of its name, so a "
                                  "name needs at least three.  Rename it, then drop it again.";
    std::vector<DroppedFile> drop{{a},
                                  {otherC},
                                  {elsewhere / "B.mp3"},
                                  {a},
                                  {appDir / "Folder.wav"},
                                  {"A.mp3", true},
                                  {"/"},
                                  {appDir / (Odd + ".mp3")},
                                  {appDir / (Odd + ".txt")},
                                  {appDir / "ab"},
                                  {appDir / "\xC3\xA9z"}};
    std::vector<std::string> expected{
        "list " + a,
        "list " + otherC,
        Refusal("B.mp3"),
        "list " + a,
        Refusal("Folder.wav"),
        Refusal("A.mp3"),
        Refusal(""),
        "message The file '" + Odd + ".mp3' cannot be named in the conversion script.  " +
            HostWords().scriptCannotHold + "  Rename it, then drop it again.",
        "list " + appDir / (Odd + ".txt"),
        "message The file 'ab" + shortName,
        "message The file '\xC3\xA9z" + shortName};
#ifndef _WIN32
    // A link to a file counts as the file; one to nothing is nothing.
    fs::create_symlink("A.mp3", appDir.Path() / "Link.mp3");
    fs::create_symlink("Gone.mp3", appDir.Path() / "Dangling.mp3");
    drop.insert(drop.end(), {{appDir / "Link.mp3"}, {appDir / "Dangling.mp3"}});
    expected.insert(expected.end(), {"list " + appDir / "Link.mp3", Refusal("Dangling.mp3")});
#endif
    Drop(drop);
    EXPECT_EQ(events, expected);
}

// Eleven strangers, a name the script cannot hold and two short ones: the tenth refusal is the
// last shown alone, the rest are counted per reason; and with room for one more entry, the other
// admitted files are counted too.
TEST_F(DropIntakeTest, RefusalsAfterTheTenthAndFilesBeyondTheRoomAreCounted) {
    const std::string in = Named({"In.wav", Odd + ".wav", "a", "bc"});
    std::vector<DroppedFile> drop;
    std::vector<std::string> expected;
    for (char name = 'd'; name <= 'n'; ++name) {
        drop.push_back({elsewhere / std::string(1, name)});
        if (name <= 'm') {
            expected.push_back(Refusal(std::string(1, name)));
        }
    }
    drop.insert(drop.begin() + 10,
                {{in}, {appDir / (Odd + ".wav")}, {in}, {appDir / "a"}, {in}, {appDir / "bc"}});
    expected.insert(expected.end(),
                    {"list " + in, "message " + MoreNotInAppDirMessage({"n"}, appDir.Str()),
                     "message " + MoreShortNamesMessage({"a", "bc"}),
                     "message " + MoreUnusableNamesMessage({Odd + ".wav"}, HostWords()),
                     "message " + ListFullMessage(2)});
    Drop(drop, 1);
    EXPECT_EQ(events, expected);
}

} // namespace
} // namespace vq3
