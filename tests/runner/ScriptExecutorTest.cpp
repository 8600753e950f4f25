#include "runner/ScriptExecutor.h"

#include "conversion/Script.h"
#include "platform/ConversionLock.h"
#include "platform/Files.h"
#include "platform/posix/ProgramLookup.h"
#include "runner/ChildProcess.h"
#include "runner/WaveFile.h"
#include "support/Executables.h"
#include "support/ScriptRuns.h"
#include "support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <regex>
#include <tuple>

namespace vq3::runner {
namespace {

namespace fs = std::filesystem;

struct RecordingHost : RunnerHost {
    void Transcript(std::string_view text) override { transcript += text; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void Pause(const StopRequest&) override {}
    std::string transcript;
    std::vector<std::string> messages;
};

// Runs the script's text and returns the messages.
std::vector<std::string> RunScript(const std::string& script, const std::string& dir) {
    RecordingHost host;
    const StopRequest stop;
    ScriptExecutor(host, dir, "/usr/bin:/bin", stop).Run(SplitScript(script));
    return host.messages;
}

// A script, lines joined by "|", and its summary; "DIR" stands for the test's folder.
using ScriptCase = std::pair<std::string, std::string>;

class FailureSummaryTest : public testing::TestWithParam<ScriptCase> {};

// Every failure is reported with its line and reason, and none touches the user's files.
TEST_P(FailureSummaryTest, NamesEachFailedLineAndItsReason) {
    test::TempDir dir;
    // Half an output, when there is none yet; then progress that ends its lines in CR, and the
    // last words.
    // The encoder fails (but on "D.wav"), the decoder leaves a WAV without sound (but for
    // "D.mp3", which fails once and then has sound).
    for (const char* program : {"fail.exe", "enc.exe"}) {
        test::WriteProgram(dir.Path() / program,
                           "[ \"$1\" != D.wav ] || exec cp D.wav \"$2\"; "
                           "[ -z \"$2\" ] || [ -e \"$2\" ] || echo half > \"$2\"; echo 1st >&2; "
                           "printf '50%%\\rbad thing \\r\\n\\n' >&2; exit 3");
    }
    test::WriteProgram(dir.Path() / "madplay.exe",
                       "case $3 in D.mp3) [ -e tried ] || { : > tried; exit 3; }; sound=4;; esac; "
                       "printf \"RIFF\\044\\0\\0\\0WAVEdata\\00${sound:-0}\\0\\0\\0abcd\" > "
                       "\"${2#wave:}\"");
    test::WriteFile(dir.Path() / "Song.wav", "user's");
    test::WriteFile(dir.Path() / "A.aifr", "new");
    test::WriteFile(dir.Path() / "A.fda", "old");
    fs::create_directory(dir.Path() / "Folder.aifr");
    const auto fill = [&](const std::string& text) {
        return std::regex_replace(std::regex_replace(text, std::regex("\\|"), "\r\n"),
                                  std::regex("DIR"), dir.Str());
    };
    EXPECT_EQ(RunScript(fill(GetParam().first), dir.Str()),
              std::vector<std::string>{fill(GetParam().second)});
    EXPECT_EQ(test::ReadFile(dir.Path() / "Song.wav"), "user's");
    EXPECT_EQ(test::ReadFile(dir.Path() / "A.aifr"), "new");
    EXPECT_FALSE(fs::exists(dir.Path() / "B.aifr") || fs::exists(dir.Path() / "C.wav"));
    EXPECT_EQ(test::ReadFile(dir.Path() / "A.fda"), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FailureSummaryTest,
    testing::Values(
        ScriptCase{"start /b /min /wait fail.exe|start /b /min /wait missing.exe|dir hello|"
                   "start /x fail.exe|if maybe x|set =3|goto nowhere|start fail.exe|"
                   "msg * All files have been converted!",
                   "Not every file was converted: 7 lines of the conversion script failed.\n"
                   "Line 1 (start /b /min /wait fail.exe): 'fail.exe' failed: it ended with exit "
                   "status 3, saying \"bad thing\".\n"
                   "Line 2 (start /b /min /wait missing.exe): 'missing.exe' was not found in "
                   "'DIR' or on the search path.\n"
                   "Line 3 (dir hello): 'dir' is not a command this interpreter runs.\n"
                   "Line 4 (start /x fail.exe): start has no option '/x'.\n"
                   "Line 5 (if maybe x): if has no condition 'maybe x' this interpreter knows.\n"
                   "Line 6 (set =3): set takes NAME=VALUE, or /a NAME=NUMBER or NAME+=NUMBER.\n"
                   "Line 7 (goto nowhere): the label 'nowhere' cannot be found."},
        // A failed encoder's half output goes, and a decode without sound; a failed encoder's
        // output name that was the user's file before stays.
        ScriptCase{
            "start /b /min /wait enc.exe \"Song.wav\" \"B.aifr\" 256|ren \"B.aifr\" \"B.fda\"|"
            "start /b /min /wait enc.exe \"Song.wav\" \"A.aifr\" 256|ren \"A.aifr\" \"A.fda\"|"
            "start /b /min /wait madplay.exe -o wave:\"C.wav\" \"C.mp3\"|ren \"C.aifr\" \"C.fda\"",
            "Not every file was converted: 3 lines of the conversion script failed, and 3 "
            "skipped.\n"
            "Line 1 (start /b /min /wait enc.exe \"Song.wav\" \"B.aifr\" 256): 'enc.exe' "
            "failed: it ended with exit status 3, saying \"bad thing\".\n"
            "Line 2 (ren \"B.aifr\" \"B.fda\"): " +
                std::string(SkippedReason) +
                ".\n"
                "Line 3 (start /b /min /wait enc.exe \"Song.wav\" \"A.aifr\" 256): 'enc.exe' "
                "failed: it ended with exit status 3, saying \"bad thing\".\n"
                "Line 4 (ren \"A.aifr\" \"A.fda\"): " +
                SkippedReason +
                ".\n"
                "Line 5 (start /b /min /wait madplay.exe -o wave:\"C.wav\" \"C.mp3\"): "
                "'madplay.exe' wrote no audio to 'C.wav'.\n"
                "Line 6 (ren \"C.aifr\" \"C.fda\"): " +
                SkippedReason + "."},
        // A track's decode that fails and then, listed again, succeeds is converted.
        ScriptCase{"start /b /min /wait madplay.exe -o wave:\"D.wav\" \"D.mp3\"|"
                   "start /b /min /wait madplay.exe -o wave:\"D.wav\" \"D.mp3\"|"
                   "start /b /min /wait enc.exe \"D.wav\" \"D.aifr\" 256|ren \"D.aifr\" \"D.fda\"",
                   "Not every file was converted: 1 line of the conversion script failed.\n"
                   "Line 1 (start /b /min /wait madplay.exe -o wave:\"D.wav\" \"D.mp3\"): "
                   "'madplay.exe' failed: it ended with exit status 3."},
        ScriptCase{"cd DIR/gone|del \"Song.wav\"",
                   "Not every file was converted: 1 line of the conversion script failed.\n"
                   "Line 1 (cd DIR/gone): the folder 'DIR/gone' cannot be found."},
        ScriptCase{"ren \"A.aifr\" \"A.fda\"|ren \"C.aifr\" \"C.fda\"|ren \"A.aifr\" \"sub/A.fda\"|"
                   "ren \"Folder.aifr\" \"Folder.fda\"|del \"Folder.aifr\"",
                   "Not every file was converted: 5 lines of the conversion script failed.\n"
                   "Line 1 (ren \"A.aifr\" \"A.fda\"): 'A.aifr' cannot be renamed: 'A.fda' "
                   "already exists.\n"
                   "Line 2 (ren \"C.aifr\" \"C.fda\"): 'C.aifr' cannot be renamed: No such file "
                   "or directory.\n"
                   "Line 3 (ren \"A.aifr\" \"sub/A.fda\"): the new name 'sub/A.fda' must be a "
                   "file name without a folder.\n"
                   "Line 4 (ren \"Folder.aifr\" \"Folder.fda\"): the file 'Folder.aifr' cannot be "
                   "found.\n"
                   "Line 5 (del \"Folder.aifr\"): the file 'Folder.aifr' cannot be found."}));

// Blank lines keep their numbers, and a long summary names ten lines and counts the rest.
TEST(FailureSummaryCutTest, NumbersCountBlankLinesAndTheListStopsAfterTen) {
    test::TempDir dir;
    for (const int failing : {10, 11}) {
        std::string script = "\r\n";
        for (int i = 0; i < failing; ++i) {
            script += "x\r\n";
        }
        const auto messages = RunScript(script, dir.Str());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("\nLine 11 (x): 'x' is not a command"), std::string::npos);
        EXPECT_EQ(messages[0].find("\nLine 12 ("), std::string::npos);
        EXPECT_TRUE(messages[0].ends_with(failing == 11 ? "runs.\nAnd 1 more." : "runs."))
            << messages[0];
    }
}

// The runs Windows' command interpreter is given, through this one: the same files, the same
// list in the window, and a summary instead of the completion message.
TEST(ScriptRunsTest, AFailedTrackIsCleanedUpListedAndReported) {
    for (const test::ScriptRun& run : test::ScriptRuns()) {
        SCOPED_TRACE(run.how);
        test::TempDir base;
        const std::string dir = test::PrepareRun(base, run, STAND_IN_ENCODER);
        RecordingHost host;
        const StopRequest stop;
        const int status = ScriptExecutor(host, base.Str(), "/nonexistent", stop)
                               .Run(SplitScript(test::ReadFile(dir + "/vq3mc.bat")));
        test::ExpectFolderAfter(FsPath(dir), run);
        if (run.record.empty()) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(host.messages, std::vector<std::string>{"All files have been converted!"});
            EXPECT_TRUE(host.transcript.ends_with(dir + ">exit\n"));
        } else {
            EXPECT_EQ(status, 1);
            EXPECT_NE(host.transcript.find("These files were not converted:\n\"" + run.tracks[1] +
                                           "\": " + run.record + "\n" + PausePrompt),
                      std::string::npos)
                << host.transcript;
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_TRUE(host.messages[0].starts_with("Not every file was converted: 1 line"))
                << host.messages[0];
        }
    }
}

// The name as the script names it; the files in the working folder "work" and the search
// path's "bin" ("x" a program, "x:MZ" a Windows program, "x:text" a file that cannot run, "x/" a
// folder); the command words found.
using Words = std::vector<std::string>;
using LookupCase = std::tuple<const char*, Words, Words>;

class ProgramLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(ProgramLookupTest, FindsTheProgramInItsOrder) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.Path() / "work");
    std::filesystem::create_directories(dir.Path() / "bin");
    const auto& [name, files, found] = GetParam();
    for (const std::string& file : files) {
        const std::string path = dir / file.substr(0, file.find(':'));
        if (file.ends_with("/")) {
            std::filesystem::create_directory(path);
        } else if (file.ends_with(":MZ") || file.ends_with(":text")) {
            test::WriteFile(path, file.ends_with(":MZ") ? "MZ\x90" : "text");
        } else {
            test::WriteProgram(path, "exit 0");
        }
    }
    std::vector<std::string> expected;
    for (const std::string& file : found) {
        expected.push_back(dir / file);
    }
    EXPECT_EQ(FindProgram(name, dir / "work", "/nonexistent:" + (dir / "bin")).value_or(Words{}),
              expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Order, ProgramLookupTest, testing::Values(
    LookupCase{"enc.exe", {"work/enc.exe", "bin/enc"}, {"work/enc.exe"}},
    LookupCase{"madplay.exe", {"work/madplay.exe:MZ", "bin/wine"}, {"bin/wine", "work/madplay.exe"}},
    LookupCase{"madplay.exe", {"work/madplay.exe:MZ", "bin/madplay"}, {"bin/madplay"}},
    LookupCase{"enc.EXE", {"work/enc", "bin/enc"}, {"work/enc"}}, LookupCase{"", {"bin/enc"}, {}},
    LookupCase{"enc.exe", {"work/enc.exe:text", "bin/enc/"}, {}},
    LookupCase{"sub/enc.exe", {"bin/enc"}, {}}));
// clang-format on

// A line as the script holds it; the command word, then the program's arguments.
using LineCase = std::pair<const char*, std::vector<std::string>>;

class ScriptSyntaxTest : public testing::TestWithParam<LineCase> {};

TEST_P(ScriptSyntaxTest, ReadsALineAsTheCommandInterpreterAndAWindowsProgramWould) {
    const CommandParts command = SplitCommand(UnescapeBatchLine(GetParam().first));
    std::vector<std::string> words = SplitWindowsCommandLine(command.rest);
    words.insert(words.begin(), command.name);
    EXPECT_EQ(words, GetParam().second);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, ScriptSyntaxTest, testing::Values(
    LineCase{"start /b madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"",
             {"start", "/b", "madplay.exe", "-o", "wave:Intro.wav", "Intro.mp3"}},
    LineCase{"  ENC.exe \"Battle Theme.WAV\"   \"Battle Theme.aifr\"\t1024",
             {"enc.exe", "Battle Theme.WAV", "Battle Theme.aifr", "1024"}},
    LineCase{"cd /srv/R^&B 100%%", {"cd", "/srv/R&B", "100%"}}, LineCase{"x end^", {"x", "end"}},
    LineCase{"del \"100%% ^ Mix.wav\"", {"del", "100% ^ Mix.wav"}}, LineCase{"", {""}},
    LineCase{"cd a^^b^|c^<d^>e", {"cd", "a^b|c<d>e"}}, LineCase{"exit  ", {"exit"}},
    LineCase{"x \"in^side\" out^side", {"x", "in^side", "outside"}},
    LineCase{"x lone % %%%", {"x", "lone", "%"}},
    LineCase{"x %UNSET%y %1%*z", {"x", "y", "z"}}, LineCase{"del \"\"", {"del", ""}},
    LineCase{"x bang! (paren)", {"x", "bang!", "(paren)"}},
    LineCase{"x a\\b c\\\\d", {"x", "a\\b", "c\\\\d"}},
    LineCase{"x \"a\\\"b\" \"c\\\\\" d", {"x", "a\"b", "c\\", "d"}}));
// clang-format on

// Each stop signal becomes a request to stop instead of ending the runner.
TEST(StopRequestTest, EachStopSignalIsTakenOver) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const StopRequest stop;
        stop.TakeOverStopSignals();
        std::raise(signal);
        EXPECT_TRUE(stop.Requested()) << signal;
    }
}

