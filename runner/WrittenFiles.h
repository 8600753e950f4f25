#pragma once

#include "conversion/ScriptNames.h"

#include <string>
#include <vector>

namespace vq3::runner {

// What the current track's programs wrote: every name a program is given (the decoder's target
// without its prefix) that did not exist when it started. Such a file is unfinished until the
// track is: a program that fails leaves none of its own behind, so that no half output is ever
// renamed into a finished one, and a stop removes the track's. A file that was there before is
// the user's and is never removed.
class WrittenFiles {
public:
    explicit WrittenFiles(ScriptVocabulary vocabulary) : vocabulary_(std::move(vocabulary)) {}

    // The name a program is told to decode into, or "".
    std::string DecodedWave(const std::vector<std::string>& args) const;

    // Before a program starts in dir, with its arguments after its name.
    void ProgramStarting(const std::vector<std::string>& args, const std::string& dir);
    // Removes what the program that last started wrote.
    void ProgramFailed();
    // A finished track's files are no longer the run's to remove.
    void TrackFinished();
    // On a stop: removes what the current track wrote so far.
    void RemoveUnfinished();

private:
    ScriptVocabulary vocabulary_;
    std::vector<std::string> unfinished_; // paths, in the order their programs started
    size_t lastProgramFrom_ = 0;          // where the last program's paths begin
};

} // namespace vq3::runner
