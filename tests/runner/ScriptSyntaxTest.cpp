#include "runner/ScriptSyntax.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

struct LineCase {
    const char* line;               // as the script holds it
    std::vector<std::string> words; // the command word, then the program's arguments
};

class ScriptSyntaxTest : public testing::TestWithParam<LineCase> {};

TEST_P(ScriptSyntaxTest, ReadsALineAsTheCommandInterpreterAndAWindowsProgramWould) {
    const CommandParts command = SplitCommand(UnescapeBatchLine(GetParam().line));
    std::vector<std::string> words = SplitWindowsCommandLine(command.rest);
    words.insert(words.begin(), command.name);
    EXPECT_EQ(words, GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptSyntaxTest,
    testing::Values(LineCase{"start /b madplay.exe -o wave:\"Intro.wav\" \"Intro.mp3\"",
                             {"start", "/b", "madplay.exe", "-o", "wave:Intro.wav", "Intro.mp3"}},
                    LineCase{"  ENC.exe \"Battle Theme.WAV\"   \"Battle Theme.aifr\"\t1024",
                             {"enc.exe", "Battle Theme.WAV", "Battle Theme.aifr", "1024"}},
                    LineCase{"cd /srv/R^&B 100%%", {"cd", "/srv/R&B", "100%"}},
                    LineCase{"del \"100%% ^ Mix.wav\"", {"del", "100% ^ Mix.wav"}},
                    LineCase{"cd a^^b^|c^<d^>e", {"cd", "a^b|c<d>e"}},
                    LineCase{"x \"in^side\" out^side", {"x", "in^side", "outside"}},
                    LineCase{"x lone % %%%", {"x", "lone", "%", "%%"}},
                    LineCase{"x end^", {"x", "end"}},
                    LineCase{"x bang! (paren)", {"x", "bang!", "(paren)"}}, LineCase{"", {""}},
                    LineCase{"exit  ", {"exit"}}, LineCase{"del \"\"", {"del", ""}},
                    LineCase{"x a\\b c\\\\d", {"x", "a\\b", "c\\\\d"}},
                    LineCase{"x \"a\\\"b\" \"c\\\\\" d", {"x", "a\"b", "c\\", "d"}},
                    LineCase{"x \"say \"\"hi\"\"\"", {"x", "say \"hi\""}},
                    LineCase{"x x\"y z\"w", {"x", "xy zw"}}));

} // namespace
} // namespace vq3::runner
