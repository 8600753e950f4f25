#pragma once

#include <string>

namespace vq3::runner {

// True for a RIFF/WAVE file whose data chunk holds sound: a decoder that found no frames still
// writes a valid header with an empty data chunk.
bool HoldsAudio(const std::string& path);

} // namespace vq3::runner
