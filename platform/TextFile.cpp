#include "platform/TextFile.h"

#include "platform/ConsoleEncoding.h"
#include "platform/FsPath.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vq3 {

namespace {

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

IoResult FailureFromErrno() {
    return IoResult::Failure(std::strerror(errno));
}

} // namespace

IoResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines) {
        const auto encoded = EncodeForConsole(line);
        if (!encoded) {
            return IoResult::Failure("a name holds a character the console's code page lacks");
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
    if (!written) {
        return IoResult::Failure(std::strerror(writeError));
    }
    if (!closed) {
        return FailureFromErrno();
    }
    return IoResult::Success();
}

} // namespace vq3
