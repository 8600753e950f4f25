#pragma once

#include "platform/Result.h"
#include "runner/Messages.h"
#include "runner/RunnerHost.h"
#include "runner/ScriptSyntax.h"
#include "runner/StopRequest.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vq3::runner {

// Runs the commands a conversion script uses (cd, start, del, ren, msg, exit, and the flow
// around them: if errorlevel / exist / defined, goto and labels, set, title, echo, pause), one
// line at a time, like the Windows command interpreter, but never announces a success that did
// not happen: failures are collected and shown instead of the script's own message.
//
// A track is known by the name its files share before their extension ("Intro." for
// "Intro.wav", "Intro.aifr" and "Intro.fda"), read from the decoder's wave: target, the
// encoder's second argument and the first name of a ren. Once a program line of a track has
// failed, its ren is skipped so that no unfinished file gets the final name, and the files this
// run wrote for it are removed; the track's next decode, or an encode of a WAV this run did not
// write, begins it anew. A file that was there before the run wrote it is the user's and is
// never removed.
//
// A stop request ends the running program, removes what the current track wrote so far, and
// runs no further line.
class ScriptExecutor {
public:
    ScriptExecutor(RunnerHost& host, std::string workingDir, std::string searchPath,
                   const StopRequest& stop);

    // The exit status: 0 when every line succeeded and the script did not exit with a status of
    // its own, 1 otherwise or when stopped.
    int Run(const std::vector<ScriptLine>& lines);

private:
    enum class Flow { Continue, Stop };

    Flow Execute(const ScriptLine& line);
    Flow Dispatch(const ScriptLine& line, const std::string& text, const CommandParts& command);
    Flow If(const ScriptLine& line, const std::string& text, const std::string& rest);
    Result GoTo(const std::string& rest);
    Result ChangeFolder(const std::string& rest);
    Result Start(const std::string& rest);
    Result RunProgram(const std::vector<std::string>& args, const std::string& decodedWave);
    Result Delete(const std::string& rest);
    Flow Rename(const ScriptLine& line, const std::string& text, const std::string& rest);
    Result Set(const std::string& rest);
    void Echo(const std::string& rest);
    void Message(const std::string& rest);
    // Notes a failed or skipped line for the transcript and the summary.
    void Report(const ScriptLine& line, const std::string& text, const std::string& reason);

    std::optional<std::string> Variable(std::string_view name) const;
    std::string PathOf(const std::string& name) const;
    // The track a name of this kind belongs to, or "" for a name of another kind.
    std::string TrackOf(const std::string& name, const std::string& extension) const;
    bool WrittenByThisRun(const std::string& track, const std::string& path) const;
    void RemoveWhatThisRunWrote(const std::string& track);
    std::vector<std::string> NotConverted(const std::vector<ScriptLine>& lines) const;

    RunnerHost& host_;
    std::string workingDir_;
    std::string searchPath_;
    const StopRequest& stop_;
    // Where each label stands (the line's index), in file order, and the next line to run.
    std::map<std::string, std::vector<size_t>> labels_;
    size_t next_ = 0;
    std::map<std::string, std::string> variables_; // by lower-case name
    int errorLevel_ = 0;
    bool echo_ = true;
    int exitStatus_ = 0;
    size_t failedLines_ = 0;
    std::vector<LineReport> reports_;
    bool summaryShown_ = false;
    std::map<std::string, std::vector<std::string>> writtenByThisRun_; // by track
    std::set<std::string> failedTracks_;
    std::string currentTrack_; // begun by a program line, done at its ren
    std::vector<std::string> converted_;
};

} // namespace vq3::runner
