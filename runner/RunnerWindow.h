#pragma once

#include "runner/RunnerHost.h"

#include <functional>
#include <string>

namespace vq3::runner {

// Runs the work on a second thread while a small window, opened minimized and without taking
// the focus, shows the transcript; messages appear as modal boxes. The window closes when the
// work is done. Returns the work's result.
int RunInWindow(int argc, char** argv, const std::string& title,
                const std::function<int(RunnerHost&)>& work);

} // namespace vq3::runner
