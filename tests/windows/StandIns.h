#pragma once

#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "support/Waiting.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>

namespace vq3::test {

// Puts the stand-ins, built beside the tests, into a music folder as madplay.exe and enc.exe.
inline void PutStandIns(const std::string& folder) {
    const std::filesystem::path built = FsPath(AppInfo::AppDir());
    std::filesystem::copy_file(built / "vq3_stand_in_decoder.exe", FsPath(folder) / "madplay.exe");
    std::filesystem::copy_file(built / "vq3_stand_in_encoder.exe", FsPath(folder) / "enc.exe");
}

// Waits for a started conversion's files, handling this thread's window messages meanwhile.
// Wine starts its command interpreter slowly the first time.
inline bool WaitForFiles(const std::vector<std::string>& paths) {
    return WaitUntil(
        [&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            return std::all_of(paths.begin(), paths.end(), [](const std::string& path) {
                return std::filesystem::exists(FsPath(path));
            });
        },
        std::chrono::seconds(90));
}

} // namespace vq3::test
