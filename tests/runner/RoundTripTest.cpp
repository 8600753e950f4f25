#include "conversion/ConversionScript.h"
#include "conversion/ScriptText.h"
#include "platform/TextFile.h"
#include "runner/ScriptExecutor.h"
#include "support/Executables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class SilentHost : public RunnerHost {
public:
    void Transcript(std::string_view) override {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class RoundTripTest : public testing::TestWithParam<const char*> {};

// Whatever the conversion core writes for a name, the interpreter hands the program that
// very name, in a folder whose own name is awkward too; or the core refuses the name.
TEST_P(RoundTripTest, TheProgramReceivesTheOriginalName) {
    const std::string name = GetParam();
    if (!ScriptSyntaxCanCarry(name)) {
        GTEST_SUCCEED() << "refused by the conversion core";
        return;
    }
    TempDir base;
    const std::string appDir = base / "R&B 100% ^x (Live)! it's";
    std::filesystem::create_directory(appDir);
    test::WriteProgram(std::filesystem::path(appDir) / "enc.exe",
                       "printf '%s\\0' \"$@\" > args.bin");
    WriteFile(std::filesystem::path(appDir) / name, "RIFF");

    const auto lines =
        BuildConversionScript({appDir + "/" + name}, appDir, 512, PathRules::Posix());
    ASSERT_TRUE(WriteTextLines(base / "vq3mc.bat", lines).ok);
    SilentHost host;
    ScriptExecutor(host, base.Str(), "/usr/bin:/bin")
        .Run(SplitScript(ReadFile(base / "vq3mc.bat")));

    const std::string stem = name.substr(0, name.size() - 3);
    EXPECT_EQ(ReadFile(std::filesystem::path(appDir) / "args.bin"),
              name + '\0' + stem + "aifr" + '\0' + "512" + '\0');
    ASSERT_EQ(host.messages.size(), 1u);
    // The stand-in wrote no output file, so only the rename may fail.
    EXPECT_NE(host.messages[0].find("1 line of the conversion script failed.\nLine 3 (ren"),
              std::string::npos)
        << host.messages[0];
}

INSTANTIATE_TEST_SUITE_P(AwkwardNames, RoundTripTest,
                         testing::Values("Intro Theme.wav", "100% Mix.wav", "%PATH%.wav", "%%.wav",
                                         "R^B.wav", "R^^B.wav", "R&B.wav", "a|b<c>d.wav",
                                         "Wow!.wav", "!x!.wav", "(Live).wav", "Don't Stop.wav",
                                         "Caf\xC3\xA9.wav", "\xE6\x97\xA5\xE6\x9C\xAC.wav",
                                         " leading.wav", "trailing .wav", "two  spaces.wav",
                                         "back\\slash.wav", "back\\\\.wav", "say \"hi\".wav",
                                         "tab\there.wav"));

} // namespace
} // namespace vq3::runner
