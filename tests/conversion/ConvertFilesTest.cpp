#include "conversion/ConvertFiles.h"

#include "conversion/DropIntake.h"
#include "conversion/Script.h"

#ifndef _WIN32
#include "platform/posix/ConversionLock.h"
#endif
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>

namespace vq3 {
namespace {

namespace fs = std::filesystem;

const std::string D = "=version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
const std::string Tail = "msg * All files have been converted!\r\nexit\r\n";
const std::string Begun =
    "The conversion process has begun, when the Command Prompt window (currently minimized) "
    "closes itself, your music files will all be converted properly.  You can now close VQ3MC "
    "while the conversion process runs.";
const std::string CannotHold =
    "  A name in the conversion script may not hold a double quote, a control character or a "
    "character the Command Prompt cannot show.  ";
const std::string Unusable = "These files cannot be named in the conversion script: ";
const std::string Redo = "Rename them, then convert again.  Nothing was converted.";

// A folder as a list: "name" (a file holding "a"), "name=content", "name/" (a folder),
// "name@target" (a symbolic link). No name in it holds "/".
using Listing = std::vector<std::string>;

struct ConvertCase {
    const char* name;
    std::string appDir; // below the test's folder, "#" in texts; "$" stands for appDir itself
    Listing before;
    Listing entries; // below appDir
    std::string message;
    Listing gained; // what the folder holds afterwards beyond `before`; "name=*": any content
    size_t launches;
    std::int16_t bitRate = 1024;
    std::string launchFailure = "";
    bool conversionRunning = false; // another conversion holds the folder's lock
};

std::string Expand(std::string text, const std::string& base, const std::string& appDir) {
    for (size_t at; (at = text.find_first_of("#$")) != std::string::npos;) {
        text.replace(at, 1, text[at] == '#' ? base : appDir);
    }
    return text;
}

void Parse(const Listing& listing, std::map<std::string, std::string>& files) {
    for (const auto& item : listing) {
        const size_t cut = item.find_first_of("=@/");
        files[item.substr(0, cut)] = cut == std::string::npos ? "a"
                                     : item[cut] == '='       ? item.substr(cut + 1)
                                                              : item.substr(cut);
    }
}

std::vector<ConvertCase> Cases() {
    // Ten of the names the script cannot carry are shown, the rest counted.
    Listing unusable{"Good.mp3", "Say \"Hi\".mp3", "Tab\there.wav", "Line\nbreak.txt",
                     "Del\x7f.wav"};
    std::string shown = "'Say \"Hi\".mp3', 'Tab?here.wav', 'Del?.wav'";
    for (int i = 0; i < 12; ++i) {
        unusable.push_back("\"" + std::to_string(i) + ".mp3");
        shown += i >= 7 ? "" : ", '" + unusable.back() + "'";
    }
    const std::string replace = "Converting would replace ";
    const std::string notOurs = " with track settings, but they are not settings files this tool "
                                "wrote: your own file, a folder or a link.  Move or rename them, "
                                "then convert again.  Nothing was converted.";
    // clang-format off
    return {
        {"EmptyList", "", {}, {}, "No files to convert!", {}, 0},
        {"OtherOnly", "", {"Song.txt"}, {"Song.txt"}, Begun,
         {"Song.lua" + D, "vq3mc.bat=cd $\r\n" + Tail}, 1},
        {"OldScriptIsTruncatedAndOldDescriptorReplaced", "R&B 100%",
         {"vq3mc.bat=" + std::string(5000, 'x'), "Intro.lua" + D, "Intro.wav"}, {"Intro.wav"}, Begun,
         {"vq3mc.bat=cd #/R^&B 100%%\r\nstart /b /min /wait enc.exe \"Intro.wav\" \"Intro.aifr\" "
          "2048\r\nren \"Intro.aifr\" \"Intro.fda\"\r\n" + Tail}, 1, 2048},
        {"ListedLuaFilesAreNeverDescriptorTargets", "",
         {"Intro.mp3", "Intro.lua=mine", "Notes.lua=keep", "Other.wav"},
         {"Intro.mp3", "Intro.lua", "Notes.lua", "Other.wav"}, Begun,
         {"Other.lua" + D, "vq3mc.bat=*"}, 1},
        {"DecodingOntoAUsersWaveStopsEverything", "",
         {"vq3mc.bat=old", "Song.wav=mine", "Other.wav=also", "Song.mp3", "Fine.mp3", "Other.mp3"},
         {"Song.mp3", "Fine.mp3", "Other.mp3", "Song.mp3"},
         "Converting would overwrite and then delete 'Song.wav' and 'Other.wav' in the "
         "application's directory, '$', because the *.mp3 files of the same names are first "
         "decoded to those files.  Move or rename them, then convert again.  Nothing was "
         "converted.", {}, 0},
        {"NamesTheScriptCannotCarry", "", {"Good.mp3"}, unusable,
         Unusable + shown + " and 5 more." + CannotHold + Redo, {}, 0},
        {"SettingsOfTheUsersOwnOrAFolderStopEverything", "",
         {"vq3mc.bat=old", "Intro.lua=volume = 0.3\r\n", "Menu.lua/", "Trim.lua" + D + "x",
          "A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"},
         {"A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"},
         replace + "'$/Intro.lua', '$/Menu.lua' and '$/Trim.lua'" + notOurs, {}, 0},
        {"ScriptInTheWay", "", {"vq3mc.bat/", "A.wav"}, {"A.wav"},
         "The file '$/vq3mc.bat' could not be written: " + std::string(test::DirectoryInTheWay) +
         ".  The conversion was not started.", {"A.lua" + D}, 0},
        {"LaunchFailureReplacesTheNotice", "", {"A.wav"}, {"A.wav"},
         "The conversion script '$/vq3mc.bat' could not be started: No such file or directory.  "
         "No files will be converted.", {"A.lua" + D, "vq3mc.bat=*"}, 1, 1024,
         "No such file or directory"},
#ifdef _WIN32
        // The code page lacks a snowman; a-macron would best-fit to "a" and name another file.
        {"NamesOutsideTheConsolesCodePage", "", {"Caf\xC3\xA9.mp3"},
         {"Caf\xC3\xA9.mp3", "\xC4\x81.mp3", "\xE2\x98\x83.mp3"},
         Unusable + "'\xC4\x81.mp3' and '\xE2\x98\x83.mp3'." + CannotHold + Redo, {}, 0},
#else
        {"FolderTheScriptCannotName", "new\nline", {"A.wav"}, {"A.wav"},
         "The application's directory, '#/new?line', cannot be named in the conversion script." +
         CannotHold + "Move VQ3MC and your music files to another directory.  Nothing was "
         "converted.", {}, 0},
        {"SettingsBehindALinkAreNeverWrittenThrough", "", {"Boss.lua@Keep.txt", "Keep.txt" + D,
         "Boss.mp3"}, {"Boss.mp3"}, replace + "'$/Boss.lua'" + notOurs, {}, 0},
        {"NothingIsWrittenWhileAConversionOfTheFolderRuns", "", {"A.mp3"}, {"A.mp3"},
         "A conversion started in the application's directory, '$', is still running.  Wait until "
         "its window (currently minimized) closes itself, then convert again.  Nothing was "
         "converted.", {std::string(ConversionLockName) + "=*"}, 0, 1024, "", true},
#endif
    };
    // clang-format on
}

TEST(ConvertFilesTest, OutcomesMessagesAndFilesWritten) {
    for (const ConvertCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        test::TempDir base;
        const std::string appDir = c.appDir.empty() ? base.Str() : base.Str() + "/" + c.appDir;
        fs::create_directories(FsPath(appDir));
        std::map<std::string, std::string> expected;
        Parse(c.before, expected);
        for (const auto& [name, content] : expected) {
            const fs::path path = FsPath(appDir) / FsPath(name);
            if (content == "/") {
                fs::create_directory(path);
            } else if (content.front() == '@') {
                fs::create_symlink(content.substr(1), path);
            } else {
                test::WriteFile(path, content);
            }
        }
        Listing entries;
        for (const auto& name : c.entries) {
            entries.push_back(appDir + "/" + name);
        }
#ifndef _WIN32
        const auto lock = c.conversionRunning ? ConversionLock::Acquire(appDir) : std::nullopt;
#endif
        test::RecordingPlatform platform;
        platform.launchFailure = c.launchFailure;
        ConvertFiles(entries, c.bitRate, appDir, platform, PathRules::Posix());

        EXPECT_EQ(platform.messages, Listing{Expand(c.message, base.Str(), appDir)});
        Parse(c.gained, expected);
        for (const auto& item : fs::directory_iterator(FsPath(appDir))) {
            const std::string name = Utf8Of(item.path().filename());
            const std::string content = item.is_symlink()
                                            ? "@" + Utf8Of(fs::read_symlink(item.path()))
                                        : item.is_directory() ? "/"
                                                              : test::ReadFile(item.path());
            const auto want = expected.find(name);
            ASSERT_NE(want, expected.end()) << name << " should not be there";
            EXPECT_EQ(want->second == "*" ? "*" : content, Expand(want->second, base.Str(), appDir))
                << name;
            expected.erase(want);
        }
        EXPECT_TRUE(expected.empty()) << expected.begin()->first << " is missing";
        ASSERT_EQ(platform.launches.size(), c.launches);
        for (const auto& launch : platform.launches) {
            EXPECT_EQ(launch.scriptPath, appDir + "/vq3mc.bat");
            EXPECT_EQ(launch.workingDir, appDir);
            EXPECT_EQ(launch.scriptContent, test::ReadFile(FsPath(appDir) / "vq3mc.bat"));
        }
    }
}

// Windows names are compared without case: a listed "Notes.LUA" is its own descriptor path.
TEST(ConvertFilesTest, AListedLuaFileInAnotherCaseIsNoTargetUnderWindowsRules) {
    test::TempDir dir;
    test::WriteFile(dir / "Notes.LUA", "keep");
    test::RecordingPlatform platform;
    // The folder ends in "/" so that the script, joined with "\\", still lands in it on Linux.
    ConvertFiles({dir / "Notes.LUA"}, 1024, dir.Str() + "/", platform, PathRules::Windows());
    EXPECT_EQ(platform.messages, Listing{Begun});
    EXPECT_EQ(test::ReadFile(dir / "Notes.LUA"), "keep");
    // Notes.LUA and the script: no Notes.lua beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

// The script as written, byte for byte: the worked example, then awkward folders and names.
TEST(ScriptGoldenTest, WrittenScriptIsByteExact) {
    const struct {
        bool windows;
        const char* appDir;
        std::vector<std::string> entries;
        std::int16_t bitRate;
        std::string bytes;
    } cases[] = {
        // clang-format off
        {true, "C:\\Tools\\Conv", {"C:\\Tools\\Conv\\Intro.mp3", "C:\\Tools\\Conv\\Battle Theme.WAV",
         "C:\\Tools\\Conv\\readme.txt"}, 1024,
         "cd C:\\Tools\\Conv\r\n"
         "start /b /min /wait madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"\r\n"
         "start /b /min /wait enc.exe \"Intro.wav\" \"Intro.aifr\" 1024\r\n"
         "del \"Intro.wav\"\r\n"
         "ren \"Intro.aifr\" \"Intro.fda\"\r\n"
         "start /b /min /wait enc.exe \"Battle Theme.WAV\" \"Battle Theme.aifr\" 1024\r\n"
         "ren \"Battle Theme.aifr\" \"Battle Theme.fda\"\r\n" + Tail},
        {false, "/srv/R&B|x<y>z^w 50% (Live)!", {"/a/Song.txt", "/a/Song.flac", "/a/wave"}, 2048,
         "cd /srv/R^&B^|x^<y^>z^^w 50%% (Live)!\r\n" + Tail},
        {false, "/m", {"/m/100% R&B ^!.mp3"}, 512,
         "cd /m\r\n"
         "start /b /min /wait madplay.exe -o wave:\"100%% R&B ^!.wav\" \"100%% R&B ^!.mp3\"\r\n"
         "start /b /min /wait enc.exe \"100%% R&B ^!.wav\" \"100%% R&B ^!.aifr\" 512\r\n"
         "del \"100%% R&B ^!.wav\"\r\n"
         "ren \"100%% R&B ^!.aifr\" \"100%% R&B ^!.fda\"\r\n" + Tail},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.appDir);
        test::TempDir dir;
        const auto rules = c.windows ? PathRules::Windows() : PathRules::Posix();
        ASSERT_TRUE(WriteTextLines(dir / "vq3mc.bat",
                                   BuildConversionScript(c.entries, c.appDir, c.bitRate, rules))
                        .ok);
        EXPECT_EQ(test::ReadFile(dir / "vq3mc.bat"), c.bytes);
    }
}

// Kinds and descriptor paths go by the last three characters (not bytes) and nothing else.
TEST(EntryTest, KindAndDescriptorPathFollowTheLastThreeCharacters) {
    // clang-format off
    const std::tuple<const char*, TrackKind, const char*> cases[] = {
        {"C:\\Tools\\Conv\\Intro.mp3", TrackKind::Mp3, "C:\\Tools\\Conv\\Intro.lua"},
        {"C:\\Tools\\Conv\\Intro.wav", TrackKind::Wave, "C:\\Tools\\Conv\\Intro.lua"},
        {"/m/xwav", TrackKind::Wave, "/m/xlua"}, {"wav", TrackKind::Wave, "lua"},
        {"av", TrackKind::Other, "lua"}, {"", TrackKind::Other, "lua"},
        {"/m/Song.wave", TrackKind::Other, "/m/Song.wlua"},
        {"/m/Song.wav ", TrackKind::Other, "/m/Song.wlua"},
        {"/m/mp\xC3\xA9", TrackKind::Other, "/m/lua"},
        {"/m/\xE6\x97\xA5.\xC3\x89WA", TrackKind::Other, "/m/\xE6\x97\xA5.lua"},
        {"/m/Caf\xC3\xA9wav", TrackKind::Wave, "/m/Caf\xC3\xA9lua"}};
    // clang-format on
    for (const auto& [entry, kind, descriptor] : cases) {
        EXPECT_EQ(ClassifyTrack(entry), kind) << entry;
        EXPECT_EQ(DescriptorPath(entry), descriptor) << entry;
    }
}

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
    const std::vector<DroppedFile> drop{
        {a}, {otherC}, {elsewhere / "B.mp3"}, {a}, {appDir / "Folder.wav"}, {"A.mp3", true}, {"/"}};
    Drop(drop);
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
