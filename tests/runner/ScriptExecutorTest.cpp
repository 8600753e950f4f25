#include "runner/ScriptExecutor.h"

#include "conversion/Script.h"
#include "conversion/ScriptNames.h"
#include "platform/ConversionLock.h"
#include "platform/Files.h"
#include "platform/posix/ProgramLookup.h"
#include "runner/ChildProcess.h"
#include "runner/Messages.h"
#include "runner/RunAccount.h"
#include "runner/WaveFile.h"
#include "runner/WrittenFiles.h"
#include "support/Executables.h"
#include "support/ScriptRuns.h"
#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <regex>
#include <set>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
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
    std::vector<std::string> messages, outcomes;
};

// Whether a program of the folder still runs (a zombie has ended, and has no executable).
bool SomethingRunsFrom(const fs::path& dir) {
    std::error_code ignored;
    return std::ranges::any_of(fs::directory_iterator("/proc"), [&](const auto& process) {
        return fs::read_symlink(process.path() / "exe", ignored).parent_path() == dir;
    });
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
        const int failed = run.record.empty() ? 0 : 1;
        EXPECT_EQ(status, failed);
        // Whatever the script's own last message says, with its count filled in.
        const size_t msg =
            script.rfind("msg * ", failed ? script.find("\r\npause") : std::string::npos) + 6;
        std::string told = std::regex_replace(
            script.substr(msg, script.find('\r', msg) - msg),
            std::regex("%" + std::string(script_names::NotConvertedVariable) + "%"), "1");
        if (failed == 1) {
            told += "\n\n'" + run.tracks[1] + "': " + run.record +
                    std::regex_replace(run.added, std::regex("DIR"), dir) + ".";
            EXPECT_NE(host.transcript.find("These files were not converted:\n\"" + run.tracks[1] +
                                           "\": " + run.record + "\n" + PausePrompt),
                      std::string::npos)
                << host.transcript;
        }
        EXPECT_EQ(host.messages, std::vector<std::string>{told});
        // A file listed twice is one track.
        const size_t count = std::set<std::string>(run.tracks.begin(), run.tracks.end()).size();
        EXPECT_EQ(host.outcomes, std::vector<std::string>{std::to_string(count - failed) + " of " +
                                                          std::to_string(count) + " converted" +
                                                          (failed ? ", 1 not converted" : "")});
    }
}

// Lines that fail on their own, outside any track, in a script that tests nothing: the runner
// lists each failure (ten, then how many more) instead of the script's success message, and a
// "cd" that fails ends the run before it could delete the wrong file.
TEST(UntestedFailureTest, TheRunnerListsWhatFailed) {
    test::TempDir dir;
    const std::pair<std::string, std::string> cases[] = {
        {"if maybe x\nstart /b /min /wait fail.exe\nstart /b /min /wait missing.exe\ndir hello\n"
         "start /x fail.exe\nset =3\nstart\nren \"A.aifr\" \"A.fda\"\nren \"A.fda\" \"sub/A.fda\"\n"
         "ren \"A.fda\" \"A.fda\"\nren \"Folder.aifr\" \"Folder.fda\"\ngoto nowhere\nx",
         "if has no condition 'maybe x' this interpreter knows.\n'fail.exe' failed: it ended with "
         "exit status 3, saying \"bad thing\".\n'missing.exe' was not found in '" +
             dir.Str() +
             "' or on the search path.\n'dir' is not a command this interpreter runs.\nstart has "
             "no option '/x'.\nset takes NAME=VALUE, or /a NAME=NUMBER or NAME+=NUMBER.\nstart "
             "names no program.\n'A.aifr' cannot be renamed: No such file or directory.\nthe new "
             "name 'sub/A.fda' must be a file name without a folder.\n'A.fda' cannot be renamed: "
             "'A.fda' already exists.\nAnd 2 more."},
        {"ren \"Folder.aifr\" \"Folder.fda\"\ndel \"Folder.aifr\"\ncd gone\ndel \"A.fda\"",
         "the file 'Folder.aifr' cannot be found.\nthe file 'Folder.aifr' cannot be found.\nthe "
         "folder 'gone' cannot be found."}};
    test::WriteProgram(dir.Path() / "fail.exe",
                       "echo 1st >&2; printf '50%%\\rbad thing \\r\\n\\n' >&2; exit 3");
    test::WriteFile(dir.Path() / "A.fda", "old");
    fs::create_directory(dir.Path() / "Folder.aifr");
    for (const auto& [script, failures] : cases) {
        RecordingHost host;
        const StopRequest stop;
        EXPECT_EQ(ScriptExecutor(host, dir.Str(), "/usr/bin:/bin", stop).Run(SplitScript(script)),
                  1);
        EXPECT_EQ(host.messages,
                  std::vector<std::string>{"Not every file was converted.\n\n" + failures});
        EXPECT_EQ(test::FilesIn(dir.Path()),
                  (std::set<std::string>{"A.fda", "Folder.aifr", "fail.exe"}));
    }
}

