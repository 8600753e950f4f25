#include "conversion/TrackJob.h"

#include "conversion/Extension.h"
#include "conversion/ScriptText.h"

namespace vq3 {

namespace {

std::string Quoted(std::string_view name) {
    return AddQuotes(EscapeForQuotedUse(name));
}

} // namespace

std::optional<TrackJob> BuildTrackJob(std::string_view entry, std::int16_t bitRate,
                                      const PathRules& rules) {
    const TrackKind kind = ClassifyTrack(entry);
    if (kind == TrackKind::Other) {
        return std::nullopt;
    }
    TrackJob job;
    job.Kind = kind;
    job.SourcePath = entry;
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

} // namespace vq3
