#pragma once

#include "runner/RunnerHost.h"
#include "runner/StopRequest.h"

#include <functional>
#include <string>

namespace vq3::runner {

// Runs the work on a second thread while a small window, opened minimized and without taking
// the focus, shows which track converts, a progress bar and the time so far, with the transcript
// behind a button; messages appear as boxes above other windows that neither take the focus nor
// hold up the work, and a pause waits for a key in the window. Closing the window asks whether to
// stop, and a yes requests the stop, until the result is shown; the window closes when the work
// is done. Returns the work's result, once the user has dismissed every box as well.
int RunInWindow(const std::string& title, const StopRequest& stop,
                const std::function<int(RunnerHost&)>& work);

} // namespace vq3::runner
