#pragma once

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace vq3::test {

// While alive, this process's standard output and error go to a file, and so do those of
// any process started meanwhile, which inherits them.
class CapturedOutput {
public:
    explicit CapturedOutput(const std::string& path) {
        std::fflush(stdout);
        std::fflush(stderr);
        savedOut_ = dup(STDOUT_FILENO);
        savedErr_ = dup(STDERR_FILENO);
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
        dup2(file, STDOUT_FILENO);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~CapturedOutput() {
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(savedOut_, STDOUT_FILENO);
        dup2(savedErr_, STDERR_FILENO);
        close(savedOut_);
        close(savedErr_);
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

private:
    int savedOut_;
    int savedErr_;
};

} // namespace vq3::test
