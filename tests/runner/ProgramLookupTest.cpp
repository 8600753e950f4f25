#include "runner/ProgramLookup.h"

#include "support/Executables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

using test::TempDir;
using test::WriteFile;
using test::WriteProgram;
using Words = std::vector<std::string>;

class ProgramLookupTest : public testing::Test {
protected:
    TempDir work;
    TempDir bin;
};

TEST_F(ProgramLookupTest, AnExecutableInTheWorkingFolderComesFirst) {
    WriteProgram(work.Path() / "enc.exe", "exit 0");
    WriteProgram(bin.Path() / "enc", "exit 0");
    EXPECT_EQ(FindProgram("enc.exe", work.Str(), bin.Str()), Words{work / "enc.exe"});
}

TEST_F(ProgramLookupTest, AWindowsProgramRunsThroughWineWhenWineIsThere) {
    WriteFile(work.Path() / "madplay.exe", "MZ\x90\x00");
    WriteProgram(bin.Path() / "wine", "exit 0");
    EXPECT_EQ(FindProgram("madplay.exe", work.Str(), bin.Str()),
              (Words{bin / "wine", work / "madplay.exe"}));
}

TEST_F(ProgramLookupTest, WithoutWineAWindowsProgramGivesWayToTheNativeOne) {
    WriteFile(work.Path() / "madplay.exe", "MZ\x90\x00");
    WriteProgram(bin.Path() / "madplay", "exit 0");
    EXPECT_EQ(FindProgram("madplay.exe", work.Str(), "/nonexistent:" + bin.Str()),
              Words{bin / "madplay"});
}

TEST_F(ProgramLookupTest, TheNameWithoutExeInTheWorkingFolderComesBeforeTheSearchPath) {
    WriteProgram(work.Path() / "enc", "exit 0");
    WriteProgram(bin.Path() / "enc", "exit 0");
    EXPECT_EQ(FindProgram("enc.EXE", work.Str(), bin.Str()), Words{work / "enc"});
}

TEST_F(ProgramLookupTest, FilesThatCannotRunAndMissingProgramsAreNotFound) {
    WriteFile(work.Path() / "enc.exe", "not a program");
    std::filesystem::create_directory(bin.Path() / "enc");
    EXPECT_EQ(FindProgram("enc.exe", work.Str(), bin.Str()), std::nullopt);
    EXPECT_EQ(FindProgram("", work.Str(), bin.Str()), std::nullopt);
    EXPECT_EQ(FindProgram("sub/enc.exe", work.Str(), bin.Str()), std::nullopt);
}

} // namespace
} // namespace vq3::runner
