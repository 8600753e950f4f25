#pragma once

#include "platform/IoResult.h"

#include <string>
#include <vector>

namespace vq3 {

// Everything the conversion needs from the outside world, so tests can stand in for it.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message with one OK button; returns once the user has dismissed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // Creates or truncates the file and writes every line followed by CR LF.
    virtual IoResult WriteTextLines(const std::string& path,
                                    const std::vector<std::string>& lines) = 0;
    // True only for an existing regular file.
    virtual bool FileExists(const std::string& path) = 0;
    // Whether the text survives the encoding the script file is written in.
    virtual bool ScriptCanCarry(const std::string& text) = 0;
    // Starts the script minimized, without focus, in the given folder; does not wait for it.
    virtual IoResult LaunchScript(const std::string& scriptPath, const std::string& workingDir) = 0;
};

} // namespace vq3
