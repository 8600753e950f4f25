#include "runner/RunnerHost.h"

#include <cstdio>

namespace vq3::runner {

void ConsoleHost::Transcript(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void ConsoleHost::ShowMessage(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

} // namespace vq3::runner
