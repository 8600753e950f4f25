#include "conversion/TrackKind.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

struct KindCase {
    const char* entry;
    TrackKind expected;
};

class TrackKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(TrackKindTest, ClassifiesByTheLastThreeCharacters) {
    EXPECT_EQ(ClassifyTrack(GetParam().entry), GetParam().expected) << GetParam().entry;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TrackKindTest,
    testing::Values(KindCase{"C:\\Tools\\Conv\\Intro.mp3", TrackKind::Mp3},
                    KindCase{"SONG.MP3", TrackKind::Mp3}, KindCase{"Song.Mp3", TrackKind::Mp3},
                    KindCase{"Song.WAV", TrackKind::Wave}, KindCase{"xwav", TrackKind::Wave},
                    KindCase{"wav", TrackKind::Wave}, KindCase{"mp3", TrackKind::Mp3},
                    KindCase{"av", TrackKind::Other}, KindCase{"", TrackKind::Other},
                    KindCase{"Song.wave", TrackKind::Other},
                    KindCase{"Song.flac", TrackKind::Other},
                    KindCase{"readme.txt", TrackKind::Other},
                    KindCase{"Song.wav ", TrackKind::Other},
                    KindCase{"/music/Caf\xC3\xA9wav", TrackKind::Wave},
                    KindCase{"/music/mp\xC3\xA9", TrackKind::Other}));

} // namespace
} // namespace vq3
