#pragma once

#include "conversion/TrackKind.h"
#include "platform/PathRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vq3 {

// Everything the script needs for one MP3 or WAV entry. Names are bare file names as they
// are on disk; the commands are script text, names quoted and escaped.
struct TrackJob {
    TrackKind Kind = TrackKind::Other;
    std::string SourcePath;
    std::string SourceName;
    std::string Stem; // the name less its last three characters; the dot stays
    std::string WaveName;
    std::string EncodedName;
    std::string OutputName;
    std::string DecodeCommand; // MP3 only
    std::string EncodeCommand;
    std::string DeleteCommand; // MP3 only
    std::string RenameCommand;
};

// The job for a Wave or Mp3 entry; nothing for any other entry.
std::optional<TrackJob> BuildTrackJob(std::string_view entry, std::int16_t bitRate,
                                      const PathRules& rules = PathRules::Host());

} // namespace vq3
