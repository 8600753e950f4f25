#pragma once

#include <string>

namespace vq3 {

enum class ProgramState { Usable, Missing, CannotRun };

// Whether the conversion script, run in appDir, will start the program it names there: on
// Windows the program must lie in appDir; elsewhere it is found as our own interpreter finds it.
ProgramState LookUpScriptProgram(const std::string& name, const std::string& appDir);

// Elsewhere than on Windows a program may also come from the search path (Debian's madplay).
#ifdef _WIN32
constexpr bool ScriptProgramsMayBeOnSearchPath = false;
#else
constexpr bool ScriptProgramsMayBeOnSearchPath = true;
#endif

} // namespace vq3
