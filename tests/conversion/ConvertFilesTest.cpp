#include "conversion/ConvertFiles.h"

#ifndef _WIN32
#include "platform/posix/ConversionLock.h"
#endif
#include "support/RecordingPlatform.h"
#include "support/SystemReasons.h"
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
// "name@target" (a symbolic link).
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
};

std::string Expand(std::string text, const std::string& base, const std::string& appDir) {
    for (size_t at; (at = text.find_first_of("#$")) != std::string::npos;) {
        text.replace(at, 1, text[at] == '#' ? base : appDir);
    }
    return text;
}

void Parse(const Listing& listing, std::map<std::string, std::string>& files) {
    for (const auto& item : listing) {
        const size_t cut = item.find_first_of("=@");
        if (cut != std::string::npos) {
            files[item.substr(0, cut)] = item.substr(cut + (item[cut] == '=' ? 1 : 0));
        } else if (item.back() == '/') {
            files[item.substr(0, item.size() - 1)] = "/";
        } else {
            files[item] = "a";
        }
    }
}

std::vector<ConvertCase> Cases() {
    Listing quoted;
    std::string quotedList;
    for (int i = 0; i < 12; ++i) {
        quoted.push_back("\"" + std::to_string(i) + ".mp3");
        quotedList += i >= 10 ? "" : (i > 0 ? ", '" : "'") + quoted.back() + "'";
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
        {"NamesTheScriptCannotCarry", "", {"Good.mp3"},
         {"Good.mp3", "Say \"Hi\".mp3", "Tab\there.wav", "Line\nbreak.txt", "Del\x7f.wav"},
         Unusable + "'Say \"Hi\".mp3', 'Tab?here.wav' and 'Del?.wav'." + CannotHold + Redo, {}, 0},
        {"LongListsOfNamesAreCut", "", {}, quoted,
         Unusable + quotedList + " and 2 more." + CannotHold + Redo, {}, 0},
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
        {"NameOutsideTheConsolesCodePage", "", {"Caf\xC3\xA9.mp3"},
         {"Caf\xC3\xA9.mp3", "\xC4\x81.mp3"}, Unusable + "'\xC4\x81.mp3'." + CannotHold + Redo, {},
         0},
#else
        {"FolderTheScriptCannotName", "new\nline", {"A.wav"}, {"A.wav"},
         "The application's directory, '#/new?line', cannot be named in the conversion script." +
         CannotHold + "Move VQ3MC and your music files to another directory.  Nothing was "
         "converted.", {}, 0},
        {"SettingsBehindALinkAreNeverWrittenThrough", "", {"Boss.lua@Keep.txt", "Keep.txt" + D,
         "Boss.mp3"}, {"Boss.mp3"}, replace + "'$/Boss.lua'" + notOurs, {}, 0},
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

#ifndef _WIN32
TEST(ConvertFilesTest, NothingIsWrittenWhileAConversionOfTheFolderRuns) {
    test::TempDir dir;
    test::WriteFile(dir / "A.mp3", "a");
    test::RecordingPlatform platform;
    {
        const auto running = ConversionLock::Acquire(dir.Str());
        ASSERT_TRUE(running);
        ConvertFiles({dir / "A.mp3"}, 512, dir.Str(), platform);
    }
    ConvertFiles({dir / "A.mp3"}, 512, dir.Str(), platform);
    EXPECT_EQ(platform.messages,
              (Listing{"A conversion started in the application's directory, '" + dir.Str() +
                           "', is still running.  Wait until its window (currently minimized) "
                           "closes itself, then convert again.  Nothing was converted.",
                       Begun}));
    EXPECT_EQ(platform.launches.size(), 1u);
}
#endif

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

} // namespace
} // namespace vq3
