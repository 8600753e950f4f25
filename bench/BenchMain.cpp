// Runs every benchmark case against its baseline and prints one table of medians.
#include "bench/Cases.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

std::filesystem::path MakeScratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vq3bench-XXXXXX").string();
    return mkdtemp(pattern.data());
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const auto scratch = MakeScratch();
    std::vector<vq3::bench::Row> rows;
    int missed = 0;
    try {
        for (auto* cases : {vq3::bench::ConvertCases, vq3::bench::IntakeCases,
                            vq3::bench::RunnerCases, vq3::bench::StartupCases}) {
            for (auto& row : cases(scratch)) {
                rows.push_back(row);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        std::filesystem::remove_all(scratch);
        return 1;
    }
    std::filesystem::remove_all(scratch);

    std::printf("| case | median | baseline | ratio | goal | |\n|---|---:|---:|---:|---:|---|\n");
    for (const auto& row : rows) {
        if (row.goal == 0) {
            std::printf("| %s | %.1f | | | | %s |\n", row.name.c_str(), row.caseMs,
                        row.note.c_str());
            continue;
        }
        const double ratio = row.caseMs / row.baselineMs;
        const bool met = ratio <= row.goal;
        missed += met ? 0 : 1;
        std::printf("| %s | %.1f | %.1f | %.2f | %.2f %s | %s |\n", row.name.c_str(), row.caseMs,
                    row.baselineMs, ratio, row.goal, met ? "met" : "MISSED", row.note.c_str());
    }
    std::printf("\nTimes in ms (memory rows in MiB), medians of %d runs.\n", vq3::bench::Runs);
    return missed == 0 ? 0 : 2;
}
