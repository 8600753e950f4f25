#include "bench/Cases.h"
#include "bench/Measure.h"
#include "bench/QuietPlatform.h"
#include "conversion/ConvertFiles.h"
#include "conversion/Script.h"

#include <cstdio>
#include <filesystem>

namespace vq3::bench {

namespace {

namespace fs = std::filesystem;

const char* Kinds[] = {".mp3", ".wav", ".txt"};

std::vector<std::string> Entries(const fs::path& dir, int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back((dir / ("Track " + std::to_string(i) + Kinds[i % 3])).string());
    }
    return entries;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

size_t CountFiles(const fs::path& dir) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

std::vector<Row> ConvertCases(const fs::path& scratch) {
    const fs::path dir = scratch / "convert";
    fs::create_directories(dir);
    // Convert looks for the programs the script starts before it writes anything.
    for (const char* program : {"madplay.exe", "enc.exe"}) {
        fs::copy_file(NOOP_PROGRAM, dir / program);
    }
    // The descriptors, the script and the programs (the lock is the folder's own).
    const size_t filesAfter = MaxEntries + 3;
    const auto entries = Entries(dir, MaxEntries);
    const auto lines = BuildConversionScript(entries, dir.string(), 1024);
    size_t scriptBytes = 0;
    for (const auto& line : lines) {
        scriptBytes += line.size() + 2;
    }

    const auto convert = [&] {
        QuietPlatform platform;
        ConvertFiles(entries, 1024, dir.string(), platform);
        return platform.launches == 1 && platform.messages == 1 &&
               fs::file_size(dir / "vq3mc.bat") == scriptBytes && CountFiles(dir) == filesAfter;
    };

    const std::string descriptor = "version = 4\r\nvolume = 0.7\r\nrandSampContainer = 0\r\n";
    const std::string script(scriptBytes, 'x');
    const auto plainWrites = [&] {
        for (const auto& entry : entries) {
            if (!WriteBytes(entry.substr(0, entry.size() - 3) + "lua", descriptor)) {
                return false;
            }
        }
        return WriteBytes((dir / "vq3mc.bat").string(), script) && CountFiles(dir) == filesAfter;
    };
    const auto [convertMs, baselineMs, ratio] = MedianPairMs(convert, plainWrites);

    const double buildOnly = MedianMs(
        [&] { return BuildConversionScript(entries, dir.string(), 1024).size() == lines.size(); });
    fs::remove_all(dir);
    return {{"convert", convertMs, baselineMs, 1.2,
             "32,767 entries; C library writes of the same files", ratio},
            {"script only", buildOnly, 0, 0, "BuildConversionScript on 32,767 entries"}};
}

} // namespace vq3::bench
