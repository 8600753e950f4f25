#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vq3 {

// Paths travel through the program as UTF-8 text; this turns one into the platform's own form.
inline std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// True only for an existing regular file (or a link to one); false for folders and missing paths.
bool FileExists(const std::string& path);

enum class PathKind { Missing, File, Folder, Link, Other };

// What lies at the path itself: a link is reported as a link, not followed.
PathKind KindOf(const std::string& path);

// The first `limit` bytes of a file (fewer if it is shorter); empty when it cannot be read.
std::string ReadStart(const std::string& path, size_t limit);

// The command interpreter reads a script in the console's code page. Returns the bytes to
// write for a UTF-8 text, or nothing when the code page cannot represent every character.
std::optional<std::string> EncodeForConsole(const std::string& utf8);
// False for a name a program the script starts would read as another: on Windows one with a
// letter the ANSI code page lacks (most programs read their command line in it, though the
// console's may have the letter), elsewhere one with a backslash, a folder to Windows programs.
bool ProgramsCanRead(const std::string& utf8);
// The code page EncodeForConsole writes in (65001 for UTF-8).
unsigned ConsoleCodePage();

// Why a file cannot be written or made, in words: the system's, but for the two cases where
// they would not say what is wrong.
constexpr const char* LinkNotFollowedReason = "it is a link, which is never followed";
constexpr const char* FolderInTheWayReason = "a folder of that name is in the way";
constexpr const char* NotAFileReason = "a pipe or device of that name is in the way";
std::string WhyNotWritable(int error);

// Creates or truncates the file and writes each line followed by CR LF, in the console's
// code page, then closes it. Fails, with the system's reason, rather than write a line the
// code page cannot hold, write through a link to wherever it points, or wait on a pipe.
Result WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace vq3
