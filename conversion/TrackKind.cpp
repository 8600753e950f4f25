#include "conversion/TrackKind.h"

#include "conversion/Extension.h"

namespace vq3 {

TrackKind ClassifyTrack(std::string_view entry) {
    const std::string extension = LastThreeLower(entry);
    if (extension == "wav") {
        return TrackKind::Wave;
    }
    if (extension == "mp3") {
        return TrackKind::Mp3;
    }
    return TrackKind::Other;
}

} // namespace vq3
