#pragma once

#include <optional>
#include <string>

namespace vq3 {

// On Windows, the file in a conversion's folder that the running conversion holds open for no one
// else to share. It stays when the conversion ends: removing a file that another process may be
// opening at that moment would let two conversions hold two different files.
constexpr const char* ConversionLockName = "vq3mc.lock";

// Why a lock handed over is refused.
constexpr const char* HandedLockNotThisFoldersReason =
    "the lock handed over is not this folder's, or no longer held";

// How the tool names, on vq3run's command line, the descriptor of the lock it hands over:
// "--lock-fd=N" before the script's path.
constexpr const char* LockHandOverOption = "--lock-fd=";

// "A conversion is running in this folder" means one thing: someone holds the folder's
// ConversionLock, exclusively, however many copies of the tool look. Who holds it:
// - the tool takes it before it writes anything for a conversion, and hands it to the
//   interpreter it starts, which holds it until the run ends, however it ends;
// - on Windows it is vq3mc.lock, opened unshared; the command interpreter inherits the handle
//   (and nothing else of the tool's); the programs it runs inherit it from there;
// - on Linux it is an flock on the folder itself; vq3run inherits the descriptor, named on its
//   command line, and keeps it from the programs it runs; started by hand, it takes the lock
//   itself.
// A process that ends lets go of it, so a lock outlives no run.
class ConversionLock {
public:
#ifdef _WIN32
    using Handle = void*;
#else
    using Handle = int;
#endif

    // What is locked: the folder's vq3mc.lock on Windows, the folder itself elsewhere.
    static std::string LockedPath(const std::string& folder);
    // Nothing when another conversion holds it (whyNot left empty), or when it cannot be made or
    // locked (whyNot says why; on Windows in the words used for any file written: a folder or a
    // link in its place). Never waits.
    static std::optional<ConversionLock> Take(const std::string& folder, std::string& whyNot);
#ifndef _WIN32
    // The lock handed over as the open descriptor fd: nothing, with whyNot set, unless fd is the
    // folder's lock file and holds its lock.
    static std::optional<ConversionLock> Adopt(int fd, const std::string& folder,
                                               std::string& whyNot);
#endif

    Handle NativeHandle() const {
        return handle_;
    }

    ConversionLock(ConversionLock&& other) noexcept;
    ConversionLock& operator=(ConversionLock&& other) noexcept;
    ConversionLock(const ConversionLock&) = delete;
    ConversionLock& operator=(const ConversionLock&) = delete;
    ~ConversionLock();

private:
    explicit ConversionLock(Handle handle) : handle_(handle) {}

    Handle handle_;
};

} // namespace vq3