// What a program writes is unfinished until its track is: a failed program's new files go at
// once, a stop takes the current track's, and no file that was there before is ever touched.
// The decoder's prefix is the vocabulary's, whatever it is.
TEST(WrittenFilesTest, RemovesOnlyWhatTheTracksProgramsMade) {
    test::TempDir dir;
    for (const std::string& prefix :
         {std::string(script_names::DecodedWavePrefix), std::string("pcm=")}) {
        WrittenFiles written(ScriptVocabulary{prefix});
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

// What happened to each track the titles name: the script's record of a failure (with what the
// runner saw added), a failure the script did not look at, a track cut short by a stop or never
// reached, and a track finished just before the stop.
TEST(RunAccountTest, TellsEachTrackAsItEnded) {
    const auto outcome = [](bool stopped, size_t finishedUpTo) {
        RunAccount account(ScriptVocabulary{"", "F"});
        for (size_t n = 1; n <= 4; ++n) {
            account.Listed({n, 4, "T" + std::to_string(n)});
        }
        for (size_t n = 1; n <= 3; ++n) {
            account.LineRuns(false);
            account.Begins({n, 4, "T" + std::to_string(n)});
            if (n == 2) {
                account.Failed("unseen", "");
            } else if (n == 1) {
                account.Failed("seen", " (said so)");
                account.LineRuns(true);
            }
            if (n <= finishedUpTo) {
                account.Finished();
            }
        }
        return account.Outcome(
            [](const std::string& name) {
                return name == "F1" ? std::optional<std::string>("recorded") : std::nullopt;
            },
            stopped);
    };
    const RunOutcome ended = outcome(false, 3), stopped = outcome(true, 3);
    EXPECT_EQ(ended.end, RunOutcome::End::NotAllConverted);
    EXPECT_EQ(ended.converted, std::vector<std::string>{"T3"});
    EXPECT_EQ(ended.failures,
              (std::vector<RunOutcome::Failure>{
                  {"T1", "recorded (said so)"}, {"T2", "unseen"}, {"T4", NotReachedReason}}));
    EXPECT_EQ(stopped.end, RunOutcome::End::Stopped);
    EXPECT_EQ(stopped.converted, std::vector<std::string>{"T3"});
    EXPECT_EQ(outcome(true, 2).notConverted, (std::vector<std::string>{"T1", "T2", "T3", "T4"}));
}

// The name as the script names it; the files in the working folder "work" and the search
// path's "bin" ("x" a program, "x:MZ" a Windows program, "x:text" a file that cannot run, "x/" a
// folder); the command words found, in the test's folder.
TEST(ProgramLookupTest, FindsTheProgramInItsOrder) {
    using Words = std::vector<std::string>;
    // clang-format off
    const std::tuple<const char*, Words, Words> cases[] = {
        {"enc.exe", {"work/enc.exe", "bin/enc"}, {"work/enc.exe"}}, {"", {"bin/enc"}, {}},
        {"madplay.exe", {"work/madplay.exe:MZ", "bin/wine"}, {"bin/wine", "work/madplay.exe"}},
        {"madplay.exe", {"work/madplay.exe:MZ", "bin/madplay"}, {"bin/madplay"}},
        {"enc.EXE", {"work/enc", "bin/enc"}, {"work/enc"}}, {"sub/enc.exe", {"bin/enc"}, {}},
        {"enc.exe", {"work/enc.exe:text", "bin/enc/"}, {}}};
    // clang-format on
    for (const auto& [name, files, found] : cases) {
        test::TempDir dir;
        fs::create_directories(dir.Path() / "work");
        for (const std::string& file : files) {
            const fs::path path = dir.Path() / file.substr(0, file.find(':'));
            fs::create_directories(file.ends_with("/") ? path : path.parent_path());
            if (!file.ends_with("/")) {
                test::WriteFile(path, file.ends_with(":MZ") ? "MZ\x90" : "#!/bin/sh\n");
                fs::permissions(path, fs::perms(file.ends_with(":text") ? 0644 : 0755));
            }
        }
        Words got =
            FindProgram(name, dir / "work", "/nonexistent:" + (dir / "bin")).value_or(Words{});
        for (std::string& word : got) {
            word.erase(0, dir.Str().size() + 1);
        }
        EXPECT_EQ(got, found) << name;
    }
}

// A line as the script holds it, read as the command interpreter and a Windows program would:
// the command word, then the program's arguments, here joined by commas. The tool's own scripts
// are read in ScriptRunsTest; these are the forms they never take.
TEST(ScriptSyntaxTest, ReadsALineAsTheCommandInterpreterAndAWindowsProgramWould) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"  ENC.exe \"Battle Theme.WAV\"   \"Battle Theme.aifr\"\t1024",
         "enc.exe,Battle Theme.WAV,Battle Theme.aifr,1024"},
        {"x end^", "x,end"}, {"", ""}, {"exit  ", "exit"}, {"cd a^^b^|c^<d^>e", "cd,a^b|c<d>e"},
        {"x lone % %%%", "x,lone,%"}, {"del \"\"", "del,"}, {"x %UNSET%y %1%*z", "x,y,z"},
        {"x a\\b c\\\\d", "x,a\\b,c\\\\d"}, {"x \"a\\\"b\" \"c\\\\\" d", "x,a\"b,c\\,d"}};
    // clang-format on
    for (const auto& [line, expected] : cases) {
        const CommandParts command = SplitCommand(UnescapeBatchLine(line));
        std::string words = command.name;
        for (const std::string& word : SplitWindowsCommandLine(command.rest)) {
            words += "," + word;
        }
        EXPECT_EQ(words, expected) << line;
    }
}