// A started program gets nothing of the runner's: its input is empty, it leads a process group
// of its own, and no file the runner holds open (the lock, the stop request's pipe, whatever it
// inherited) reaches it.
TEST(ChildProcessTest, AStartedProgramInheritsNothingOfTheRunners) {
    test::TempDir dir;
    std::string whyNot;
    const auto lock = ConversionLock::Take(dir.Str(), whyNot);
    const StopRequest stop;
    stop.TakeOverStopSignals();
    std::string output;
    const OutputSink collect = [&](std::string_view text) { output += text; };
    // The runner's own input is a pipe here: the program must not get it.
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    const int ownInput = dup(STDIN_FILENO);
    dup2(input[0], STDIN_FILENO);
    ASSERT_TRUE(RunAndWait({"/bin/sh", "-c",
                            "readlink /proc/$$/fd/0; [ $(cut -d' ' -f5 /proc/$$/stat) = $$ ] && "
                            "echo leader; exec ls /proc/self/fd"},
                           dir.Str(), &collect, &stop)
                    .ok);
    dup2(ownInput, STDIN_FILENO);
    for (const int fd : {ownInput, input[0], input[1]}) {
        close(fd);
    }
    EXPECT_EQ(output, "/dev/null\nleader\n0\n1\n2\n3\n");
}

