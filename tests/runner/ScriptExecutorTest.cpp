#include "runner/ScriptExecutor.h"

#include "conversion/Script.h"
#include "conversion/ScriptNames.h"
#include "platform/Files.h"
#include "platform/posix/ConversionLock.h"
#include "platform/posix/ProgramLookup.h"
#include "runner/ChildProcess.h"
#include "runner/Messages.h"
#include "runner/WaveFile.h"
#include "runner/WrittenFiles.h"
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
    void Outcome(const RunOutcome& outcome) override { outcomes.push_back(OutcomeText(outcome)); }
    void Pause(const StopRequest&) override {}
    std::string transcript;
    std::vector<std::string> messages;
    std::vector<std::string> outcomes;
};

// Whether a program of the folder still runs (a zombie has ended, and has no executable).
bool SomethingRunsFrom(const fs::path& dir) {
    for (const auto& process : fs::directory_iterator("/proc")) {
        std::error_code ignored;
        if (fs::read_symlink(process.path() / "exe", ignored).parent_path() == dir) {
            return true;
        }
    }
    return false;
}

// The runs Windows' command interpreter is given, through this one: the same files, the same
// list in the window, the script's own message with why each file failed, and nothing the run
// started still running.
TEST(ScriptRunsTest, EachTrackEndsAsTheScriptSays) {
    for (const test::ScriptRun& run : test::ScriptRuns()) {
        SCOPED_TRACE(run.how);
        test::TempDir base;
        const std::string dir = test::PrepareRun(base, run, STAND_IN_ENCODER);
        const std::string script = test::ReadFile(dir + "/vq3mc.bat");
        RecordingHost host;
        const StopRequest stop;
        const int status =
            ScriptExecutor(host, base.Str(), "/nonexistent", stop).Run(SplitScript(script));
        test::ExpectFolderAfter(FsPath(dir), run);
        EXPECT_FALSE(SomethingRunsFrom(dir));
        const std::string count = std::to_string(run.tracks.size());
        if (run.record.empty()) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(host.messages, std::vector<std::string>{"All files have been converted!"});
            EXPECT_EQ(host.outcomes,
                      std::vector<std::string>{count + " of " + count + " converted"});
            continue;
        }
        EXPECT_EQ(status, 1);
        EXPECT_NE(host.transcript.find("These files were not converted:\n\"" + run.tracks[1] +
                                       "\": " + run.record + "\n" + PausePrompt),
                  std::string::npos)
            << host.transcript;
        // Whatever the script's failure message says, with its count filled in.
        const size_t msg = script.rfind("msg * ", script.find("\r\npause\r\n"));
        const std::string words = ExpandPercents(
            script.substr(msg + 6, script.find('\r', msg) - msg - 6), [](std::string_view name) {
                return std::optional<std::string>(name == script_names::NotConvertedVariable ? "1"
                                                                                             : "");
            });
        const std::string added = std::regex_replace(run.added, std::regex("DIR"), dir);
        EXPECT_EQ(host.messages, std::vector<std::string>{words + "\n\n'" + run.tracks[1] +
                                                          "': " + run.record + added + "."});
        EXPECT_EQ(host.outcomes,
                  std::vector<std::string>{"2 of " + count + " converted, 1 not converted"});
    }
}

// A script that tests nothing (the commands alone, as the tool wrote them at first), or lines
// that fail on their own: the runner says what failed instead of the success message, and a
// failed program's half output never gets the final name. "DIR" stands for the test's folder,
// "|" for a line end.
using ScriptCase = std::pair<std::string, std::string>;

class UntestedFailureTest : public testing::TestWithParam<ScriptCase> {};

