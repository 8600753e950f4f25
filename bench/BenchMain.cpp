// Runs every benchmark case (or the one named: convert, intake, runner, start-up) against its
// baseline and prints one table of medians.
#include "bench/Cases.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <utility>

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
        const std::pair<std::string_view, decltype(&vq3::bench::RunnerCases)> groups[] = {
            {"convert", vq3::bench::ConvertCases},
            {"intake", vq3::bench::IntakeCases},
            {"runner", vq3::bench::RunnerCases},
            {"start-up", vq3::bench::StartupCases}};
        for (const auto& [name, cases] : groups) {
            if (argc > 1 && name != argv[1]) {
                continue;
            }
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
        const double ratio = row.ratio > 0 ? row.ratio : row.caseMs / row.baselineMs;
        const bool met = ratio <= row.goal;
        missed += met ? 0 : 1;
        std::printf("| %s | %.1f | %.1f | %.2f | %.2f %s | %s |\n", row.name.c_str(), row.caseMs,
                    row.baselineMs, ratio, row.goal, met ? "met" : "MISSED", row.note.c_str());
    }
    std::printf(
        "\nTimes in ms (memory rows in MiB), medians of %d runs; a time's ratio is the median "
        "of each run's against the baseline run beside it.\n",
        vq3::bench::Runs);
    return missed == 0 ? 0 : 2;
}
