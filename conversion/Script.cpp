#include "conversion/Script.h"

#include "conversion/Messages.h"
#include "conversion/ScriptNames.h"
#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

namespace vq3 {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset where the last three characters begin (0 when there are fewer).
size_t StartOfLastThree(std::string_view text) {
    size_t offset = text.size();
    for (int characters = 0; characters < 3 && offset > 0; ++characters) {
        do {
            --offset;
        } while (offset > 0 && IsContinuationByte(text[offset]));
    }
    return offset;
}

// Each "%" doubled, and a caret before each of the given characters.
std::string Escaped(std::string_view text, std::string_view caretBefore) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '%') {
            escaped += '%';
        } else if (caretBefore.find(c) != std::string_view::npos) {
            escaped += '^';
        }
        escaped += c;
    }
    return escaped;
}

std::string Quoted(std::string_view name) {
    return AddQuotes(EscapeForQuotedUse(name));
}

constexpr const char* CompletionLine = "msg * All files have been converted!";
constexpr std::string_view NotConvertedVariable = script_names::NotConvertedVariable;
constexpr const char* AllConvertedLabel = "vq3_all_converted";

// Labels and variables are numbered by track, from 1; track count + 1 is where the report starts.
std::string TrackLabel(size_t number, std::string_view what = "") {
    std::string label = "vq3_" + std::to_string(number);
    if (!what.empty()) {
        label += "_";
        label += what;
    }
    return label;
}

// The line a label stands on. Built by appending: GCC 12 warns wrongly about ":" + string.
std::string LabelLine(const std::string& label) {
    std::string line = ":";
    line += label;
    return line;
}

std::string FailureVariable(size_t number) {
    return ScriptVocabulary().FailureVariable(number);
}

// What a failed track records about a program.
std::string Ended(std::string_view program, std::string_view status) {
    return std::string(program) + " ended with exit status " + std::string(status);
}

// A program's exit status is tested as the command interpreter sees it: "errorlevel 1" is true
// from 1 up, so a crash, whose status is negative, needs the second line.
void AppendStatusCheck(std::vector<std::string>& lines, const std::string& label) {
    lines.push_back("if errorlevel 1 goto " + label);
    lines.push_back("if not errorlevel 0 goto " + label);
}

void AppendFailure(std::vector<std::string>& lines, size_t number, std::string_view what,
                   std::string_view record, bool last = false) {
    lines.push_back(LabelLine(TrackLabel(number, what)));
    lines.push_back("set " + FailureVariable(number) + "=" + std::string(record));
    if (!last) {
        lines.push_back("goto " + TrackLabel(number, "failed"));
    }
}

// One track's lines: the commands as they always were, each program's exit status tested, the
// encoder's output checked before and after the rename (not every interpreter's ren sets an
// error level when it fails).
// A failed track records why, removes the files this run made for it (never the track's own
// WAV) and the script goes on with the next track.
void AppendTrack(std::vector<std::string>& lines, const TrackJob& job, size_t number,
                 size_t count) {
    const bool mp3 = job.Kind == TrackKind::Mp3;
    const std::string next = TrackLabel(number + 1);
    lines.push_back("title " + EscapeForUnquotedUse(TrackTitle(number, count, job.SourceName)));
    // Cleared first, in case the environment the script started in happens to hold it.
    lines.push_back("set " + FailureVariable(number) + "=");
    if (mp3) {
        lines.push_back(job.DecodeCommand);
        AppendStatusCheck(lines, TrackLabel(number, "madplay"));
    }
    lines.push_back(job.EncodeCommand);
    AppendStatusCheck(lines, TrackLabel(number, "enc"));
    if (mp3) {
        lines.push_back(job.DeleteCommand);
    }
    lines.push_back("if not exist " + Quoted(job.EncodedName) + " goto " +
                    TrackLabel(number, "no_aifr"));
    lines.push_back(job.RenameCommand);
    lines.push_back("if exist " + Quoted(job.EncodedName) + " goto " +
                    TrackLabel(number, "not_renamed"));
    lines.push_back("goto " + next);
    if (mp3) {
        AppendFailure(lines, number, "madplay", Ended(script_names::Decoder, "%errorlevel%"));
    }
    AppendFailure(lines, number, "enc", Ended(script_names::Encoder, "%errorlevel%"));
    AppendFailure(lines, number, "no_aifr",
                  Ended(script_names::Encoder, "0") + " but wrote no ." +
                      std::string(script_names::EncodedExtension));
    AppendFailure(lines, number, "not_renamed",
                  "its ." + std::string(script_names::EncodedExtension) +
                      " could not be renamed to ." + std::string(script_names::OutputExtension),
                  true);
    lines.push_back(LabelLine(TrackLabel(number, "failed")));
    lines.push_back("set /a " + std::string(NotConvertedVariable) + "+=1");
    if (mp3) {
        lines.push_back("if exist " + Quoted(job.WaveName) + " del " + Quoted(job.WaveName));
    }
    lines.push_back("if exist " + Quoted(job.EncodedName) + " del " + Quoted(job.EncodedName));
    lines.push_back(LabelLine(next));
}

