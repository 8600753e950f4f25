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
using Listing = std::vector<std::string>;

const std::string D = "=version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
const std::string Tail = "msg * All files have been converted!\r\nexit\r\n";
const std::string Begun = LinuxWords.conversionBegun;
const std::string CannotHold = LinuxWords.scriptCannotHold;
const std::string Lock = ConversionLockName;

// A folder as a list: "name" (a file holding "a"), "name=content", "name/" (a folder),
// "name@target" (a symbolic link), "name|" (a named pipe).
std::map<std::string, std::string> Parse(const Listing& listing) {
    std::map<std::string, std::string> files;
    for (const auto& item : listing) {
        const size_t cut = item.find_first_of("=@/|");
        files[item.substr(0, cut)] = cut == std::string::npos ? "a"
                                     : item[cut] == '='       ? item.substr(cut + 1)
                                                              : item.substr(cut);
    }
    return files;
}

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
        test::WriteFile(path, content);
    }
}

std::string Seen(const fs::directory_entry& item) {
    return item.is_symlink()     ? "@" + Utf8Of(fs::read_symlink(item.path()))
           : item.is_directory() ? "/"
           : item.is_fifo()      ? "|"
                                 : test::ReadFile(item.path());
}

struct ConvertCase {
    const char* name;
    Listing before;      // beside enc.exe and madplay.exe, which can run; "name-": cannot
    Listing entries;     // below the folder
    std::string message; // "$" stands for the folder
    Listing gained;      // beyond `before` and the lock file; "name=*": any content
    std::string folder = "";
    std::string launchFailure = "";
    Listing programs = {"enc.exe", "madplay.exe"};
};

