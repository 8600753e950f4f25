#pragma once

#include "platform/Platform.h"

namespace vq3::bench {

// For pictures and measurements: no message waits for a user and nothing is started.
class QuietPlatform : public Platform {
public:
    void ShowMessage(const std::string&) override { ++messages; }
    Result LaunchScript(const std::string&, const std::string&, const ConversionLock&) override {
        ++launches;
        return Result::Success();
    }
    int messages = 0;
    int launches = 0;
};

} // namespace vq3::bench
