#include "runner/RunAccount.h"

#include "runner/Messages.h"

namespace vq3::runner {

void RunAccount::Listed(const TrackProgress& track) {
    tracks_[track.number].name = track.name;
}

void RunAccount::Begins(const TrackProgress& track) {
    current_ = track.number;
    Track& begun = tracks_[current_];
    begun = Track{track.name, true, false, "", std::nullopt};
}

void RunAccount::Finished() {
    if (current_ != 0) {
        tracks_[current_].finished = true;
    }
}

void RunAccount::Failed(const std::string& why, const std::string& added) {
    pending_ = why;
    if (current_ != 0) {
        tracks_[current_].added = added;
    }
}

void RunAccount::LineRuns(bool looksAtTheLastOne) {
    if (pending_ && !looksAtTheLastOne) {
        if (current_ == 0) {
            untracked_.push_back(*pending_);
        } else if (!tracks_[current_].unanswered) {
            // The first failure is the cause; what fails after it only follows from it.
            tracks_[current_].unanswered = pending_;
        }
    }
    pending_.reset();
}

bool RunAccount::HasUnansweredFailure() const {
    if (pending_ || !untracked_.empty()) {
        return true;
    }
    for (const auto& [number, track] : tracks_) {
        if (track.unanswered) {
            return true;
        }
    }
    return false;
}

RunOutcome RunAccount::Outcome(const VariableLookup& variable, bool stopped) const {
    RunAccount settled = *this;
    settled.LineRuns(false);
    RunOutcome outcome;
    outcome.count = tracks_.empty() ? 0 : tracks_.rbegin()->first;
    for (const auto& [number, track] : settled.tracks_) {
        const bool cutShort = number > current_ || (number == current_ && !track.finished);
        const auto record = variable(vocabulary_.FailureVariable(number));
        if (!track.reached || (stopped && cutShort)) {
            outcome.notConverted.push_back(track.name);
            if (!stopped) {
                outcome.failures.push_back({track.name, NotReachedReason});
            }
        } else if (record || track.unanswered) {
            outcome.notConverted.push_back(track.name);
            outcome.failures.push_back(
                {track.name, record ? *record + track.added : *track.unanswered});
        } else {
            outcome.converted.push_back(track.name);
        }
    }
    for (const auto& why : settled.untracked_) {
        outcome.failures.push_back({"", why});
    }
    outcome.end = stopped                    ? RunOutcome::End::Stopped
                  : outcome.failures.empty() ? RunOutcome::End::AllConverted
                                             : RunOutcome::End::NotAllConverted;
    return outcome;
}

} // namespace vq3::runner
