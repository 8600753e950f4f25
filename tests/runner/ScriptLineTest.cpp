#include "runner/ScriptLine.h"

#include "runner/WindowsCommandLine.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

TEST(ScriptLineTest, SplitsAtLineEndsKeepsNumbersAndSkipsBlankLines) {
    const auto lines = SplitScript("cd /a\r\n\r\n  \r\nexit\nmsg * x\r\nlast");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].number, 1);
    EXPECT_EQ(lines[0].text, "cd /a");
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_EQ(lines[1].text, "exit");
    EXPECT_EQ(lines[2].text, "msg * x");
    EXPECT_EQ(lines[3].number, 6);
    EXPECT_EQ(lines[3].text, "last");
    EXPECT_TRUE(SplitScript("").empty());
}

struct UnescapeCase {
    const char* written;
    const char* read;
};

class UnescapeTest : public testing::TestWithParam<UnescapeCase> {};

TEST_P(UnescapeTest, UndoesTheBatchFileEscaping) {
    EXPECT_EQ(UnescapeBatchLine(GetParam().written), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnescapeTest,
    testing::Values(UnescapeCase{"cd /srv/R^&B 100%%", "cd /srv/R&B 100%"},
                    UnescapeCase{"del \"100%% ^ Mix.wav\"", "del \"100% ^ Mix.wav\""},
                    UnescapeCase{"cd a^^b^|c^<d^>e", "cd a^b|c<d>e"},
                    UnescapeCase{"x \"in^side\" out^side", "x \"in^side\" outside"},
                    UnescapeCase{"lone % stays", "lone % stays"}, UnescapeCase{"%%%", "%%"},
                    UnescapeCase{"end^", "end"}, UnescapeCase{"bang! (paren)", "bang! (paren)"}));

TEST(ScriptLineTest, CommandNameIsLowerCasedAndTheRestKept) {
    const CommandParts parts = SplitCommand("  DEL   \"a  b.wav\" ");
    EXPECT_EQ(parts.name, "del");
    EXPECT_EQ(parts.rest, "\"a  b.wav\" ");
    EXPECT_EQ(SplitCommand("exit").rest, "");
}

struct SplitCase {
    const char* line;
    std::vector<std::string> args;
};

class WindowsCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(WindowsCommandLineTest, SplitsLikeAWindowsProgram) {
    EXPECT_EQ(SplitWindowsCommandLine(GetParam().line), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WindowsCommandLineTest,
    testing::Values(SplitCase{"madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"",
                              {"madplay.exe", "-o", "wave:Intro.wav", "Intro.mp3"}},
                    SplitCase{"\"Battle Theme.WAV\"   \"Battle Theme.aifr\"\t1024",
                              {"Battle Theme.WAV", "Battle Theme.aifr", "1024"}},
                    SplitCase{"", {}}, SplitCase{"  ", {}}, SplitCase{"\"\"", {""}},
                    SplitCase{"a\\b c\\\\d", {"a\\b", "c\\\\d"}},
                    SplitCase{"\"a\\\"b\" \"c\\\\\" d", {"a\"b", "c\\", "d"}},
                    SplitCase{"\"say \"\"hi\"\"\"", {"say \"hi\""}},
                    SplitCase{"x\"y z\"w", {"xy zw"}}));

} // namespace
} // namespace vq3::runner
