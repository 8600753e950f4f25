#include "platform/SystemPlatform.h"

#include "platform/ConsoleEncoding.h"
#include "platform/FileQueries.h"
#include "platform/ScriptLauncher.h"
#include "platform/TextFile.h"

#include <utility>

namespace vq3 {

SystemPlatform::SystemPlatform(MessageSink showMessage) : showMessage_(std::move(showMessage)) {}

void SystemPlatform::ShowMessage(const std::string& text) {
    showMessage_(text);
}

IoResult SystemPlatform::WriteTextLines(const std::string& path,
                                        const std::vector<std::string>& lines) {
    return vq3::WriteTextLines(path, lines);
}

bool SystemPlatform::FileExists(const std::string& path) {
    return vq3::FileExists(path);
}

bool SystemPlatform::ScriptCanCarry(const std::string& text) {
    return EncodeForConsole(text).has_value();
}

IoResult SystemPlatform::LaunchScript(const std::string& scriptPath,
                                      const std::string& workingDir) {
    return vq3::LaunchScript(scriptPath, workingDir);
}

} // namespace vq3
