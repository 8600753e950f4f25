#pragma once

#include <string>
#include <string_view>

namespace vq3::runner {

// Where a running script's transcript and messages go: a window, or the console.
class RunnerHost {
public:
    virtual ~RunnerHost() = default;
    // Echoed command lines and the programs' own output, as they come.
    virtual void Transcript(std::string_view text) = 0;
    // Returns once the user has dismissed the message.
    virtual void ShowMessage(const std::string& text) = 0;
};

} // namespace vq3::runner
