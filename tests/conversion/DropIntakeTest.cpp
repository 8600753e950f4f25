#include "conversion/DropIntake.h"

#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

// The list and the messages as the user sees them, in the order they happen.
class IntakeTest : public testing::Test {
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

    test::TempDir appDir;
    test::TempDir elsewhere;
    test::RecordingPlatform platform;
    std::vector<std::string> events;
};

TEST_F(IntakeTest, AdmittedFilesAreListedBeforeTheNextRefusalIsShown) {
    test::WriteFile(appDir / "A.mp3", "a");
    test::WriteFile(appDir / "C.mp3", "a");
    test::WriteFile(elsewhere / "B.mp3", "a");
    std::filesystem::create_directory(appDir.Path() / "Folder.wav");
    const std::string a = appDir / "A.mp3";
    const std::string otherC = elsewhere / "C.mp3";
    // An item of another machine is refused even when its name lies in appDir.
    Drop({{a},
          {otherC},
          {elsewhere / "B.mp3"},
          {a},
          {appDir / "Folder.wav"},
          {"A.mp3", true},
          {"/"}});
    EXPECT_EQ(events, (std::vector<std::string>{"list " + a, "list " + otherC, Refusal("B.mp3"),
                                                "list " + a, Refusal("Folder.wav"),
                                                Refusal("A.mp3"), Refusal("")}));
}

TEST_F(IntakeTest, RefusalsAfterTheTenthOfADropAreCountedInOneMessage) {
    test::WriteFile(appDir / "In.wav", "a");
    std::vector<DroppedFile> drop;
    std::vector<std::string> expected;
    for (char name = 'a'; name <= 'n'; ++name) {
        drop.push_back({elsewhere / std::string(1, name)});
        if (name <= 'j') {
            expected.push_back(Refusal(std::string(1, name)));
        }
    }
    drop.insert(drop.begin() + 11, {appDir / "In.wav"});
    expected.push_back("list " + appDir / "In.wav");
    expected.push_back("message Another 4 dropped files are not in the application's directory, '" +
                       appDir.Str() + "', and were not added: 'k', 'l', 'm' and 1 more.");
    Drop(drop);
    EXPECT_EQ(events, expected);
}

TEST_F(IntakeTest, FilesBeyondTheListsRoomAreCountedInOneMessage) {
    test::WriteFile(appDir / "A.wav", "a");
    const std::string a = appDir / "A.wav";
    Drop({{a}, {a}, {a}, {a}}, 2);
    EXPECT_EQ(events, (std::vector<std::string>{
                          "list " + a, "list " + a,
                          "message The list holds at most 32,767 files, so 2 dropped files were "
                          "not added."}));
    events.clear();
    Drop({{a}, {a}}, 1);
    EXPECT_EQ(events.back(),
              "message The list holds at most 32,767 files, so 1 dropped file was not added.");
}

} // namespace
} // namespace vq3
