#pragma once

#include "conversion/Script.h"
#include "conversion/ScriptNames.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vq3::runner {

// How a run ended, in the user's tracks.
struct RunOutcome {
    enum class End { AllConverted, NotAllConverted, Stopped };
    struct Failure {
        std::string track; // "" for a failure outside any track
        std::string why;

        bool operator==(const Failure&) const = default;
    };
    End end = End::AllConverted;
    size_t count = 0; // the tracks the script converts; 0 for a script that names none
    std::vector<std::string> converted;
    std::vector<std::string> notConverted; // failed, stopped or never reached
    std::vector<Failure> failures;

    bool operator==(const RunOutcome&) const = default;
};

// What happened to each track the script's titles name, fed by the executor line by line.
// Where the script keeps its own record of a failed track (its failure variable), that record
// says why; a failure the script does not look at (the next line it runs is no "if") is the
// runner's to tell, so that it never goes unreported.
class RunAccount {
public:
    using VariableLookup = std::function<std::optional<std::string>(const std::string& name)>;

    explicit RunAccount(ScriptVocabulary vocabulary) : vocabulary_(std::move(vocabulary)) {}

    // A title the script holds, read before the run: the tracks it will convert.
    void Listed(const TrackProgress& track);
    // A title the run reaches: that track's lines begin.
    void Begins(const TrackProgress& track);
    // The current track's output got its final name.
    void Finished();
    // A line failed. What the runner saw that the script cannot (a program's last words) is
    // added to the script's own record of the track.
    void Failed(const std::string& why, const std::string& added = "");
    // Before each line runs.
    void LineRuns(bool looksAtTheLastOne);
    bool HasUnansweredFailure() const;

    RunOutcome Outcome(const VariableLookup& variable, bool stopped) const;

private:
    struct Track {
        std::string name;
        bool reached = false;
        bool finished = false;
        std::string added;
        std::optional<std::string> unanswered;
    };

    ScriptVocabulary vocabulary_;
    std::map<size_t, Track> tracks_; // by number
    size_t current_ = 0;             // 0 before the first track
    std::vector<std::string> untracked_;
    std::optional<std::string> pending_; // the last line's failure, not yet looked at
};

} // namespace vq3::runner
