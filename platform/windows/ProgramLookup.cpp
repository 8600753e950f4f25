#include "platform/ProgramLookup.h"

#include "platform/Files.h"
#include "platform/PathRules.h"

namespace vq3 {

// The script starts programs by bare name from its folder, where the user is told to put them.
ProgramState LookUpScriptProgram(const std::string& name, const std::string& appDir) {
    return FileExists(PathRules::Windows().JoinPath(appDir, name)) ? ProgramState::Usable
                                                                   : ProgramState::Missing;
}

} // namespace vq3