// After a failure the window stays open: it lists what failed and why, says so once more in a
// message, and waits for a key. A run without failures skips all this.
void AppendReport(std::vector<std::string>& lines, const std::vector<TrackJob>& jobs,
                  const PlatformWords& words) {
    lines.push_back("if not defined " + std::string(NotConvertedVariable) + " goto " +
                    AllConvertedLabel);
    lines.push_back("echo off");
    // The taskbar shows it too, where msg is missing.
    lines.push_back("title " + std::string(AppInfo::AppTitle) + ": not every file was converted");
    lines.push_back("echo These files were not converted:");
    for (size_t i = 0; i < jobs.size(); ++i) {
        const std::string variable = FailureVariable(i + 1);
        lines.push_back("if defined " + variable + " echo " + Quoted(jobs[i].SourceName) + ": %" +
                        variable + "%");
    }
    lines.push_back("msg * Not every file was converted: %" + std::string(NotConvertedVariable) +
                    "% of " + std::to_string(jobs.size()) + " failed.  " + words.failedRunWindow);
    lines.push_back("pause");
    lines.push_back("exit 1");
    lines.push_back(LabelLine(AllConvertedLabel));
}

} // namespace

std::string LastThreeLower(std::string_view text) {
    return LowerAscii(text.substr(StartOfLastThree(text)));
}

size_t CharacterCount(std::string_view text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::string ReplaceLastThree(std::string_view text, std::string_view extension) {
    std::string replaced(text.substr(0, StartOfLastThree(text)));
    replaced += extension;
    return replaced;
}

TrackKind ClassifyTrack(std::string_view entry) {
    const std::string extension = LastThreeLower(entry);
    if (extension == script_names::WaveExtension) {
        return TrackKind::Wave;
    }
    if (extension == script_names::Mp3Extension) {
        return TrackKind::Mp3;
    }
    return TrackKind::Other;
}

std::optional<TrackJob> BuildTrackJob(std::string_view entry, std::int16_t bitRate,
                                      const PathRules& rules) {
    const TrackKind kind = ClassifyTrack(entry);
    if (kind == TrackKind::Other) {
        return std::nullopt;
    }
    TrackJob job;
    job.Kind = kind;
    job.SourceName = rules.GetFileName(entry);
    job.Stem = ReplaceLastThree(job.SourceName, "");
    job.WaveName = kind == TrackKind::Wave ? job.SourceName
                                           : job.Stem + std::string(script_names::WaveExtension);
    job.EncodedName = ReplaceLastThree(job.WaveName, script_names::EncodedExtension);
    job.OutputName = ReplaceLastThree(job.WaveName, script_names::OutputExtension);

    const std::string wave = Quoted(job.WaveName);
    const std::string encoded = Quoted(job.EncodedName);
    if (kind == TrackKind::Mp3) {
        job.DecodeCommand = "start /b /min /wait " + std::string(script_names::Decoder) + " -o " +
                            std::string(script_names::DecodedWavePrefix) + wave + " " +
                            Quoted(job.SourceName);
        job.DeleteCommand = "del " + wave;
    }
    job.EncodeCommand = "start /b /min /wait " + std::string(script_names::Encoder) + " " + wave +
                        " " + encoded + " " + std::to_string(bitRate);
    job.RenameCommand = "ren " + encoded + " " + Quoted(job.OutputName);
    return job;
}

std::string AddQuotes(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string EscapeForQuotedUse(std::string_view text) {
    return Escaped(text, "");
}

std::string EscapeForUnquotedUse(std::string_view text) {
    return Escaped(text, "&|<>^");
}

bool ScriptCanCarry(const std::string& text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return c == '"' || IsControlCharacter(c); }) &&
           EncodeForConsole(text).has_value();
}

