#pragma once

#include "platform/PathRules.h"
#include "platform/Platform.h"

#include <functional>
#include <string>
#include <vector>

namespace vq3 {

// The list's indices are 16-bit signed numbers.
constexpr int MaxListEntries = 32767;

// One dropped item, in drop order: a file of this machine by its path, or anything else (a file
// of another host, a web address) by its name alone, which is always refused.
struct DroppedFile {
    std::string path;
    bool elsewhere = false; // not on this machine: path holds only its name
};

// Receives the positions (in the drop) of admitted paths, to append to the list in one go.
using AppendToList = std::function<void(const std::vector<size_t>& positions)>;

// Tests each dropped path, in drop order, for a file of the same name in appDir, and an MP3 or
// WAV for a name the conversion script can hold. Admitted paths go to the list, at most `room` of
// them, in batches: whatever was admitted is appended before a refusal is shown, so the list is
// never behind the messages. The first ten refused paths cost one message each, the rest of the
// drop's one message per reason; admitted paths beyond the room are reported in one message.
void AcceptDroppedFiles(const std::vector<DroppedFile>& files, const std::string& appDir, int room,
                        Platform& platform, const AppendToList& append,
                        const PathRules& rules = PathRules::Host());

} // namespace vq3
