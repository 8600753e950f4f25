#pragma once

#include "runner/RunnerHost.h"

namespace vq3::runner {

// Without a display: the transcript goes to standard output, messages to standard error.
class ConsoleHost : public RunnerHost {
public:
    void Transcript(std::string_view text) override;
    void ShowMessage(const std::string& text) override;
    bool CapturesProgramOutput() const override { return false; }
};

} // namespace vq3::runner
