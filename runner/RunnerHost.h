#pragma once

#include "runner/RunAccount.h"
#include "runner/StopRequest.h"

#include <optional>
#include <string>
#include <string_view>

namespace vq3::runner {

// Where a running script's transcript and messages go: a window, or the console.
class RunnerHost {
public:
    virtual ~RunnerHost() = default;
    // Echoed command lines and, where it is captured, the programs' own output.
    virtual void Transcript(std::string_view text) = 0;
    // False where the programs may write straight to this process's standard output, which
    // is where the transcript goes anyway.
    virtual bool CapturesProgramOutput() const { return true; }
    // Returns at once, as Windows' msg does: the run, and its hold on the folder, end without
    // waiting for the user to read the message.
    virtual void ShowMessage(const std::string& text) = 0;
    // The script's title, and the track it names as it begins, if it names one.
    virtual void Title(const std::string& /*title*/,
                       const std::optional<TrackProgress>& /*track*/) {}
    // The run's result, in tracks, just before it is shown or the run ends.
    virtual void Outcome(const RunOutcome& outcome) = 0;
    // Returns once the user has pressed a key, or the stop is requested.
    virtual void Pause(const StopRequest& stop) = 0;
};

// Without a display: the transcript goes to standard output, messages to standard error, and
// a pause waits only for a user at a terminal.
class ConsoleHost : public RunnerHost {
public:
    ConsoleHost();
    void Transcript(std::string_view text) override;
    void ShowMessage(const std::string& text) override;
    void Outcome(const RunOutcome& outcome) override;
    bool CapturesProgramOutput() const override { return capturesProgramOutput_; }
    void Pause(const StopRequest& stop) override;

private:
    // A terminal shows what the programs write as they write it. Anywhere else the transcript is
    // written in blocks, as other tools write there, so the programs' output passes through it to
    // keep its place.
    bool capturesProgramOutput_;
};

} // namespace vq3::runner
