#pragma once

#include <string>
#include <windows.h>
// Needs windows.h first.
#include <psapi.h>

namespace vq3::bench {

// Tells the bench, on standard output, that the window is on the screen and how much memory
// the process has needed at most so far; the bench times the first line's arrival.
inline void ReportShown() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const std::string line =
        "peak-kib " + std::to_string(counters.PeakWorkingSetSize / 1024) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

// Handles whatever the window has been sent so far, painting included.
inline void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace vq3::bench
