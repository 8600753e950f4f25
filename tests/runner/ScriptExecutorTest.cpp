#include "runner/ScriptExecutor.h"

#include "support/Executables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using test::WriteProgram;

class RecordingHost : public RunnerHost {
public:
    void Transcript(std::string_view text) override { transcript += text; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::string transcript;
    std::vector<std::string> messages;
};

class ScriptExecutorTest : public testing::Test {
protected:
    int Run(const std::string& script) {
        return ScriptExecutor(host, dir.Str(), "/usr/bin:/bin").Run(SplitScript(script));
    }
    TempDir dir;
    RecordingHost host;
};

TEST_F(ScriptExecutorTest, ASuccessfulScriptShowsItsOwnMessageAndExitsZero) {
    WriteProgram(dir.Path() / "ok.exe", "echo \"out $1|$2\"; echo err >&2");
    const int status = Run("cd " + dir.Str() +
                           "\r\nstart /b /min /wait ok.exe \"a b\" 100%%\r\n"
                           "msg * All files have been converted!\r\nexit\r\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(host.messages, std::vector<std::string>{"All files have been converted!"});
    EXPECT_EQ(host.transcript, dir.Str() + ">cd " + dir.Str() + "\n" + dir.Str() +
                                   ">start /b /min /wait ok.exe \"a b\" 100%\nout a b|100%\nerr\n" +
                                   dir.Str() + ">msg * All files have been converted!\n" +
                                   dir.Str() + ">exit\n");
}

TEST_F(ScriptExecutorTest, FailuresReplaceTheCompletionMessage) {
    WriteProgram(dir.Path() / "fail.exe", "exit 3");
    const int status = Run("start /b /min /wait fail.exe\r\n"
                           "start /b /min /wait missing.exe\r\n"
                           "echo hello\r\n"
                           "start /x fail.exe\r\n"
                           "msg * All files have been converted!\r\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{
                  "Not every file was converted: 4 lines of the conversion script failed.\n"
                  "Line 1 (start /b /min /wait fail.exe): 'fail.exe' failed: it ended with exit "
                  "status 3.\n"
                  "Line 2 (start /b /min /wait missing.exe): 'missing.exe' was not found in '" +
                  dir.Str() +
                  "' or on the search path.\n"
                  "Line 3 (echo hello): 'echo' is not a command this interpreter runs.\n"
                  "Line 4 (start /x fail.exe): start has no option '/x'."});
}

TEST_F(ScriptExecutorTest, AFailedChangeOfFolderStopsTheScriptBeforeAnythingIsDeleted) {
    WriteFile(dir.Path() / "Song.wav", "user's file");
    const int status = Run("cd " + dir.Str() + "/gone\r\ndel \"Song.wav\"\r\nexit\r\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(ReadFile(dir.Path() / "Song.wav"), "user's file");
    EXPECT_EQ(host.messages,
              std::vector<std::string>{
                  "Not every file was converted: 1 line of the conversion script failed.\n"
                  "Line 1 (cd " +
                  dir.Str() + "/gone): the folder '" + dir.Str() + "/gone' cannot be found."});
    EXPECT_EQ(host.transcript.find("del"), std::string::npos);
}

TEST_F(ScriptExecutorTest, RenameNeverReplacesAnExistingFile) {
    WriteFile(dir.Path() / "A.aifr", "new");
    WriteFile(dir.Path() / "A.fda", "old");
    WriteFile(dir.Path() / "B.aifr", "b");
    EXPECT_EQ(Run("ren \"A.aifr\" \"A.fda\"\r\nren \"B.aifr\" \"B.fda\"\r\n"
                  "ren \"C.aifr\" \"C.fda\"\r\nren \"B.fda\" \"sub/B.fda\"\r\n"),
              1);
    EXPECT_EQ(ReadFile(dir.Path() / "A.fda"), "old");
    EXPECT_EQ(ReadFile(dir.Path() / "A.aifr"), "new");
    EXPECT_EQ(ReadFile(dir.Path() / "B.fda"), "b");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "Not every file was converted: 3 lines of the conversion script failed.\n"
              "Line 1 (ren \"A.aifr\" \"A.fda\"): 'A.aifr' cannot be renamed: 'A.fda' already "
              "exists.\n"
              "Line 3 (ren \"C.aifr\" \"C.fda\"): 'C.aifr' cannot be renamed: No such file or "
              "directory.\n"
              "Line 4 (ren \"B.fda\" \"sub/B.fda\"): the new name 'sub/B.fda' must be a file name "
              "without a folder.");
}

TEST_F(ScriptExecutorTest, DeleteTakesOnlyExistingFiles) {
    WriteFile(dir.Path() / "x.wav", "x");
    std::filesystem::create_directory(dir.Path() / "folder.wav");
    EXPECT_EQ(Run("del \"x.wav\"\r\ndel \"x.wav\"\r\ndel \"folder.wav\"\r\ndel a b\r\n"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "x.wav"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "folder.wav"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("3 lines"), std::string::npos);
    EXPECT_NE(host.messages[0].find("Line 4 (del a b): del takes one file name."),
              std::string::npos);
}

TEST_F(ScriptExecutorTest, ExitEndsTheScript) {
    EXPECT_EQ(Run("EXIT\r\nmsg * never\r\n"), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ScriptExecutorTest, LongFailureListsAreCut) {
    std::string script;
    for (int i = 0; i < 13; ++i) {
        script += "nonsense\r\n";
    }
    EXPECT_EQ(Run(script), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("Line 10 (nonsense)"), std::string::npos);
    EXPECT_EQ(host.messages[0].find("Line 11"), std::string::npos);
    EXPECT_TRUE(host.messages[0].ends_with("\nAnd 3 more.")) << host.messages[0];
}

} // namespace
} // namespace vq3::runner
