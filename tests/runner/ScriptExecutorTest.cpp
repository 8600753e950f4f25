#include "runner/ScriptExecutor.h"

#include "conversion/Script.h"
#include "platform/Files.h"
#include "runner/ProgramLookup.h"
#include "support/Audio.h"
#include "support/Executables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <regex>

namespace vq3::runner {
namespace {

namespace fs = std::filesystem;

class RecordingHost : public RunnerHost {
public:
    void Transcript(std::string_view) override {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

std::vector<std::string> RunScript(const std::string& script, const std::string& dir) {
    RecordingHost host;
    const StopRequest stop;
    ScriptExecutor(host, dir, "/usr/bin:/bin", stop).Run(SplitScript(script));
    return host.messages;
}

std::string ScriptText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class RoundTripTest : public testing::TestWithParam<const char*> {};

// Whatever the conversion core writes for a name, the interpreter hands the program that
// very name, in a folder whose own name is awkward too, and renames its output to the final
// name; or the core refuses the name.
TEST_P(RoundTripTest, TheProgramReceivesTheOriginalName) {
    const std::string name = GetParam();
    if (!ScriptSyntaxCanCarry(name)) {
        return;
    }
    test::TempDir base;
    const std::string appDir = base / "R&B 100% ^x (Live)! it's";
    fs::create_directory(FsPath(appDir));
    test::WriteProgram(FsPath(appDir) / "enc.exe", "printf '%s\\0' \"$@\" > args.bin; : > \"$2\"");
    test::WriteFile(FsPath(appDir) / FsPath(name), "RIFF");
    const std::string stem = name.substr(0, name.size() - 3);
    EXPECT_EQ(RunScript(ScriptText(BuildConversionScript({appDir + "/" + name}, appDir, 512,
                                                         PathRules::Posix())),
                        base.Str()),
              std::vector<std::string>{"All files have been converted!"});
    EXPECT_EQ(test::ReadFile(FsPath(appDir) / "args.bin"),
              name + '\0' + stem + "aifr" + '\0' + "512" + '\0');
    EXPECT_TRUE(fs::exists(FsPath(appDir) / FsPath(stem + "fda")));
}

INSTANTIATE_TEST_SUITE_P(AwkwardNames, RoundTripTest,
                         testing::Values("Intro Theme.wav", "100% Mix.wav", "%PATH%.wav", "%%.wav",
                                         "R^B.wav", "R^^B.wav", "R&B.wav", "a|b<c>d.wav",
                                         "Wow!.wav", "!x!.wav", "(Live).wav", "Don't Stop.wav",
                                         "Caf\xC3\xA9.wav", "\xE6\x97\xA5\xE6\x9C\xAC.wav",
                                         " leading.wav", "trailing .wav", "two  spaces.wav",
                                         "back\\slash.wav", "back\\\\.wav", "say \"hi\".wav",
                                         "tab\there.wav"));

struct ScriptCase {
    const char* script; // lines joined by "|"; "DIR" stands for the test's folder
    const char* summary;
};

class FailureSummaryTest : public testing::TestWithParam<ScriptCase> {};

// Every failure is reported with its line and reason, and none touches the user's files.
TEST_P(FailureSummaryTest, NamesEachFailedLineAndItsReason) {
    test::TempDir dir;
    test::WriteProgram(dir.Path() / "fail.exe",
                       "echo 1st >&2; printf 'bad thing \\n\\n' >&2; exit 3");
    test::WriteFile(dir.Path() / "Song.wav", "user's");
    test::WriteFile(dir.Path() / "A.aifr", "new");
    test::WriteFile(dir.Path() / "A.fda", "old");
    const auto fill = [&](const char* text) {
        return std::regex_replace(std::regex_replace(text, std::regex("\\|"), "\r\n"),
                                  std::regex("DIR"), dir.Str());
    };
    EXPECT_EQ(RunScript(fill(GetParam().script), dir.Str()),
              std::vector<std::string>{fill(GetParam().summary)});
    EXPECT_EQ(test::ReadFile(dir.Path() / "Song.wav"), "user's");
    EXPECT_EQ(test::ReadFile(dir.Path() / "A.fda"), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, FailureSummaryTest,
    testing::Values(
        ScriptCase{"start /b /min /wait fail.exe|start /b /min /wait missing.exe|echo hello|"
                   "start /x fail.exe|msg * All files have been converted!",
                   "Not every file was converted: 4 lines of the conversion script failed.\n"
                   "Line 1 (start /b /min /wait fail.exe): 'fail.exe' failed: it ended with exit "
                   "status 3, saying \"bad thing\".\n"
                   "Line 2 (start /b /min /wait missing.exe): 'missing.exe' was not found in "
                   "'DIR' or on the search path.\n"
                   "Line 3 (echo hello): 'echo' is not a command this interpreter runs.\n"
                   "Line 4 (start /x fail.exe): start has no option '/x'."},
        ScriptCase{"cd DIR/gone|del \"Song.wav\"",
                   "Not every file was converted: 1 line of the conversion script failed.\n"
                   "Line 1 (cd DIR/gone): the folder 'DIR/gone' cannot be found."},
        ScriptCase{"ren \"A.aifr\" \"A.fda\"|ren \"C.aifr\" \"C.fda\"|ren \"A.aifr\" \"sub/A.fda\"",
                   "Not every file was converted: 3 lines of the conversion script failed.\n"
                   "Line 1 (ren \"A.aifr\" \"A.fda\"): 'A.aifr' cannot be renamed: 'A.fda' "
                   "already exists.\n"
                   "Line 2 (ren \"C.aifr\" \"C.fda\"): 'C.aifr' cannot be renamed: No such file "
                   "or directory.\n"
                   "Line 3 (ren \"A.aifr\" \"sub/A.fda\"): the new name 'sub/A.fda' must be a "
                   "file name without a folder."}));

// Blank lines keep their numbers, and a long summary names ten lines and counts the rest.
TEST(FailureSummaryCutTest, NumbersCountBlankLinesAndTheListStopsAfterTen) {
    test::TempDir dir;
    std::string script = "\r\n";
    for (int i = 0; i < 12; ++i) {
        script += "x\r\n";
    }
    const auto messages = RunScript(script, dir.Str());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("\nLine 11 (x): 'x' is not a command"), std::string::npos);
    EXPECT_EQ(messages[0].find("\nLine 12 ("), std::string::npos);
    EXPECT_TRUE(messages[0].ends_with("\nAnd 2 more.")) << messages[0];
}

struct TrackCase {
    const char* source;  // the one entry: "Song.mp3" holds text, a ".wav" silent sound
    const char* encoder; // the encoder's shell script
    const char* summary;
};

class FailedTrackTest : public testing::TestWithParam<TrackCase> {};

// No unfinished file gets the final name, and what the run wrote for the track is removed.
TEST_P(FailedTrackTest, SkipsTheRenameAndRemovesWhatTheRunWrote) {
    const std::string source = GetParam().source;
    const bool mp3 = source.ends_with(".mp3");
    if (mp3 && !FindProgram("madplay", "/", "/usr/bin:/bin")) {
        GTEST_SKIP() << "madplay is not installed";
    }
    test::TempDir dir;
    mp3 ? test::WriteFile(dir.Path() / source, "not music")
        : test::WriteSilentWav(dir.Path() / source);
    const std::string userFile = test::ReadFile(dir.Path() / source);
    test::WriteProgram(dir.Path() / "enc.exe", GetParam().encoder);
    EXPECT_EQ(
        RunScript(ScriptText(BuildConversionScript({dir / source}, dir.Str(), 1024)), dir.Str()),
        std::vector<std::string>{GetParam().summary});
    EXPECT_EQ(test::FilesIn(dir.Path()), (std::set<std::string>{source, "enc.exe"}));
    EXPECT_EQ(test::ReadFile(dir.Path() / source), userFile);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, FailedTrackTest,
    testing::Values(
        TrackCase{"Song.mp3", "printf 'aifr' > \"$2\"",
                  "Not every file was converted: 1 line of the conversion script failed, and 1 "
                  "skipped.\n"
                  "Line 2 (start /b /min /wait madplay.exe -o wave:\"Song.wav\" \"Song.mp3\"): "
                  "'madplay.exe' wrote no audio to 'Song.wav', saying \"0 frames decoded "
                  "(0:00:00.0), -inf dB peak amplitude, 0 clipped samples\".\n"
                  "Line 5 (ren \"Song.aifr\" \"Song.fda\"): skipped, as an earlier line of this "
                  "track failed."},
        TrackCase{"Mix.wav",
                  "printf 'aifr fr' > \"$2\"; printf 'writing\\ndisk full\\n\\n' >&2; exit 4",
                  "Not every file was converted: 1 line of the conversion script failed, and 1 "
                  "skipped.\n"
                  "Line 2 (start /b /min /wait enc.exe \"Mix.wav\" \"Mix.aifr\" 1024): 'enc.exe' "
                  "failed: it ended with exit status 4, saying \"disk full\".\n"
                  "Line 3 (ren \"Mix.aifr\" \"Mix.fda\"): skipped, as an earlier line of this "
                  "track failed."}));

} // namespace
} // namespace vq3::runner