// A WAV holds sound only when its data chunk has some, in the file and not just in its header.
TEST(WaveFileTest, SoundIsWhatTheDataChunkHolds) {
    const auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const std::string riff = "RIFF" + le32(100) + "WAVE";
    const std::string fmt = "fmt " + le32(16) + std::string(16, '\1');
    const std::pair<std::string, bool> cases[] = {
        {riff + fmt + "data" + le32(4) + "\1\2\3\4", true},
        {riff + "LIST" + le32(3) + "abc" + std::string(1, '\0') + fmt + "data" + le32(2) + "xy",
         true},
        {riff + fmt + "data" + le32(0), false},
        {riff + fmt + "data" + le32(4096), false},
        {riff + fmt + "junk" + le32(0xFFFFFFF0) + "data" + le32(4) + "abcd", false},
        {riff + fmt, false},
        {"RIFX" + le32(100) + "WAVE" + fmt + "data" + le32(4) + "abcd", false},
        {"RIFF" + le32(100) + "AVI " + fmt + "data" + le32(4) + "abcd", false},
        {"RIFF", false},
    };
    test::TempDir dir;
    for (const auto& [bytes, sound] : cases) {
        test::WriteFile(dir.Path() / "t.wav", bytes);
        EXPECT_EQ(HoldsAudio(dir / "t.wav"), sound) << bytes;
    }
}

} // namespace
} // namespace vq3::runner
