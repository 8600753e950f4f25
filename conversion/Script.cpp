#include "conversion/Script.h"

#include "platform/Text.h"

#include <algorithm>

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

} // namespace

std::string LastThreeLower(std::string_view text) {
    return LowerAscii(text.substr(StartOfLastThree(text)));
}

std::string ReplaceLastThree(std::string_view text, std::string_view extension) {
    std::string replaced(text.substr(0, StartOfLastThree(text)));
    replaced += extension;
    return replaced;
}

TrackKind ClassifyTrack(std::string_view entry) {
    const std::string extension = LastThreeLower(entry);
    if (extension == "wav") {
        return TrackKind::Wave;
    }
    if (extension == "mp3") {
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
    job.WaveName = kind == TrackKind::Wave ? job.SourceName : job.Stem + "wav";
    job.EncodedName = ReplaceLastThree(job.WaveName, "aifr");
    job.OutputName = ReplaceLastThree(job.WaveName, "fda");

    const std::string wave = Quoted(job.WaveName);
    const std::string encoded = Quoted(job.EncodedName);
    if (kind == TrackKind::Mp3) {
        job.DecodeCommand =
            "start /b /min /wait madplay.exe -o wave:" + wave + " " + Quoted(job.SourceName);
        job.DeleteCommand = "del " + wave;
    }
    job.EncodeCommand =
        "start /b /min /wait enc.exe " + wave + " " + encoded + " " + std::to_string(bitRate);
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

bool ScriptSyntaxCanCarry(std::string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return c == '"' || IsControlCharacter(c); });
}

std::vector<std::string> ScriptLines(const std::vector<TrackJob>& jobs, const std::string& appDir) {
    std::vector<std::string> lines;
    lines.reserve(jobs.size() * 4 + 3);
    lines.push_back("cd " + EscapeForUnquotedUse(appDir));
    for (const auto& job : jobs) {
        if (job.Kind == TrackKind::Mp3) {
            lines.push_back(job.DecodeCommand);
            lines.push_back(job.EncodeCommand);
            lines.push_back(job.DeleteCommand);
        } else {
            lines.push_back(job.EncodeCommand);
        }
        lines.push_back(job.RenameCommand);
    }
    lines.push_back("msg * All files have been converted!");
    lines.push_back("exit");
    return lines;
}

std::vector<TrackJob> BuildTrackJobs(const std::vector<std::string>& entries, std::int16_t bitRate,
                                     const PathRules& rules) {
    std::vector<TrackJob> jobs;
    jobs.reserve(entries.size());
    for (const auto& entry : entries) {
        if (auto job = BuildTrackJob(entry, bitRate, rules)) {
            jobs.push_back(std::move(*job));
        }
    }
    return jobs;
}

std::vector<std::string> BuildConversionScript(const std::vector<std::string>& entries,
                                               const std::string& appDir, std::int16_t bitRate,
                                               const PathRules& rules) {
    return ScriptLines(BuildTrackJobs(entries, bitRate, rules), appDir);
}

} // namespace vq3