TEST_P(UntestedFailureTest, TheRunnerTellsWhatFailed) {
    test::TempDir dir;
    test::WriteProgram(dir.Path() / "fail.exe",
                       "echo 1st >&2; printf '50%%\\rbad thing \\r\\n\\n' >&2; exit 3");
    fs::copy_file(STAND_IN_ENCODER, dir.Path() / "enc.exe");
    test::WriteFile(dir.Path() / "A [enc partial].wav", "RIFF....WAVE");
    test::WriteFile(dir.Path() / "A.fda", "old");
    fs::create_directory(dir.Path() / "Folder.aifr");
    const auto fill = [&](const std::string& text) {
        return std::regex_replace(std::regex_replace(text, std::regex("\\|"), "\r\n"),
                                  std::regex("DIR"), dir.Str());
    };
    RecordingHost host;
    const StopRequest stop;
    EXPECT_EQ(ScriptExecutor(host, dir.Str(), "/usr/bin:/bin", stop)
                  .Run(SplitScript(fill(GetParam().first))),
              1);
    EXPECT_EQ(host.messages, std::vector<std::string>{fill(GetParam().second)});
    EXPECT_EQ(test::FilesIn(dir.Path()),
              (std::set<std::string>{"A [enc partial].wav", "A.fda", "Folder.aifr", "enc.exe",
                                     "fail.exe"}));
    EXPECT_EQ(test::ReadFile(dir.Path() / "A.fda"), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, UntestedFailureTest,
    testing::Values(
        ScriptCase{"start /b /min /wait enc.exe \"A [enc partial].wav\" \"B.aifr\" 256|"
                   "ren \"B.aifr\" \"B.fda\"|msg * All files have been converted!|exit",
                   "Not every file was converted.\n\n"
                   "'enc.exe' failed: it ended with exit status 2, saying \"stand-in: stopped "
                   "half-way\".\n'B.aifr' cannot be renamed: No such file or directory."},
        ScriptCase{"if maybe x|start /b /min /wait fail.exe|start /b /min /wait missing.exe|"
                   "dir hello|start /x fail.exe|set =3|start|x|x|x|x|goto nowhere|x",
                   "Not every file was converted.\n\n"
                   "if has no condition 'maybe x' this interpreter knows.\n"
                   "'fail.exe' failed: it ended with exit status 3, saying \"bad thing\".\n"
                   "'missing.exe' was not found in 'DIR' or on the search path.\n"
                   "'dir' is not a command this interpreter runs.\n"
                   "start has no option '/x'.\n"
                   "set takes NAME=VALUE, or /a NAME=NUMBER or NAME+=NUMBER.\n"
                   "start names no program.\n'x' is not a command this interpreter runs.\n"
                   "'x' is not a command this interpreter runs.\n'x' is not a command this "
                   "interpreter runs.\nAnd 2 more."},
        ScriptCase{
            "ren \"A.aifr\" \"A.fda\"|ren \"A.fda\" \"sub/A.fda\"|ren \"A.fda\" \"A.fda\"|"
            "ren \"Folder.aifr\" \"Folder.fda\"|del \"Folder.aifr\"|cd DIR/gone|del \"A.fda\"",
            "Not every file was converted.\n\n"
            "'A.aifr' cannot be renamed: No such file or directory.\n"
            "the new name 'sub/A.fda' must be a file name without a folder.\n"
            "'A.fda' cannot be renamed: 'A.fda' already exists.\n"
            "the file 'Folder.aifr' cannot be found.\n"
            "the file 'Folder.aifr' cannot be found.\n"
            "the folder 'DIR/gone' cannot be found."}));

// What a program writes is unfinished until its track is: a failed program's new files go at
// once, a stop takes the current track's, and no file that was there before is ever touched.
// The decoder's prefix is the vocabulary's, whatever it is.
TEST(WrittenFilesTest, RemovesOnlyWhatTheTracksProgramsMade) {
    test::TempDir dir;
    for (const std::string& prefix :
         {std::string(script_names::DecodedWavePrefix), std::string("pcm=")}) {
        ScriptVocabulary vocabulary;
        vocabulary.decodedWavePrefix = prefix;
        WrittenFiles written(vocabulary);
        const auto run = [&](const std::vector<std::string>& args, const char* writes) {
            written.ProgramStarting(args, dir.Str());
            test::WriteFile(dir.Path() / writes, "new");
        };
        test::WriteFile(dir.Path() / "Song.wav", "user's");
        run({"dec", "-o", prefix + "Done.wav", "Done.mp3"}, "Done.wav");
        written.TrackFinished();
        run({"dec", "-o", prefix + "New.wav", "In.mp3"}, "New.wav");
        EXPECT_EQ(written.DecodedWave({"dec", "-o", prefix + "New.wav"}), "New.wav");
        run({"enc", "Song.wav", "Song.aifr", "256"}, "Song.aifr");
        written.ProgramFailed();
        EXPECT_EQ(test::FilesIn(dir.Path()),
                  (std::set<std::string>{"Done.wav", "New.wav", "Song.wav"}));
        run({"enc", "New.wav", "New.aifr", "256"}, "New.aifr");
        written.RemoveUnfinished();
        EXPECT_EQ(test::FilesIn(dir.Path()), (std::set<std::string>{"Done.wav", "Song.wav"}));
        fs::remove(dir.Path() / "Done.wav");
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
    const auto lock = ConversionLock::Acquire(dir.Str());
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