std::vector<ConvertCase> Cases() {
    Listing unusable{"Good.mp3", "Say \"Hi\".mp3", "Tab\there.wav", "Line\nbreak.txt"};
    for (int i = 0; i < 10; ++i) {
        unusable.push_back("\"" + std::to_string(i) + ".mp3");
    }
    const std::string notStarted = ".  The conversion was not started.";
    // clang-format off
    return {
        {"EmptyList", {}, {}, "No files to convert!", {}},
        {"OtherOnlyAndAnOldScriptTruncated", {"Song.txt", "vq3mc.bat=" + std::string(5000, 'x')}, {"Song.txt"}, Begun, {"Song.lua" + D, "vq3mc.bat=cd $\r\n" + Tail}},
        {"ListedLuaFilesAreNoTargetsAndOldDescriptorsReplaced", {"Intro.mp3", "Intro.lua=mine", "Other.wav", "Other.lua" + D}, {"Intro.mp3", "Intro.lua", "Other.wav"}, Begun, {"Other.lua" + D, "vq3mc.bat=*"}, "R&B 100%"},
        {"OutputsInTheWay", {"A.mp3", "A.fda", "B.wav", "B.aifr/", "C.wav"}, {"A.mp3", "B.wav", "C.wav", "A.mp3"}, NamesTakenMessage("$", {"A.fda", "B.aifr"}), {}},
        {"WavesAloneNeedNoDecoder", {"A.wav"}, {"A.wav"}, Begun, {"A.lua" + D, "vq3mc.bat=*"}, "", "", {"enc.exe"}},
        {"DecodingOntoAUsersWave", {"Song.wav=mine", "Other.wav/", "Song.mp3", "Other.mp3"}, {"Song.mp3", "Other.mp3", "Song.mp3"}, WaveCollisionMessage("$", {"Song.wav", "Other.wav"}), {}},
        {"NamesTheScriptCannotCarry", {"Good.mp3"}, unusable, "These files cannot be named in the conversion script: 'Say \"Hi\".mp3', 'Tab?here.wav', '\"0.mp3', '\"1.mp3', '\"2.mp3', '\"3.mp3', '\"4.mp3', '\"5.mp3', '\"6.mp3', '\"7.mp3' and 2 more.  " + CannotHold + "  Rename them, then convert again.  Nothing was converted.", {}},
        {"SettingsNotOurs", {"Intro.lua=volume = 0.3\r\n", "Menu.lua/", "Trim.lua" + D + "x", "A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"}, {"A.mp3", "Intro.mp3", "Menu.wav", "Trim.wav"}, DescriptorsInTheWayMessage({"$/Intro.lua", "$/Menu.lua", "$/Trim.lua"}), {}},
        {"ScriptInTheWay", {"vq3mc.bat/", "A.wav"}, {"A.wav"}, "The file '$/vq3mc.bat' could not be written: a folder of that name is in the way" + notStarted, {"A.lua" + D}},
        {"ScriptInTheWay", {"vq3mc.bat/", "A.wav"}, {"A.wav"}, "The file '$/vq3mc.bat' could not be written: a folder of that name is in the way" + notStarted, {"A.lua" + D}},
        {"LaunchFailure", {"A.wav"}, {"A.wav"}, "The conversion script '$/vq3mc.bat' could not be started: No such file or directory.  No files will be converted.", {"A.lua" + D, "vq3mc.bat=*"}, "", "No such file or directory"},
#ifdef _WIN32
        {"ProgramsMissing", {"A.mp3"}, {"A.mp3"}, MissingProgramsMessage("$", {"madplay.exe", "enc.exe"}, false), {}, "", "", {}},
        // The code page lacks a snowman; a-macron would best-fit to "a" and name another file.
        {"NamesOutsideTheConsolesCodePage", {"Caf\xC3\xA9.mp3"}, {"Caf\xC3\xA9.mp3", "\xC4\x81.mp3", "\xE2\x98\x83.mp3"}, UnusableNamesMessage({"\xC4\x81.mp3", "\xE2\x98\x83.mp3"}, LinuxWords), {}},
#else
        {"PipeForTheScript", {"vq3mc.bat|", "A.wav"}, {"A.wav"}, "The file '$/vq3mc.bat' could not be written: a pipe or device of that name is in the way" + notStarted, {"A.lua" + D}},
        {"PipeForTheLock", {"vq3mc.lock|", "A.wav"}, {"A.wav"}, "The file '$/vq3mc.lock' could not be written: a pipe or device of that name is in the way" + notStarted, {}},
        {"LinkForTheLock", {"vq3mc.lock@A.wav", "A.wav"}, {"A.wav"}, "The file '$/vq3mc.lock' could not be written: it is a link, which is never followed" + notStarted, {}},
        {"SettingsBehindALinkOrAPipe", {"Boss.lua@Keep.txt", "Keep.txt" + D, "Pipe.lua|", "Boss.mp3", "Pipe.wav"}, {"Boss.mp3", "Pipe.wav"}, DescriptorsInTheWayMessage({"$/Boss.lua", "$/Pipe.lua"}), {}},
        // Debian's madplay, on the search path, stands in for madplay.exe.
        {"EncoderMissing", {"A.mp3"}, {"A.mp3"}, MissingProgramsMessage("$", {"enc.exe"}, true), {}, "", "", {}},
        {"EncoderCannotRun", {"A.wav"}, {"A.wav"}, ProgramsCannotRunMessage("$", {"enc.exe"}), {}, "", "", {"enc.exe-"}},
        {"FolderTheScriptCannotName", {"A.wav"}, {"A.wav"}, "The application's directory, '$', cannot be named in the conversion script.  " + CannotHold + "  Move vq3mt, vq3run and your music files to another directory.  Nothing was converted.", {}, "new\nline"},
#endif
    };
    // clang-format on
}

std::string Expand(std::string text, const std::string& folder) {
    for (size_t at; (at = text.find('$')) != std::string::npos;) {
        text.replace(at, 1, folder);
    }
    return text;
}