// A name in the script is a file of the script's folder, wherever that is, unless it starts at
// the root.
TEST(ScriptSyntaxTest, NamesAFileOfTheFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/music", "a.wav", "/music/a.wav"},
        {"/music/", "a.wav", "/music/a.wav"},
        {"/", "a.wav", "/a.wav"},
        {"/music", "/tmp/a.wav", "/tmp/a.wav"},
        {"", "a.wav", "a.wav"}};
    for (const auto& [folder, name, path] : cases) {
        EXPECT_EQ(InFolder(folder, name), path) << folder << " " << name;
    }
}

// A started program gets nothing of the runner's: its input is empty, it leads a process group
// of its own, and no file the runner holds open (the lock, the stop request's eventfd, whatever it
// inherited) reaches it. Each stop signal then becomes a request to stop instead of ending the
// runner.
TEST(ChildProcessTest, AStartedProgramInheritsNothingAndAStopSignalIsARequest) {
    test::TempDir dir;
    std::string whyNot;
    const auto lock = ConversionLock::Take(dir.Str(), whyNot);
    const StopRequest stop;
    stop.TakeOverStopSignals();
    std::string output;
    const OutputSink collect = [&](std::string_view text) { output += text; };
    // The runner's own input is a pipe, then closed, so that a pipe of the runner's own takes its
    // place: either way the program's input is empty.
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    const int ownInput = dup(STDIN_FILENO);
    for (const bool closed : {false, true}) {
        output.clear();
        closed ? close(STDIN_FILENO) : dup2(input[0], STDIN_FILENO);
        const bool ran =
            RunAndWait({"/bin/sh", "-c",
                        "readlink /proc/$$/fd/0; [ $(cut -d' ' -f5 /proc/$$/stat) = $$ ] && "
                        "echo leader; exec ls /proc/self/fd"},
                       dir.Str(), &collect, &stop)
                .ok;
        dup2(ownInput, STDIN_FILENO);
        EXPECT_TRUE(ran) << closed;
        EXPECT_EQ(output, "/dev/null\nleader\n0\n1\n2\n3\n") << closed;
    }
    for (const int fd : {ownInput, input[0], input[1]}) {
        close(fd);
    }
    // The runner blocks every signal while it starts a program; the program must not inherit that.
    output.clear();
    ASSERT_TRUE(RunAndWait({"/bin/cat", "/proc/self/status"}, dir.Str(), &collect, &stop).ok);
    EXPECT_NE(output.find("\nSigBlk:\t0000000000000000\n"), std::string::npos) << output;
    EXPECT_FALSE(stop.Requested());
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::raise(signal);
    }
    EXPECT_TRUE(stop.Requested());
}

