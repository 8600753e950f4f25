#include "conversion/TrackJob.h"

#include <gtest/gtest.h>

namespace vq3 {
namespace {

TEST(TrackJobTest, Mp3KeepsTheStemsCaseAndGetsLowerCaseExtensions) {
    const auto job = BuildTrackJob("C:\\Music\\SONG.MP3", 1024, PathRules::Windows());
    ASSERT_TRUE(job);
    EXPECT_EQ(job->SourceName, "SONG.MP3");
    EXPECT_EQ(job->Stem, "SONG.");
    EXPECT_EQ(job->WaveName, "SONG.wav");
    EXPECT_EQ(job->EncodedName, "SONG.aifr");
    EXPECT_EQ(job->OutputName, "SONG.fda");
    EXPECT_EQ(job->DecodeCommand,
              "start /b /min /wait madplay.exe -o wave:\"SONG.wav\" \"SONG.MP3\"");
    EXPECT_EQ(job->EncodeCommand, "start /b /min /wait enc.exe \"SONG.wav\" \"SONG.aifr\" 1024");
    EXPECT_EQ(job->DeleteCommand, "del \"SONG.wav\"");
    EXPECT_EQ(job->RenameCommand, "ren \"SONG.aifr\" \"SONG.fda\"");
}

TEST(TrackJobTest, WaveWithoutADotUsesItsOwnNameAndHasNoDecodeOrDelete) {
    const auto job = BuildTrackJob("/music/mywav", 256, PathRules::Posix());
    ASSERT_TRUE(job);
    EXPECT_EQ(job->Kind, TrackKind::Wave);
    EXPECT_EQ(job->Stem, "my");
    EXPECT_EQ(job->WaveName, "mywav");
    EXPECT_EQ(job->EncodedName, "myaifr");
    EXPECT_EQ(job->OutputName, "myfda");
    EXPECT_EQ(job->DecodeCommand, "");
    EXPECT_EQ(job->DeleteCommand, "");
    EXPECT_EQ(job->EncodeCommand, "start /b /min /wait enc.exe \"mywav\" \"myaifr\" 256");
}

TEST(TrackJobTest, OtherEntriesGetNoJob) {
    EXPECT_FALSE(BuildTrackJob("/music/readme.txt", 1024));
    EXPECT_FALSE(BuildTrackJob("/music/Song.wave", 1024));
}

TEST(TrackJobTest, FileNameFollowsThePlatformsSeparators) {
    EXPECT_EQ(BuildTrackJob("C:\\a/b\\x.mp3", 1024, PathRules::Windows())->SourceName, "x.mp3");
    EXPECT_EQ(BuildTrackJob("C:/a/b/x.mp3", 1024, PathRules::Windows())->SourceName, "x.mp3");
    // On POSIX a backslash is an ordinary character of a file name.
    EXPECT_EQ(BuildTrackJob("/a/b\\x.mp3", 1024, PathRules::Posix())->SourceName, "b\\x.mp3");
}

TEST(TrackJobTest, PercentIsDoubledInCommandsButNotInNames) {
    const auto job = BuildTrackJob("/music/100% Mix.mp3", 1024, PathRules::Posix());
    ASSERT_TRUE(job);
    EXPECT_EQ(job->WaveName, "100% Mix.wav");
    EXPECT_EQ(job->DecodeCommand,
              "start /b /min /wait madplay.exe -o wave:\"100%% Mix.wav\" \"100%% Mix.mp3\"");
    EXPECT_EQ(job->RenameCommand, "ren \"100%% Mix.aifr\" \"100%% Mix.fda\"");
}

} // namespace
} // namespace vq3