bool ScriptCanNameTrack(const std::string& name) {
    return ScriptCanCarry(name) && ProgramsCanRead(name);
}

std::string TrackTitle(size_t number, size_t count, std::string_view name) {
    return std::string(AppInfo::AppTitle) + ": " + std::to_string(number) + " of " +
           std::to_string(count) + ": " + std::string(name);
}

std::optional<TrackProgress> ParseTrackTitle(std::string_view title) {
    // Takes a number and then the given text from the front of the title.
    const auto take = [&title](size_t& number, std::string_view then) {
        const auto [end, error] =
            std::from_chars(title.data(), title.data() + title.size(), number);
        title.remove_prefix(static_cast<size_t>(end - title.data()));
        if (error != std::errc() || !title.starts_with(then)) {
            return false;
        }
        title.remove_prefix(then.size());
        return true;
    };
    const std::string prefix = std::string(AppInfo::AppTitle) + ": ";
    if (!title.starts_with(prefix)) {
        return std::nullopt;
    }
    title.remove_prefix(prefix.size());
    TrackProgress progress;
    if (!take(progress.number, " of ") || !take(progress.count, ": ") || progress.number == 0 ||
        progress.number > progress.count) {
        return std::nullopt;
    }
    progress.name = std::string(title);
    return progress;
}

std::vector<std::string> ScriptLines(const std::vector<TrackJob>& jobs, const std::string& appDir,
                                     const PathRules& rules, unsigned codePage) {
    std::vector<std::string> lines;
    lines.reserve(jobs.size() * 26 + 16);
    // The command interpreter reads each line in the console's code page, which a user's console
    // settings may have changed; before the first name, the script sets the one it is written in.
    if (rules.ForWindows()) {
        lines.push_back("chcp " + std::to_string(codePage) + " >nul");
    }
    lines.push_back("cd " + EscapeForUnquotedUse(appDir));
    if (!jobs.empty()) {
        lines.push_back("set " + std::string(NotConvertedVariable) + "=");
    }
    for (size_t i = 0; i < jobs.size(); ++i) {
        AppendTrack(lines, jobs[i], i + 1, jobs.size());
    }
    if (!jobs.empty()) {
        AppendReport(lines, jobs, WordsFor(rules));
    }
    lines.push_back(CompletionLine);
    lines.push_back("exit");
    return lines;
}

std::vector<TrackJob> BuildTrackJobs(const std::vector<std::string>& entries, std::int16_t bitRate,
                                     const PathRules& rules) {
    std::vector<TrackJob> jobs;
    jobs.reserve(entries.size());
    // A file listed more than once is one track, converted once and counted once.
    std::unordered_set<std::string> seen;
    for (const auto& entry : entries) {
        if (auto job = BuildTrackJob(entry, bitRate, rules);
            job && seen.insert(rules.ComparisonKey(job->SourceName)).second) {
            jobs.push_back(std::move(*job));
        }
    }
    return jobs;
}

std::vector<std::string> BuildConversionScript(const std::vector<std::string>& entries,
                                               const std::string& appDir, std::int16_t bitRate,
                                               const PathRules& rules, unsigned codePage) {
    return ScriptLines(BuildTrackJobs(entries, bitRate, rules), appDir, rules, codePage);
}

} // namespace vq3
