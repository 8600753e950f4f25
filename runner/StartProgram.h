#pragma once

#include <sys/types.h>

namespace vq3::runner {

// A program that was started, or why it could not be: `error` is an errno value, 0 once started.
struct StartedProgram {
    pid_t pid = -1;
    int error = 0;
};

// Starts args[0] (a path) with args, a null-terminated list, in workingDir, as the leader of a
// process group of its own. Its standard input is empty, its standard output is outputFd (this
// process's own when -1), its standard error is errorsFd, and it gets no other open file of this
// process. A failure to change to the folder or to run the program is reported here, not by an
// exit status.
StartedProgram StartProgram(char* const* args, const char* workingDir, int outputFd, int errorsFd);

} // namespace vq3::runner