// Where the kernel refuses close_range (before Linux 5.9, or in a sandbox that does not know it),
// a program still gets none of the runner's files. The refusal is a seccomp filter of a process of
// the test's own.
TEST(ChildProcessTest, WithoutCloseRangeAProgramStillInheritsNothing) {
    int result[2];
    ASSERT_EQ(pipe(result), 0);
    const pid_t tester = fork();
    if (tester == 0) {
        sock_filter refuse[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                                BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_close_range, 0, 1),
                                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
                                BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
        const sock_fprog filter{4, refuse};
        std::string output = prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
                                     prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0 &&
                                     close_range(1000, 1000, 0) != 0 && dup(result[1]) > 0
                                 ? ""
                                 : "no filter\n";
        const OutputSink collect = [&](std::string_view text) { output += text; };
        RunAndWait({"/bin/ls", "/proc/self/fd"}, "/", &collect);
        _exit(write(result[1], output.data(), output.size()) < 0);
    }
    close(result[1]);
    std::string output(64, '\0');
    output.resize(static_cast<size_t>(std::max<ssize_t>(0, read(result[0], output.data(), 64))));
    close(result[0]);
    waitpid(tester, nullptr, 0);
    EXPECT_EQ(output, "0\n1\n2\n3\n");
}

// A program that cannot be started is a failure that says why, as the system put it, and leaves
// no process behind to be collected.
TEST(ChildProcessTest, AProgramThatCannotStartSaysWhy) {
    test::TempDir dir;
    test::WriteFile(dir.Path() / "text", "not a program");
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{dir.Str() + "/missing"}, dir.Str(), "No such file or directory"},
        {{dir.Str() + "/text"}, dir.Str(), "Permission denied"},
        {{"/bin/true"}, dir.Str() + "/gone", "No such file or directory"}};
    for (const auto& [argv, workingDir, why] : cases) {
        ProgramEnd end{0, "old"};
        const Result result = RunAndWait(argv, workingDir, nullptr, nullptr, &end);
        EXPECT_FALSE(result.ok) << argv[0];
        EXPECT_EQ(result.reason, NotStartedHow(why)) << argv[0];
        EXPECT_EQ(end.status, 1) << argv[0];
        siginfo_t child{};
        EXPECT_EQ(waitid(P_ALL, 0, &child, WEXITED | WNOHANG), -1) << argv[0];
    }
}

// A WAV holds sound only when its data chunk has some, in the file and not just in its header.
TEST(WaveFileTest, SoundIsWhatTheDataChunkHolds) {
    const auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const std::string riff = "RIFF" + le32(100) + "WAVE";
    const std::string fmt = "fmt " + le32(16) + std::string(16, '\1');
    const std::string data4 = "data" + le32(4) + "abcd";
    // clang-format off
    const std::pair<std::string, bool> cases[] = {
        {riff + fmt + data4, true}, {riff + fmt + "data" + le32(0), false},
        {riff + "LIST" + le32(3) + "abc" + std::string(1, '\0') + fmt + data4, true},
        {riff + fmt + "data" + le32(4096), false}, {"RIFF", false}, {riff + fmt, false},
        {riff + fmt + "junk" + le32(0xFFFFFFF0) + data4, false},
        {"RIFX" + le32(100) + "WAVE" + fmt + data4, false},
        {"RIFF" + le32(100) + "AVI " + fmt + data4, false}};
    // clang-format on
    test::TempDir dir;
    for (const auto& [bytes, sound] : cases) {
        test::WriteFile(dir.Path() / "t.wav", bytes);
        EXPECT_EQ(HoldsAudio(dir / "t.wav"), sound) << bytes;
    }
}

} // namespace
} // namespace vq3::runner
