#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq3::runner {

// How the interpreter reads a conversion script: its lines, the batch file's escaping, the
// command word, and a program's arguments, each as Windows reads them.

// One line of a batch script with its 1-based line number in the file.
struct ScriptLine {
    int number;
    std::string text;
};

// Splits script text at LF (a CR before it is dropped) and leaves out blank lines.
std::vector<ScriptLine> SplitScript(std::string_view content);

// A variable's value by its name, or nothing when it is not set.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The first thing the Windows command interpreter does with a line of a batch file: "%%" becomes
// "%", "%name%" the variable's value (nothing when it is not set), "%0" to "%9" and "%*" (the
// script's arguments, of which it has none) nothing, and a "%" without a partner goes.
std::string ExpandPercents(std::string_view line, const VariableLookup& lookup);

// The second: outside double quotes "^x" becomes "x". Quotes stay.
std::string RemoveCarets(std::string_view line);

// Both, for a line that names no variable.
std::string UnescapeBatchLine(std::string_view line);

// The label a line defines (":name", lower case), or nothing for any other line.
std::optional<std::string> LabelOf(std::string_view line);

// The first word as written (blanks inside double quotes belong to it) and what follows it,
// leading blanks removed.
struct CommandParts {
    std::string name;
    std::string rest;
};
CommandParts SplitFirstWord(std::string_view line);
// The same with the word in lower case: a command's name.
CommandParts SplitCommand(std::string_view line);

// Splits a command line into arguments the way a Windows C program does: blanks separate,
// double quotes group and are removed, backslashes are literal unless they precede a quote.
std::vector<std::string> SplitWindowsCommandLine(std::string_view text);

// A file the script names, as a path: in `folder`, unless the name starts at the root.
std::string InFolder(std::string_view folder, std::string_view name);

} // namespace vq3::runner
