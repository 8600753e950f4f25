#include "conversion/DropIntake.h"

#include "conversion/Messages.h"
#include "support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using namespace test;

// Names the script cannot hold: on Windows an omega, which the programs' code page lacks (the
// console's may have it); elsewhere a double quote, and a backslash, which the encoder run through
// wine would read as a folder.
const std::string Odd = PathRules::Host().ForWindows() ? "\xCE\xA9" : "Say \"Hi\"";
const std::string OddToo = PathRules::Host().ForWindows() ? Odd : "Back\\slash";

// A drop, item by item, with what each brings at once ("" when nothing yet), then the rest. An
// item of another machine is refused even when its name lies in appDir; a name the script cannot
// hold only when it is an MP3 or WAV, as no other file's name goes into it; a name of one or two
// characters (not bytes) whatever it is, as its settings would land beside appDir. What is admitted
// is listed before the next refusal is shown; after the tenth, refusals are counted per reason,
// and with room for five entries, the other admitted files are counted too.
TEST(DropIntakeTest, ListedAndRefusedInDropOrderTheRestCounted) {
    TempDir appDir;
    for (const std::string& name :
         std::vector<std::string>{"A.mp3", "abc", Odd + ".mp3", Odd + ".txt", OddToo + ".wav", "ab",
                                  "\xC3\xA9z", "a", "bc"}) {
        WriteFile(appDir / name, "a");
    }
    fs::create_directory(appDir.Path() / "Folder.wav");
    const std::string a = appDir / "A.mp3", c = "/elsewhere/abc", odd = appDir / (Odd + ".txt");
    const auto refusal = [&](const std::string& name) {
        return "message The file '" + name + "' is not in the application's directory, '" +
               appDir.Str() + "'.";
    };
    const std::string tooShort =
        "' has too short a name.  A file's settings file is named after it "
        "by replacing the last three characters of its name, so a name "
        "needs at least three.";
#ifndef _WIN32
    fs::create_symlink("A.mp3", appDir.Path() / "Link.mp3");
    fs::create_symlink("Gone.mp3", appDir.Path() / "Dangling.mp3");
#endif
    // clang-format off
    const std::vector<DroppedFile> files{{a}, {c}, {"/elsewhere/B.mp3"}, {a}, {appDir / "Folder.wav"}, {"A.mp3", true}, {"/"}, {appDir / (Odd + ".mp3")}, {odd}, {appDir / "ab"}, {appDir / "\xC3\xA9z"},
#ifndef _WIN32
        // A link to a file counts as the file; one to nothing is nothing.
        {appDir / "Link.mp3"}, {appDir / "Dangling.mp3"},
#else
        {a}, {"/elsewhere/D.mp3"},
#endif
        {"/elsewhere/E"}, {"/elsewhere/F"}, {"/elsewhere/G"}, {appDir / (OddToo + ".wav")}, {appDir / "a"}, {a}, {appDir / "bc"}, {a}, {"/elsewhere/H"}};
    const std::vector<std::string> expected{"list " + a, "list " + c, refusal("B.mp3"), "list " + a, refusal("Folder.wav"), refusal("A.mp3"), refusal(""),
        "message The file '" + Odd + ".mp3' cannot be named in the conversion script.  " + HostWords().scriptCannotHold + "  Rename it, then drop it again.",
        "list " + odd, "message The file 'ab" + tooShort + "  Rename it, then drop it again.", "message The file '\xC3\xA9z" + tooShort + "  Rename it, then drop it again.",
#ifndef _WIN32
        "list " + appDir / "Link.mp3", refusal("Dangling.mp3"),
#else
        "list " + a, refusal("D.mp3"),
#endif
        refusal("E"), refusal("F"),
        "message Another 2 dropped files are not in the application's directory, '" + appDir.Str() + "', and were not added: 'G' and 'H'.",
        "message Another 2 dropped files have too short names, and were not added: 'a' and 'bc'.  " + tooShort.substr(tooShort.find("A file")),
        "message Another dropped file cannot be named in the conversion script, and was not added: '" + OddToo + ".wav'.  " + HostWords().scriptCannotHold,
        "message The list holds at most 32,767 files, so 2 dropped files were not added."};
    // clang-format on
    RecordingPlatform platform;
    std::vector<std::string> events;
    platform.duringMessage = [&] { events.push_back("message " + platform.messages.back()); };
    AcceptDroppedFiles(files, appDir.Str(), 5, platform, [&](const std::vector<size_t>& positions) {
        for (const size_t position : positions) {
            events.push_back("list " + files[position].path);
        }
    });
    EXPECT_EQ(events, expected);
}

} // namespace
} // namespace vq3
