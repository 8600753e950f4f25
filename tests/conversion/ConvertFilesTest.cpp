#include "conversion/ConvertFiles.h"

#include "conversion/Messages.h"
#include "support/RecordingPlatform.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vq3 {
namespace {

namespace fs = std::filesystem;
using namespace test;
using Listing = std::vector<std::string>;
// A folder's items by name: a file's content, "/" (a folder), "@target" (a symbolic link), "|" (a
// named pipe), "+" (a program that runs) or "-" (one that cannot); expected, "*" is any file.
using Folder = std::map<std::string, std::string>;

const std::string D = "version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
const std::string Lock = ConversionLockName;
const std::string S = PathRules::Host().JoinPath("", ""); // the separator

void Make(const fs::path& path, const std::string& content) {
    if (content == "/") {
        fs::create_directory(path);
    } else if (content.starts_with("@")) {
        fs::create_symlink(content.substr(1), path);
#ifndef _WIN32
    } else if (content == "|") {
        mkfifo(path.c_str(), 0644);
#endif
    } else {
        WriteFile(path, content);
        fs::permissions(path, fs::perms(content == "+" ? 0755 : 0644));
    }
}

std::string Seen(const fs::directory_entry& item, const std::string& wanted) {
    return item.is_symlink()     ? "@" + Utf8Of(fs::read_symlink(item.path()))
           : item.is_directory() ? "/"
           : item.is_fifo()      ? "|"
           : wanted == "*"       ? "*"
                                 : ReadFile(item.path());
}

struct ConvertCase {
    const char* name;
    Folder before;
    Listing entries;  // in the folder
    Listing messages; // "$" stands for the folder
    Folder gained;
    std::string folder = ""; // below the test's folder; "\\\\?\\": the test's, so spelled
    std::string launchFailure = "";
    Folder programs = {{"enc.exe", "+"}, {"madplay.exe", "+"}};
    // Another conversion of the folder is started while this one writes its first descriptor.
    bool anotherMeanwhile = false;
};

std::vector<ConvertCase> Cases() {
    // clang-format off
    const std::string again = ", then convert again.  Nothing was converted.";
    const std::string pipe = "' could not be written: a pipe or device of that name is in the way.  The conversion was not started.";
    return {
        {"EmptyList", {}, {}, {"No files to convert!"}, {}},
        {"OtherOnly", {{"Song.txt", "a"}, {"vq3mc.bat", "old"}}, {"Song.txt"}, {ConversionBegunMessage}, {{"Song.lua", D}, {Lock, ""}, {"vq3mc.bat", "*"}}},
        {"ListedLuaFilesAreNoTargetsAndOldDescriptorsReplaced", {{"Intro.mp3", "a"}, {"Intro.lua", "mine"}, {"Other.wav", "a"}, {"Other.lua", D}}, {"Intro.mp3", "Intro.lua", "Other.wav"}, {ConversionBegunMessage}, {{"Other.lua", D}, {Lock, ""}, {"vq3mc.bat", "*"}}, "R&B 100%"},
        {"ASecondConversionMeanwhileIsTurnedAway", {{"A.wav", "a"}, {"B.wav", "a"}}, {"A.wav", "B.wav"}, {"A conversion started in the application's directory, '$', is still running.  Wait until its window (currently minimized) has closed; if it lists files that were not converted, press a key there.  Then convert again.", ConversionBegunMessage}, {{"A.lua", D}, {"B.lua", D}, {Lock, ""}, {"vq3mc.bat", "*"}}, "", "", {{"enc.exe", "+"}}, true},
        {"OutputsInTheWay", {{"A.mp3", "a"}, {"A.fda", "a"}, {"B.wav", "a"}, {"B.aifr", "/"}, {"C.wav", "a"}}, {"A.mp3", "B.wav", "C.wav", "A.mp3"}, {"Converting needs the names 'A.fda' and 'B.aifr', but files of those names are already in the application's directory, '$', and the conversion never replaces a file.  Move or delete them" + again}, {{Lock, ""}}},
        {"DecodingOntoAUsersWave", {{"Song.wav", "mine"}, {"Other.wav", "/"}, {"Song.mp3", "a"}, {"Other.mp3", "a"}}, {"Song.mp3", "Other.mp3", "Song.mp3"}, {"Converting would overwrite and then delete 'Song.wav' and 'Other.wav' in the application's directory, '$', because the *.mp3 files of the same names are first decoded to those files.  Move or rename them" + again}, {{Lock, ""}}},
        {"NamesTheScriptCannotCarry", {{"Good.mp3", "a"}}, {"Good.mp3", "Say \"Hi\".mp3", "Tab\there.wav", "Line\nbreak.txt", "\"0.mp3", "\"1.mp3", "\"2.mp3", "\"3.mp3", "\"4.mp3", "\"5.mp3", "\"6.mp3", "\"7.mp3", "\"8.mp3"}, {"These files cannot be named in the conversion script: 'Say \"Hi\".mp3', 'Tab?here.wav', '\"0.mp3', '\"1.mp3', '\"2.mp3', '\"3.mp3', '\"4.mp3', '\"5.mp3', '\"6.mp3', '\"7.mp3' and 1 more.  " + std::string(HostWords().scriptCannotHold) + "  Rename them" + again}, {{Lock, ""}}},
        {"SettingsNotOurs", {{"Intro.lua", "volume = 0.3\r\n"}, {"Menu.lua", "/"}, {"Trim.lua", D + "x"}, {"A.mp3", "a"}, {"Intro.mp3", "a"}, {"Menu.wav", "a"}, {"Trim.wav", "a"}}, {"A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"}, {"Converting would replace '$" + S + "Intro.lua', '$" + S + "Menu.lua' and '$" + S + "Trim.lua' with track settings, but they are not settings files this tool wrote: your own file, a folder or a link.  Move or rename them" + again}, {{Lock, ""}}},
        {"ScriptInTheWay", {{"vq3mc.bat", "/"}, {"A.wav", "a"}}, {"A.wav"}, {"The file '$" + S + "vq3mc.bat' could not be written: a folder of that name is in the way.  The conversion was not started."}, {{Lock, ""}}},
        {"LaunchFailure", {{"A.wav", "a"}}, {"A.wav"}, {"The conversion script '$" + S + "vq3mc.bat' could not be started: No such file or directory.  No files will be converted."}, {{"A.lua", D}, {Lock, ""}, {"vq3mc.bat", "*"}}, "", "No such file or directory"},
#ifdef _WIN32
        // Names are compared without case: a listed "Notes.LUA" is its own descriptor path.
        {"ListedLuaFileInAnotherCase", {{"Notes.LUA", "keep"}}, {"Notes.LUA"}, {ConversionBegunMessage}, {{Lock, ""}, {"vq3mc.bat", "*"}}},
        // The Command Prompt cannot work in a folder named as a network share's.
        {"NetworkShare", {{"A.wav", "a"}}, {"A.wav"}, {"The application's directory, '$', is on a network share, which the Command Prompt cannot work in.  Copy VQ3MC and your music files to a drive with a letter (or map the share to one), then convert again.  Nothing was converted."}, {}, "\\\\?\\"},
        {"ProgramsMissing", {{"A.mp3", "a"}}, {"A.mp3"}, {MissingProgramsMessage("$", {"madplay.exe", "enc.exe"}, false)}, {{Lock, ""}}, "", "", {}},
        // The code page lacks a snowman; a-macron would best-fit to "a" and name another file;
        // the console's omega (437) is no letter of the programs' code page (1252).
        {"NamesOutsideTheConsolesCodePage", {{"Caf\xC3\xA9.mp3", "a"}}, {"Caf\xC3\xA9.mp3", "\xC4\x81.mp3", "\xE2\x98\x83.mp3", "\xCE\xA9.mp3"}, {UnusableNamesMessage({"\xC4\x81.mp3", "\xE2\x98\x83.mp3", "\xCE\xA9.mp3"}, WindowsWords)}, {{Lock, ""}}},
#else
        {"OneOutputOfTwoFiles", {{"Song.mp3", "a"}, {"Song.WAV", "a"}, {"Solo.MP3", "a"}, {"Solo.mp3", "a"}}, {"Song.mp3", "Solo.MP3", "Song.WAV", "Song.mp3", "Solo.mp3"}, {SharedOutputMessage({"Song.mp3", "Song.WAV", "Solo.MP3", "Solo.mp3"})}, {{Lock, ""}}},
        {"PipeForTheScript", {{"vq3mc.bat", "|"}, {"A.wav", "a"}}, {"A.wav"}, {"The file '$/vq3mc.bat" + pipe}, {{Lock, ""}}},
        {"SettingsBehindALinkOrAPipe", {{"Boss.lua", "@Keep.txt"}, {"Keep.txt", D}, {"Pipe.lua", "|"}, {"Boss.mp3", "a"}, {"Pipe.wav", "a"}}, {"Boss.mp3", "Pipe.wav"}, {DescriptorsInTheWayMessage({"$/Boss.lua", "$/Pipe.lua"})}, {{Lock, ""}}},
        // Debian's madplay, on the search path, stands in for madplay.exe.
        {"EncoderMissing", {{"A.mp3", "a"}}, {"A.mp3"}, {"Converting needs 'enc.exe', but it is neither in the application's directory, '$', nor on the search path as 'enc'.  Put it into the application's directory" + again}, {{Lock, ""}}, "", "", {}},
        {"EncoderCannotRun", {{"A.wav", "a"}}, {"A.wav"}, {"Converting needs 'enc.exe' in the application's directory, '$', but it cannot be run: not marked executable, or a Windows program while wine is not installed.  Nothing was converted."}, {{Lock, ""}}, "", "", {{"enc.exe", "-"}}},
        // Refused by its name alone: nothing is written, not even the lock file.
        {"FolderTheScriptCannotName", {{"A.wav", "a"}}, {"A.wav"}, {"The application's directory, '$', cannot be named in the conversion script.  " + std::string(HostWords().scriptCannotHold) + "  Move vq3mt, vq3run and your music files to another directory.  Nothing was converted."}, {}, "new\"line"},
#endif
    };
    // clang-format on
}

TEST(ConvertFilesTest, OutcomesMessagesAndFilesWritten) {
    const PathRules rules = PathRules::Host();
    for (const ConvertCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempDir base;
        const std::string prefix = c.folder == "\\\\?\\" ? c.folder : "";
        const fs::path dir = base.Path() / FsPath(prefix.empty() ? c.folder : "");
        const std::string folder = prefix + Utf8Of(dir);
        fs::create_directories(dir);
        Folder expected = c.before;
        expected.insert(c.programs.begin(), c.programs.end());
        for (const auto& [name, content] : expected) {
            Make(dir / FsPath(name), content);
        }
        Listing entries;
        for (const auto& name : c.entries) {
            entries.push_back(rules.JoinPath(folder, name));
        }
        RecordingPlatform platform;
        platform.launchFailure = c.launchFailure;
        // No box keeps the folder locked, save the one of a conversion turned away by another.
        // (Where the lock is a file, asking would make it: without one, nobody holds the folder.)
        size_t shownLocked = 0;
        platform.duringMessage = [&] {
            const bool asked = !rules.ForWindows() || fs::exists(dir / Lock);
            shownLocked += asked && ConversionRunning(folder) ? 1 : 0;
        };
        ConvertFiles(entries, 1024, folder, platform, rules, [&](size_t done, size_t) {
            if (c.anotherMeanwhile && done == 1) {
                ConvertFiles({rules.JoinPath(folder, "A.wav"), rules.JoinPath(folder, "New.txt")},
                             256, folder, platform);
            }
        });
        // The folder reads "$".
        const auto normal = [&](std::string text) {
            for (size_t at; (at = text.find(folder)) != std::string::npos;) {
                text.replace(at, folder.size(), "$");
            }
            return text;
        };
        std::transform(platform.messages.begin(), platform.messages.end(),
                       platform.messages.begin(), normal);
        EXPECT_EQ(platform.messages, c.messages);
        Folder after = c.gained; // what is gained replaces what was there
        after.insert(expected.begin(), expected.end());
        // Elsewhere the lock is the folder's own: no file of its name is made.
        if (!rules.ForWindows()) {
            after.erase(Lock);
        }
        Folder seen;
        for (const auto& item : fs::directory_iterator(dir)) {
            const std::string name = Utf8Of(item.path().filename());
            seen[name] = normal(Seen(item, after.contains(name) ? after[name] : ""));
        }
        EXPECT_EQ(seen, after);
        // Launched exactly when the script was written, and just as written; the lock let go.
        const std::string script = rules.JoinPath(folder, "vq3mc.bat");
        EXPECT_EQ(platform.launches,
                  c.gained.contains("vq3mc.bat")
                      ? Listing{script + " in " + folder + ": " + ReadFile(script)}
                      : Listing{});
        EXPECT_FALSE(ConversionRunning(folder));
        EXPECT_EQ(shownLocked, c.anotherMeanwhile ? 1u : 0u);
    }
}

} // namespace
} // namespace vq3
