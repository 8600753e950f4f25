#pragma once

#include <string_view>

namespace vq3 {

enum class TrackKind { Wave, Mp3, Other };

// Decided on the whole entry by its last three characters alone: "xwav" is Wave, "Song.wave"
// is Other.
TrackKind ClassifyTrack(std::string_view entry);

} // namespace vq3
