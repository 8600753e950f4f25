// Times the tool's window from process start to shown against a minimal Win32 window, run by
// turns, and compares their peak memory; prints one table of medians.
#include "bench/Measure.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <tuple>
#include <windows.h>

namespace {

// More runs than the other benchmarks: a program's start under Wine varies far more than the
// work measured here.
constexpr int Runs = 31;

struct Start {
    double ms = 0;
    double peakMiB = 0;
};

std::wstring Beside(const std::wstring& name) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Starts the program with its output on a pipe; the first line it writes says it is shown.
Start TimeToShown(const std::wstring& program, const std::wstring& arguments = L"") {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inheritable, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;

    const auto start = std::chrono::steady_clock::now();
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (started && ReadFile(readEnd, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
        line += c;
    }
    const auto shown = std::chrono::steady_clock::now();
    CloseHandle(readEnd);
    DWORD status = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    if (status != 0 || line.rfind("peak-kib ", 0) != 0) {
        throw std::runtime_error("a start-up run did not report its window shown");
    }
    return {std::chrono::duration<double, std::milli>(shown - start).count(),
            std::stod(line.substr(9)) / 1024.0};
}

// Prints one row and returns whether it met the goal.
bool PrintRow(const char* name, double median, double baseline, const char* note) {
    constexpr double Goal = 1.2;
    const double ratio = median / baseline;
    std::printf("| %s | %.1f | %.1f | %.2f | %.2f %s | %s |\n", name, median, baseline, ratio, Goal,
                ratio <= Goal ? "met" : "MISSED", note);
    return ratio <= Goal;
}

} // namespace

int main() {
    using vq3::bench::Median;
    const std::wstring tool = Beside(L"vq3_win_startup_probe.exe");
    const std::wstring minimal = Beside(L"vq3_win_minimal_window.exe");
    try {
        // Wine's first start of each program maps and caches what the later ones reuse.
        TimeToShown(tool);
        TimeToShown(minimal);
        std::vector<double> toolMs, minimalMs, labelMs, toolMiB, minimalMiB, labelMiB;
        for (int run = 0; run < Runs; ++run) {
            const Start toolRun = TimeToShown(tool);
            const Start minimalRun = TimeToShown(minimal);
            toolMs.push_back(toolRun.ms);
            toolMiB.push_back(toolRun.peakMiB);
            minimalMs.push_back(minimalRun.ms);
            minimalMiB.push_back(minimalRun.peakMiB);
            const Start labelRun = TimeToShown(minimal, L"--label");
            labelMs.push_back(labelRun.ms);
            labelMiB.push_back(labelRun.peakMiB);
        }
        std::printf("| case | median | baseline | ratio | goal | |\n"
                    "|---|---:|---:|---:|---:|---|\n");
        const bool timeMet = PrintRow("start-up (ms)", Median(toolMs), Median(minimalMs),
                                      "process start to the window shown; a minimal Win32 window");
        const bool memoryMet = PrintRow("start-up memory (MiB)", Median(toolMiB),
                                        Median(minimalMiB), "PeakWorkingSetSize once shown");
        // The first themed control loads the common controls and the theme: any window that
        // shows text pays for them, the empty baseline does not.
        for (const auto& [name, median, baseline] :
             {std::tuple("start-up, baseline showing one label (ms)", Median(toolMs),
                         Median(labelMs)),
              std::tuple("start-up memory, baseline showing one label (MiB)", Median(toolMiB),
                         Median(labelMiB))}) {
            std::printf("| %s | %.1f | %.1f | %.2f | | the same minimal window with one themed "
                        "label |\n",
                        name, median, baseline, median / baseline);
        }
        std::printf("\nMedians of %d runs, run by turns.\n", Runs);
        return timeMet && memoryMet ? 0 : 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        return 1;
    }
}
