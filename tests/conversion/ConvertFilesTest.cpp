#include "conversion/ConvertFiles.h"

#include "conversion/DropIntake.h"
#include "conversion/Messages.h"
#include "conversion/Script.h"
#include "platform/AppInfo.h"

#ifndef _WIN32
#include "platform/posix/ConversionLock.h"
#endif
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

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

// A folder as a list: "name" (a file holding "a"), "name=content", "name/" (a folder),
// "name@target" (a symbolic link). No name in it holds "/".
using Listing = std::vector<std::string>;

struct ConvertCase {
    const char* name;
    std::string appDir; // below the test's folder, "#" in texts; "$" stands for appDir itself
    Listing before;
    Listing entries; // below appDir
    std::string message;
    // What the folder holds afterwards beyond `before`; "name=*": any content, "name=text...":
    // content that starts with the text.
    Listing gained;
    size_t launches;
    std::int16_t bitRate = 1024;
    std::string launchFailure = "";
    bool conversionRunning = false; // another conversion holds the folder's lock
    // Programs beside the music, runnable; "name-": there, but it cannot run.
    Listing programs = {"enc.exe", "madplay.exe"};
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

// The messages' texts are checked in MessagesTest; here, which one comes when.
std::vector<ConvertCase> Cases() {
    // Ten of the names the script cannot carry are shown, the rest counted.
    Listing unusable{"Good.mp3", "Say \"Hi\".mp3", "Tab\there.wav", "Line\nbreak.txt",
                     "Del\x7f.wav"};
    Listing refused{"Say \"Hi\".mp3", "Tab\there.wav", "Del\x7f.wav"};
    for (int i = 0; i < 12; ++i) {
        unusable.push_back("\"" + std::to_string(i) + ".mp3");
        refused.push_back(unusable.back());
    }
    // clang-format off
    return {
        {"EmptyList", "", {}, {}, "No files to convert!", {}, 0},
        {"OtherOnly", "", {"Song.txt"}, {"Song.txt"}, Begun,
         {"Song.lua" + D, "vq3mc.bat=cd $\r\n" + Tail}, 1},
        {"OldScriptIsTruncatedAndOldDescriptorReplaced", "R&B 100%",
         {"vq3mc.bat=" + std::string(5000, 'x'), "Intro.lua" + D, "Intro.wav"}, {"Intro.wav"}, Begun,
         {"vq3mc.bat=cd #/R^&B 100%%\r\nset VQ3_NOT_CONVERTED=\r\ntitle VQ3 Music Tool: 1 of 1: "
          "Intro.wav\r\nset VQ3_FAILED_1=\r\nstart /b /min /wait enc.exe \"Intro.wav\" "
          "\"Intro.aifr\" 2048\r\n..."}, 1,
         2048},
        {"OutputsInTheWayStopEverything", "", {"A.mp3", "A.fda", "B.wav", "B.aifr/", "C.wav"},
         {"A.mp3", "B.wav", "C.wav", "A.mp3"}, NamesTakenMessage("$", {"A.fda", "B.aifr"}), {}, 0},
        {"WavesAloneNeedNoDecoder", "", {"A.wav"}, {"A.wav"}, Begun, {"A.lua" + D, "vq3mc.bat=*"}, 1,
         1024, "", false, {"enc.exe"}},
        {"ListedLuaFilesAreNeverDescriptorTargets", "",
         {"Intro.mp3", "Intro.lua=mine", "Notes.lua=keep", "Other.wav"},
         {"Intro.mp3", "Intro.lua", "Notes.lua", "Other.wav"}, Begun,
         {"Other.lua" + D, "vq3mc.bat=*"}, 1},
        {"DecodingOntoAUsersWaveStopsEverything", "",
         {"vq3mc.bat=old", "Song.wav=mine", "Other.wav/", "Song.mp3", "Fine.mp3", "Other.mp3"},
         {"Song.mp3", "Fine.mp3", "Other.mp3", "Song.mp3"},
         WaveCollisionMessage("$", {"Song.wav", "Other.wav"}), {}, 0},
        {"NamesTheScriptCannotCarry", "", {"Good.mp3"}, unusable, UnusableNamesMessage(refused), {},
         0},
        {"SettingsOfTheUsersOwnOrAFolderStopEverything", "",
         {"vq3mc.bat=old", "Intro.lua=volume = 0.3\r\n", "Menu.lua/", "Trim.lua" + D + "x",
          "A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"},
         {"A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"},
         DescriptorsInTheWayMessage({"$/Intro.lua", "$/Menu.lua", "$/Trim.lua"}), {}, 0},
        {"ScriptInTheWay", "", {"vq3mc.bat/", "A.wav"}, {"A.wav"},
         "The file '$/vq3mc.bat' could not be written: a folder of that name is in the way.  The "
         "conversion was not started.", {"A.lua" + D}, 0},
        {"LaunchFailureReplacesTheNotice", "", {"A.wav"}, {"A.wav"},
         "The conversion script '$/vq3mc.bat' could not be started: No such file or directory.  "
         "No files will be converted.", {"A.lua" + D, "vq3mc.bat=*"}, 1, 1024,
         "No such file or directory"},
#ifdef _WIN32
        {"ProgramsMissing", "", {"A.mp3"}, {"A.mp3"},
         MissingProgramsMessage("$", {"madplay.exe", "enc.exe"}, false), {}, 0, 1024, "", false, {}},
        // The code page lacks a snowman; a-macron would best-fit to "a" and name another file.
        {"NamesOutsideTheConsolesCodePage", "", {"Caf\xC3\xA9.mp3"},
         {"Caf\xC3\xA9.mp3", "\xC4\x81.mp3", "\xE2\x98\x83.mp3"},
         UnusableNamesMessage({"\xC4\x81.mp3", "\xE2\x98\x83.mp3"}), {}, 0},
#else
        // Debian's madplay, on the search path, stands in for madplay.exe.
        {"EncoderMissing", "", {"A.mp3"}, {"A.mp3"}, MissingProgramsMessage("$", {"enc.exe"}, true),
         {}, 0, 1024, "", false, {}},
        {"EncoderCannotRun", "", {"A.wav"}, {"A.wav"}, ProgramsCannotRunMessage("$", {"enc.exe"}),
         {}, 0, 1024, "", false, {"enc.exe-"}},
        {"FolderTheScriptCannotName", "new\nline", {"A.wav"}, {"A.wav"},
         "The application's directory, '#/new?line', cannot be named in the conversion script." +
         CannotHold + "Move VQ3MC and your music files to another directory.  Nothing was "
         "converted.", {}, 0},
        {"SettingsBehindALinkAreNeverWrittenThrough", "", {"Boss.lua@Keep.txt", "Keep.txt" + D,
         "Boss.mp3"}, {"Boss.mp3"}, DescriptorsInTheWayMessage({"$/Boss.lua"}), {}, 0},
        {"NothingIsWrittenWhileAConversionOfTheFolderRuns", "", {"A.mp3"}, {"A.mp3"},
         "A conversion started in the application's directory, '$', is still running.  Wait until "
         "its window (currently minimized) has closed; if it lists files that were not converted, "
         "press a key there.  Then convert again.  Nothing was converted.", {std::string(ConversionLockName) + "=*"}, 0, 1024, "", true},
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
        for (std::string program : c.programs) {
            const bool runs = !program.ends_with('-');
            program.resize(program.size() - (runs ? 0 : 1));
            test::WriteFile(FsPath(appDir) / program, "x");
            fs::permissions(FsPath(appDir) / program, fs::perms(runs ? 0755 : 0644));
            expected[program] = "x";
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
            std::string wanted = Expand(want->second, base.Str(), appDir);
            if (wanted.ends_with("...")) {
                wanted.resize(wanted.size() - 3);
                EXPECT_EQ(content.substr(0, wanted.size()), wanted) << name;
            } else {
                EXPECT_EQ(wanted == "*" ? "*" : content, wanted) << name;
            }
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
// And a Windows folder must have a drive letter.
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
    // A folder on a network share is no folder the Command Prompt can work in.
    ConvertFiles({"\\\\server\\share\\A.wav"}, 1024, "\\\\server\\share", platform,
                 PathRules::Windows());
    EXPECT_EQ(platform.messages.back(),
              "The application's directory, '\\\\server\\share', is on a network share, which the "
              "Command Prompt cannot work in.  Copy VQ3MC and your music files to a drive with a "
              "letter (or map the share to one), then convert again.  Nothing was converted.");
}

// Our own texts, for one item and for several: lists cut after ten names (three in a drop's
// summary), control characters shown as "?".
TEST(MessagesTest, TextsReadRightForOneItemAndForMany) {
    const std::vector<std::string> one{"A\tB.wav"};
    const std::vector<std::string> two{"A.wav", "B.wav"};
    std::vector<std::string> many;
    std::string tenOfMany;
    for (int i = 0; i < 11; ++i) {
        many.push_back(std::to_string(i));
        tenOfMany += i == 10 ? "" : (i == 0 ? "'" : ", '") + many.back() + "'";
    }
    const std::string in = " the application's directory, '/m'";
    const std::string again = ", then convert again.  Nothing was converted.";
    const std::string replace = "Converting would replace ";
    const std::string collide = "Converting would overwrite and then delete ";
    const std::string cannotRun = "Converting needs 'enc.exe' in" + in + ", but it cannot be run:";
    const std::string taken = " already in" + in + ", and the conversion never replaces a file.  ";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {MoreNotInAppDirMessage(one, "/m"), "Another dropped file is not in" + in + ", and was not added: 'A?B.wav'."},
        {MoreNotInAppDirMessage(many, "/m"), "Another 11 dropped files are not in" + in + ", and were not added: '0', '1', '2' and 8 more."},
        {MoreUnusableNamesMessage(one), "Another dropped file cannot be named in the conversion script, and was not added: 'A?B.wav'." + CannotHold.substr(0, CannotHold.size() - 2)},
        {MoreUnusableNamesMessage(two), "Another 2 dropped files cannot be named in the conversion script, and were not added: 'A.wav' and 'B.wav'." + CannotHold.substr(0, CannotHold.size() - 2)},
        {UnusableNameMessage("A\tB.wav"), "The file 'A?B.wav' cannot be named in the conversion script." + CannotHold + "Rename it, then drop it again."},
        {UnusableNamesMessage(one), "This file cannot be named in the conversion script: 'A?B.wav'." + CannotHold + "Rename it" + again},
        {UnusableNamesMessage(many), "These files cannot be named in the conversion script: " + tenOfMany + " and 1 more." + CannotHold + "Rename them" + again},
        {UnusableNamesMessage({many.begin(), many.end() - 1}), "These files cannot be named in the conversion script: " + tenOfMany.substr(0, tenOfMany.rfind(',')) + " and '9'." + CannotHold + "Rename them" + again},
        {DescriptorsInTheWayMessage(one), replace + "'A?B.wav' with track settings, but it is not a settings file this tool wrote: your own file, a folder or a link.  Move or rename it" + again},
        {DescriptorsInTheWayMessage(two), replace + "'A.wav' and 'B.wav' with track settings, but they are not settings files this tool wrote: your own file, a folder or a link.  Move or rename them" + again},
        {WaveCollisionMessage("/m", one), collide + "'A?B.wav' in" + in + ", because the *.mp3 file of the same name is first decoded to that file.  Move or rename it" + again},
        {WaveCollisionMessage("/m", two), collide + "'A.wav' and 'B.wav' in" + in + ", because the *.mp3 files of the same names are first decoded to those files.  Move or rename them" + again},
        {MissingProgramsMessage("/m", {"enc.exe"}, false), "Converting needs 'enc.exe', but it is not in" + in + ".  Put it there" + again},
        {MissingProgramsMessage("/m", {"madplay.exe", "enc.exe"}, true), "Converting needs 'madplay.exe' and 'enc.exe', but they are neither in" + in + ", nor on the search path.  Put them into the application's directory" + again},
        {ProgramsCannotRunMessage("/m", {"enc.exe"}), cannotRun + " not marked executable, or a Windows program while wine is not installed.  Nothing was converted."},
        {ProgramsCannotRunMessage("/m", {"madplay.exe", "enc.exe"}), "Converting needs 'madplay.exe' and 'enc.exe' in" + in + ", but they cannot be run: not marked executable, or a Windows program while wine is not installed.  Nothing was converted."},
        {NamesTakenMessage("/m", {"A.fda"}), "Converting needs the name 'A.fda', but a file of that name is" + taken + "Move or delete it" + again},
        {NamesTakenMessage("/m", two), "Converting needs the names 'A.wav' and 'B.wav', but files of those names are" + taken + "Move or delete them" + again},
        {ListFullMessage(1), "The list holds at most 32,767 files, so 1 dropped file was not added."},
        {ListFullMessage(2), "The list holds at most 32,767 files, so 2 dropped files were not added."},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(text, expected);
    }
}

// The script as written, byte for byte: the worked example (WorkedExample.bat beside the test),
// then awkward folders and names.
TEST(ScriptGoldenTest, WrittenScriptIsByteExact) {
    const struct {
        bool windows;
        const char* appDir;
        std::vector<std::string> entries;
        std::int16_t bitRate;
        std::string bytes; // or, behind "...", lines that stand in it in this order
    } cases[] = {
        // clang-format off
        {true, "C:\\Tools\\Conv", {"C:\\Tools\\Conv\\Intro.mp3", "C:\\Tools\\Conv\\Battle Theme.WAV",
         "C:\\Tools\\Conv\\readme.txt"}, 1024, test::ReadFile(AppInfo::AppDir() + "/WorkedExample.bat")},
        {false, "/srv/R&B|x<y>z^w 50% (Live)!", {"/a/Song.txt", "/a/Song.flac", "/a/wave"}, 2048,
         "cd /srv/R^&B^|x^<y^>z^^w 50%% (Live)!\r\n" + Tail},
        // The same file twice (Windows names fold case): the second is skipped once converted.
        {true, "C:\\m", {"C:\\m\\100% R&B ^!.mp3", "C:\\m\\100% r&b ^!.MP3"}, 512,
         "...title VQ3 Music Tool: 1 of 2: 100%% R^&B ^^!.mp3\r\n"
         "start /b /min /wait madplay.exe -o wave:\"100%% R&B ^!.wav\" \"100%% R&B ^!.mp3\"\r\n"
         "start /b /min /wait enc.exe \"100%% R&B ^!.wav\" \"100%% R&B ^!.aifr\" 512\r\n"
         "del \"100%% R&B ^!.wav\"\r\nif not exist \"100%% R&B ^!.aifr\" goto vq3_1_no_aifr\r\n"
         "ren \"100%% R&B ^!.aifr\" \"100%% R&B ^!.fda\"\r\n"
         "if exist \"100%% R&B ^!.aifr\" goto vq3_1_not_renamed\r\n"
         "if exist \"100%% R&B ^!.wav\" del \"100%% R&B ^!.wav\"\r\n"
         "title VQ3 Music Tool: 2 of 2: 100%% r^&b ^^!.MP3\r\n"
         "if exist \"100%% r&b ^!.fda\" goto vq3_3\r\n"
         "if defined VQ3_FAILED_1 echo \"100%% R&B ^!.mp3\": %VQ3_FAILED_1%\r\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.appDir);
        test::TempDir dir;
        const auto rules = c.windows ? PathRules::Windows() : PathRules::Posix();
        ASSERT_TRUE(WriteTextLines(dir / "vq3mc.bat",
                                   BuildConversionScript(c.entries, c.appDir, c.bitRate, rules))
                        .ok);
        const std::string written = test::ReadFile(dir / "vq3mc.bat");
        if (!c.bytes.starts_with("...")) {
            EXPECT_EQ(written, c.bytes);
            continue;
        }
        std::istringstream lines(c.bytes.substr(3));
        size_t at = 0;
        for (std::string line; std::getline(lines, line);) {
            at = written.find(line + "\n", at);
            ASSERT_NE(at, std::string::npos) << line << " is not in\n" << written;
            at += line.size();
        }
    }
}

// Kinds and descriptor paths go by the last three characters (not bytes) and nothing else.
TEST(EntryTest, KindAndDescriptorPathFollowTheLastThreeCharacters) {
    // clang-format off
    const std::tuple<const char*, TrackKind, const char*> cases[] = {
        {"C:\\Tools\\Conv\\Intro.mp3", TrackKind::Mp3, "C:\\Tools\\Conv\\Intro.lua"},
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

// The progress the script's title shows reads back as it was written; any other title is none.
TEST(TrackTitleTest, ReadsBackWhatItWrites) {
    EXPECT_EQ(ParseTrackTitle(TrackTitle(3, 12, "Intro: 1 of 2.mp3")),
              (TrackProgress{3, 12, "Intro: 1 of 2.mp3"}));
    for (const char* other :
         {"VQ3 Music Tool", "VQ3 Music Tool: 0 of 2: a", "VQ3 Music Tool: 3 of 2: a",
          "VQ3 Music Tool: 1 of 2 a", "VQ3 Music Tool: x of 2: a", "VQ3: 1 of 2: a"}) {
        EXPECT_EQ(ParseTrackTitle(other), std::nullopt) << other;
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

// A name the script cannot hold: a snowman no console code page has, or a double quote.
#ifdef _WIN32
const std::string Odd = "\xE2\x98\x83";
#else
const std::string Odd = "Say \"Hi\"";
#endif

TEST_F(IntakeTest, AdmittedFilesAreListedBeforeTheNextRefusalIsShown) {
    for (const std::string name : {"A.mp3", "C.mp3", "Odd.mp3", "Odd.txt"}) {
        test::WriteFile(appDir / (name.starts_with("Odd") ? Odd + name.substr(3) : name), "a");
    }
    test::WriteFile(elsewhere / "B.mp3", "a");
    std::filesystem::create_directory(appDir.Path() / "Folder.wav");
    const std::string a = appDir / "A.mp3";
    const std::string otherC = elsewhere / "C.mp3";
    // An item of another machine is refused even when its name lies in appDir; a name the
    // script cannot hold only when it is an MP3 or WAV, as no other file's name goes into it.
    std::vector<DroppedFile> drop{{a},
                                  {otherC},
                                  {elsewhere / "B.mp3"},
                                  {a},
                                  {appDir / "Folder.wav"},
                                  {"A.mp3", true},
                                  {"/"},
                                  {appDir / (Odd + ".mp3")},
                                  {appDir / (Odd + ".txt")}};
    std::vector<std::string> expected{"list " + a,
                                      "list " + otherC,
                                      Refusal("B.mp3"),
                                      "list " + a,
                                      Refusal("Folder.wav"),
                                      Refusal("A.mp3"),
                                      Refusal(""),
                                      "message " + UnusableNameMessage(Odd + ".mp3"),
                                      "list " + appDir / (Odd + ".txt")};
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

// Eleven strangers and a name the script cannot hold: the tenth refusal is the last shown alone,
// the rest are counted per reason; and with room for one more entry, the other admitted files are
// counted too.
TEST_F(IntakeTest, RefusalsAfterTheTenthAndFilesBeyondTheRoomAreCounted) {
    test::WriteFile(appDir / "In.wav", "a");
    test::WriteFile(appDir / (Odd + ".wav"), "a");
    const std::string in = appDir / "In.wav";
    std::vector<DroppedFile> drop;
    std::vector<std::string> expected;
    for (char name = 'a'; name <= 'k'; ++name) {
        drop.push_back({elsewhere / std::string(1, name)});
        if (name <= 'j') {
            expected.push_back(Refusal(std::string(1, name)));
        }
    }
    drop.insert(drop.begin() + 10, {{in}, {appDir / (Odd + ".wav")}, {in}, {in}});
    expected.insert(expected.end(),
                    {"list " + in, "message " + MoreNotInAppDirMessage({"k"}, appDir.Str()),
                     "message " + MoreUnusableNamesMessage({Odd + ".wav"}),
                     "message " + ListFullMessage(2)});
    Drop(drop, 1);
    EXPECT_EQ(events, expected);
}

} // namespace
} // namespace vq3
