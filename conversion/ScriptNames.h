#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vq3 {

// The words the conversion script is written in, shared with whatever reads it back (vq3run), so
// that a change here changes both. The title's form is TrackTitle / ParseTrackTitle in Script.h.
namespace script_names {

constexpr std::string_view Decoder = "madplay.exe";
constexpr std::string_view Encoder = "enc.exe";
// Stands right before the name the decoder writes its WAV to.
constexpr std::string_view DecodedWavePrefix = "wave:";
constexpr std::string_view WaveExtension = "wav";
constexpr std::string_view Mp3Extension = "mp3";
constexpr std::string_view EncodedExtension = "aifr";
constexpr std::string_view OutputExtension = "fda";

// How many tracks failed; unset while none has.
constexpr std::string_view NotConvertedVariable = "VQ3_NOT_CONVERTED";
// Followed by a track's number (from 1): why that track was not converted; unset when it was.
constexpr std::string_view FailureVariablePrefix = "VQ3_FAILED_";

} // namespace script_names

// The script's words an interpreter relies on, as a value it is given.
struct ScriptVocabulary {
    std::string decodedWavePrefix{script_names::DecodedWavePrefix};
    std::string failureVariablePrefix{script_names::FailureVariablePrefix};

    std::string FailureVariable(size_t number) const {
        return failureVariablePrefix + std::to_string(number);
    }
};

} // namespace vq3
