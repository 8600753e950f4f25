#include "conversion/Extension.h"

#include "conversion/TrackDescriptor.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

struct DescriptorCase {
    const char* entry;
    const char* expected;
};

class DescriptorPathTest : public testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorPathTest, CutsThreeCharactersAndAppendsLua) {
    EXPECT_EQ(DescriptorPath(GetParam().entry), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DescriptorPathTest,
    testing::Values(DescriptorCase{"C:\\Tools\\Conv\\Intro.mp3", "C:\\Tools\\Conv\\Intro.lua"},
                    DescriptorCase{"C:\\Tools\\Conv\\Intro.wav", "C:\\Tools\\Conv\\Intro.lua"},
                    DescriptorCase{"/music/readme.txt", "/music/readme.lua"},
                    DescriptorCase{"/music/Song.flac", "/music/Song.flua"},
                    DescriptorCase{"/music/SONG.MP3", "/music/SONG.lua"},
                    DescriptorCase{"ab", "lua"},
                    // Characters, not bytes: the two-byte letter counts once.
                    DescriptorCase{"/music/Caf\xC3\xA9", "/music/Clua"},
                    DescriptorCase{"/music/\xE6\x97\xA5\xE6\x9C\xAC.mp3",
                                   "/music/\xE6\x97\xA5\xE6\x9C\xAC.lua"}));

TEST(ExtensionTest, LastThreeLowerKeepsWholeMultiByteCharacters) {
    EXPECT_EQ(LastThreeLower("x.\xC3\x89WA"), "\xC3\x89wa");
    EXPECT_EQ(LastThreeLower("Ab"), "ab");
}

} // namespace
} // namespace vq3
