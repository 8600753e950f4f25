#pragma once

#include <string>
#include <string_view>

namespace vq3 {

// One double quote, the text, one double quote; nothing inside is escaped.
std::string AddQuotes(std::string_view text);

// The command interpreter expands "%" even between double quotes in a batch file, so a name
// written into the script has each "%" doubled.
std::string EscapeForQuotedUse(std::string_view text);

// For text outside double quotes (the "cd" line): "%" doubled, and "&", "|", "<", ">" and "^"
// each behind a caret so they cannot split or redirect the command.
std::string EscapeForUnquotedUse(std::string_view text);

// False for text the script cannot carry in any form: a double quote or a control character.
bool ScriptSyntaxCanCarry(std::string_view text);

} // namespace vq3
