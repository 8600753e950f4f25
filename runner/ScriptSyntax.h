#pragma once

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

// Undoes a batch file's escaping as the Windows command interpreter does before it reads a
// line: "%%" becomes "%", and outside double quotes "^x" becomes "x". Quotes stay.
std::string UnescapeBatchLine(std::string_view line);

// The command word (lower case) and what follows it, leading blanks removed.
struct CommandParts {
    std::string name;
    std::string rest;
};
CommandParts SplitCommand(std::string_view line);

// Splits a command line into arguments the way a Windows C program does: blanks separate,
// double quotes group and are removed, backslashes are literal unless they precede a quote.
std::vector<std::string> SplitWindowsCommandLine(std::string_view text);

} // namespace vq3::runner
