#include "runner/ProgramLookup.h"

#include "support/Executables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vq3::runner {
namespace {

struct LookupCase {
    const char* name; // as the script names it
    // In the working folder "work" and the search path's "bin": "x" a program, "x:MZ" a Windows
    // program, "x:text" a file that cannot run, "x/" a folder.
    std::vector<std::string> files;
    std::vector<std::string> found;
};

class ProgramLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(ProgramLookupTest, FindsTheProgramInItsOrder) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.Path() / "work");
    std::filesystem::create_directories(dir.Path() / "bin");
    for (const std::string& file : GetParam().files) {
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
    for (const std::string& file : GetParam().found) {
        expected.push_back(dir / file);
    }
    const auto found = FindProgram(GetParam().name, dir / "work", "/nonexistent:" + (dir / "bin"));
    EXPECT_EQ(found.value_or(std::vector<std::string>{}), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Order, ProgramLookupTest,
    testing::Values(
        LookupCase{"enc.exe", {"work/enc.exe", "bin/enc"}, {"work/enc.exe"}},
        LookupCase{
            "madplay.exe", {"work/madplay.exe:MZ", "bin/wine"}, {"bin/wine", "work/madplay.exe"}},
        LookupCase{"madplay.exe", {"work/madplay.exe:MZ", "bin/madplay"}, {"bin/madplay"}},
        LookupCase{"enc.EXE", {"work/enc", "bin/enc"}, {"work/enc"}},
        LookupCase{"enc.exe", {"work/enc.exe:text", "bin/enc/"}, {}},
        LookupCase{"", {"bin/enc"}, {}}, LookupCase{"sub/enc.exe", {"bin/enc"}, {}}));

} // namespace
} // namespace vq3::runner
