#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#ifdef _WIN32
#include "platform/windows/WinText.h"

#include <system_error>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vq3 {

namespace {

#ifdef _WIN32
// Links and junctions are reparse points; the C++ library here does not report them as links.
bool IsReparsePoint(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
#endif

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    // The C library calls both a link and a folder "Permission denied": say which it is.
    if (IsReparsePoint(path)) {
        errno = ELOOP;
        return nullptr;
    }
    std::FILE* file = _wfopen(path.c_str(), L"wb");
    std::error_code ignored;
    if (file == nullptr && std::filesystem::is_directory(path, ignored)) {
        errno = EISDIR;
    }
    return file;
#else
    // Without waiting: a pipe with no reader fails at once (ENXIO), and anything but a regular
    // file is refused the same way.
    const int fd = open(path.c_str(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = ENXIO;
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
    }
    return file;
#endif
}

Result FailureFromErrno() {
    return Result::Failure(WhyNotWritable(errno));
}

} // namespace

std::string WhyNotWritable(int error) {
    switch (error) {
    case ELOOP:
        return LinkNotFollowedReason;
    case EISDIR:
        return FolderInTheWayReason;
    case ENXIO:
        return NotAFileReason;
    default:
        return std::strerror(error);
    }
}

bool FileExists(const std::string& path) {
#ifdef _WIN32
    std::error_code ignored;
    return std::filesystem::is_regular_file(FsPath(path), ignored);
#else
    // Asked for every dropped file: a plain stat, with no path object to build.
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

PathKind KindOf(const std::string& path) {
    namespace fs = std::filesystem;
#ifdef _WIN32
    if (IsReparsePoint(FsPath(path))) {
        return PathKind::Link;
    }
#endif
    std::error_code error;
    const fs::file_status status = fs::symlink_status(FsPath(path), error);
    switch (status.type()) {
    case fs::file_type::not_found:
        return PathKind::Missing;
    case fs::file_type::regular:
        return PathKind::File;
    case fs::file_type::directory:
        return PathKind::Folder;
    case fs::file_type::symlink:
        return PathKind::Link;
    default:
        // A path below a missing folder is missing too; anything else is in the way.
        return error ? PathKind::Missing : PathKind::Other;
    }
}

std::string ReadStart(const std::string& path, size_t limit) {
    std::string bytes(limit, '\0');
    std::ifstream file(FsPath(path), std::ios::binary);
    file.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<size_t>(file.gcount()));
    return bytes;
}

#ifdef _WIN32

namespace {

// The text in the code page, or nothing when it lacks a letter. No best-fit mapping: "?" or a
// look-alike letter would name another file.
std::optional<std::string> Encode(const std::string& utf8, UINT codePage) {
    // A code page of UTF-8 holds every name as it is.
    if (utf8.empty() || codePage == CP_UTF8) {
        return utf8;
    }
    const std::wstring wide = Widen(utf8);
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string encoded(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        encoded.data(), size, nullptr, nullptr);
    return encoded;
}

} // namespace

std::optional<std::string> EncodeForConsole(const std::string& utf8) {
    return Encode(utf8, GetOEMCP());
}

bool ProgramsCanRead(const std::string& utf8) {
    return Encode(utf8, GetACP()).has_value();
}

unsigned ConsoleCodePage() {
    return GetOEMCP();
}

#else

// The system's encoding is UTF-8 and our own interpreter reads UTF-8: bytes pass unchanged.
std::optional<std::string> EncodeForConsole(const std::string& utf8) {
    return utf8;
}

// The game's encoder is a Windows program, run through wine, which reads a backslash as a folder:
// "a\b.wav" would convert a/b.wav and overwrite a/b.aifr.
bool ProgramsCanRead(const std::string& utf8) {
    return utf8.find('\\') == std::string::npos;
}

unsigned ConsoleCodePage() {
    return 65001;
}

#endif

Result WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines) {
        const auto encoded = EncodeForConsole(line);
        if (!encoded) {
            return Result::Failure("a name holds a character the console's code page lacks");
        }
        content += *encoded;
        content += "\r\n";
    }

    std::FILE* file = OpenForWriting(FsPath(path));
    if (file == nullptr) {
        return FailureFromErrno();
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    // A full disk may only show when the buffer is flushed at close.
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    if (written && closed) {
        return Result::Success();
    }
    // Half a file would be taken for a whole one, or, next time, for one the user wrote.
    std::error_code ignored;
    std::filesystem::remove(FsPath(path), ignored);
    return Result::Failure(WhyNotWritable(written ? closeError : writeError));
}

} // namespace vq3
