#include "conversion/TrackDescriptor.h"

#include "conversion/Extension.h"

namespace vq3 {

std::string DescriptorPath(std::string_view entry) {
    return ReplaceLastThree(entry, "lua");
}

const std::vector<std::string>& TrackDescriptorLines() {
    static const std::vector<std::string> lines{"version = 4", "volume = 0.7",
                                                "randSampContainer = 0"};
    return lines;
}

IoResult WriteTrackDescriptor(std::string_view entry, Platform& platform) {
    return platform.WriteTextLines(DescriptorPath(entry), TrackDescriptorLines());
}

} // namespace vq3
