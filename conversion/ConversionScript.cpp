#include "conversion/ConversionScript.h"

#include "conversion/ScriptText.h"
#include "conversion/TrackJob.h"

namespace vq3 {

std::vector<std::string> BuildConversionScript(const std::vector<std::string>& entries,
                                               const std::string& appDir, std::int16_t bitRate,
                                               const PathRules& rules) {
    std::vector<std::string> lines;
    lines.reserve(entries.size() * 4 + 3);
    lines.push_back("cd " + EscapeForUnquotedUse(appDir));
    for (const auto& entry : entries) {
        auto job = BuildTrackJob(entry, bitRate, rules);
        if (!job) {
            continue;
        }
        if (job->Kind == TrackKind::Mp3) {
            lines.push_back(std::move(job->DecodeCommand));
            lines.push_back(std::move(job->EncodeCommand));
            lines.push_back(std::move(job->DeleteCommand));
        } else {
            lines.push_back(std::move(job->EncodeCommand));
        }
        lines.push_back(std::move(job->RenameCommand));
    }
    lines.push_back("msg * All files have been converted!");
    lines.push_back("exit");
    return lines;
}

} // namespace vq3
