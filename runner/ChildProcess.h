#pragma once

#include "platform/Result.h"
#include "runner/StopRequest.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vq3::runner {

using OutputSink = std::function<void(std::string_view)>;

// How a program that ran ended: its exit status as the command interpreter's error level (128
// plus the signal's number for a program ended by a signal), and the last line it wrote to its
// error output.
struct ProgramEnd {
    int status = 0;
    std::string lastErrorLine;
};

// Runs argv[0] (a path) with argv in workingDir, in a process group of its own, and waits for
// it to end; its standard input is empty, and it gets no other open file of this process. Its
// standard output and error go, as they come, to onOutput, or without one to this process's
// standard output (standard output straight, so nothing is read that need not be). Standard error
// is read in any case: a failure says how the program ended and the last line it wrote there (also
// handed to `end`, when given, whatever the outcome). Once stop is requested the program's whole
// process group is killed, children included, and the run fails; once the program has ended,
// whatever it left running in its group is killed too.
Result RunAndWait(const std::vector<std::string>& argv, const std::string& workingDir,
                  const OutputSink* onOutput, const StopRequest* stop = nullptr,
                  ProgramEnd* end = nullptr);

} // namespace vq3::runner