TEST(ConvertFilesTest, OutcomesMessagesAndFilesWritten) {
    for (const ConvertCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        test::TempDir base;
        const std::string folder = base / c.folder;
        fs::create_directories(FsPath(folder));
        auto expected = Parse(c.before);
        for (const auto& [name, content] : expected) {
            Make(FsPath(folder) / FsPath(name), content);
        }
        for (std::string program : c.programs) {
            const bool runs = !program.ends_with('-');
            program.resize(program.size() - (runs ? 0 : 1));
            test::WriteFile(FsPath(folder) / program, "x");
            fs::permissions(FsPath(folder) / program, fs::perms(runs ? 0755 : 0644));
            expected[program] = "x";
        }
        Listing entries;
        for (const auto& name : c.entries) {
            entries.push_back(folder + "/" + name);
        }
        test::RecordingPlatform platform;
        platform.launchFailure = c.launchFailure;
        ConvertFiles(entries, 1024, folder, platform, PathRules::Posix());

        // Control characters are shown as "?".
        std::string shownFolder = folder;
        std::replace(shownFolder.begin(), shownFolder.end(), '\n', '?');
        EXPECT_EQ(platform.messages, Listing{Expand(c.message, shownFolder)});
        for (const auto& [name, content] : Parse(c.gained)) {
            expected[name] = content;
        }
        if (!c.entries.empty()) {
            expected.emplace(Lock, "");
        }
        std::map<std::string, std::string> seen;
        for (const auto& item : fs::directory_iterator(FsPath(folder))) {
            const std::string name = Utf8Of(item.path().filename());
            const auto want = expected.find(name);
            seen[name] = want != expected.end() && want->second == "*" ? "*" : Seen(item);
        }
        for (auto& [name, content] : expected) {
            content = Expand(content, folder);
        }
        EXPECT_EQ(seen, expected);
        // Launched exactly when the script was written, and just as written.
        ASSERT_EQ(platform.launches.size(), Parse(c.gained).count("vq3mc.bat"));
        for (const auto& launch : platform.launches) {
            EXPECT_EQ(std::tie(launch.scriptPath, launch.workingDir, launch.scriptContent),
                      std::make_tuple(folder + "/vq3mc.bat", folder,
                                      test::ReadFile(FsPath(folder) / "vq3mc.bat")));
        }
    }
}

// Under Windows' rules: Windows' words, names compared without case (a listed "Notes.LUA" is its
// own descriptor path), and a folder on a network share refused.
TEST(ConvertFilesTest, WindowsRulesAndWords) {
    test::TempDir dir;
    test::WriteFile(dir / "Notes.LUA", "keep");
    test::RecordingPlatform platform;
    // The folder ends in "/" so that the script, joined with "\\", still lands in it on Linux.
    ConvertFiles({dir / "Notes.LUA"}, 1024, dir.Str() + "/", platform, PathRules::Windows());
    EXPECT_EQ(test::ReadFile(dir / "Notes.LUA"), "keep");
    // Notes.LUA, the lock and the script: no Notes.lua beside them.
    EXPECT_EQ(test::FilesIn(dir.Path()).size(), 3u);
    // A path with two separators in front, as a network share's, and still the same folder.
#ifdef _WIN32
    const std::string share = "\\\\?\\" + dir.Str();
#else
    const std::string share = "/" + dir.Str();
#endif
    ConvertFiles({"//s/A.wav"}, 1024, share, platform, PathRules::Windows());
    EXPECT_EQ(platform.messages,
              (Listing{"The conversion process has begun, when the Command Prompt window "
                       "(currently minimized) closes itself, your music files will all be "
                       "converted properly.  You can now close VQ3MC while the conversion "
                       "process runs.",
                       "The application's directory, '" + share +
                           "', is on a network share, which the Command Prompt cannot work in.  "
                           "Copy VQ3MC and your music files to a drive with a letter (or map the "
                           "share to one), then convert again.  Nothing was converted."}));
}

// Two conversions started together in one folder: the one started while the other writes its
// files writes nothing, the script started is the first one's, and once it has been handed over
// and let go, the folder is free again.
TEST(ConvertFilesTest, ASecondConversionStartedMeanwhileWritesNothing) {
    test::TempDir dir;
    for (const char* name : {"A.wav", "B.wav", "enc.exe"}) {
        test::WriteFile(dir / name, "a");
    }
    fs::permissions(dir.Path() / "enc.exe", fs::perms(0755));
    test::RecordingPlatform platform;
    std::set<std::string> meanwhile;
    ConvertFiles({dir / "A.wav", dir / "B.wav"}, 512, dir.Str(), platform, PathRules::Host(),
                 [&](size_t done, size_t) {
                     if (done == 1) {
                         ConvertFiles({dir / "B.wav"}, 256, dir.Str(), platform);
                         meanwhile = test::FilesIn(dir.Path());
                     }
                 });
    EXPECT_EQ(meanwhile, (std::set<std::string>{"A.wav", "B.wav", "enc.exe", Lock, "A.lua"}));
    EXPECT_EQ(platform.messages,
              (Listing{ConversionRunningMessage(dir.Str()), ConversionBegunMessage}));
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_NE(platform.launches[0].scriptContent.find("\"B.aifr\" 512\r\n"), std::string::npos);
    EXPECT_FALSE(test::ConversionRunning(dir.Str()));
}

} // namespace
} // namespace vq3
