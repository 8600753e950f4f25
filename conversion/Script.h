#pragma once

#include "platform/Files.h"
#include "platform/PathRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vq3 {

constexpr const char* ScriptFileName = "vq3mc.bat";

// Extensions are handled by position: the last three characters of a name, whatever precedes
// them. Characters, not bytes, so a UTF-8 name is never cut inside a letter.
std::string LastThreeLower(std::string_view text);
size_t CharacterCount(std::string_view text);
std::string ReplaceLastThree(std::string_view text, std::string_view extension);

enum class TrackKind { Wave, Mp3, Other };

// Decided on the whole entry by its last three characters alone: "xwav" is Wave, "Song.wave"
// is Other.
TrackKind ClassifyTrack(std::string_view entry);

// Everything the script needs for one MP3 or WAV entry. Names are bare file names as they
// are on disk; the commands are script text, names quoted and escaped.
struct TrackJob {
    TrackKind Kind = TrackKind::Other;
    std::string SourceName;
    std::string Stem; // the name less its last three characters; the dot stays
    std::string WaveName;
    std::string EncodedName;
    std::string OutputName;
    std::string DecodeCommand; // MP3 only
    std::string EncodeCommand;
    std::string DeleteCommand; // MP3 only
    std::string RenameCommand;
};

// The job for a Wave or Mp3 entry; nothing for any other entry.
std::optional<TrackJob> BuildTrackJob(std::string_view entry, std::int16_t bitRate,
                                      const PathRules& rules = PathRules::Host());

// One double quote, the text, one double quote; nothing inside is escaped.
std::string AddQuotes(std::string_view text);

// The command interpreter expands "%" even between double quotes in a batch file, so a name
// written into the script has each "%" doubled.
std::string EscapeForQuotedUse(std::string_view text);

// For text outside double quotes (the "cd" line): "%" doubled, and "&", "|", "<", ">" and "^"
// each behind a caret so they cannot split or redirect the command.
std::string EscapeForUnquotedUse(std::string_view text);

// False for text the script cannot carry in any form: a double quote, a control character, or a
// letter the console's code page lacks.
bool ScriptCanCarry(const std::string& text);
// A track's name goes into the script and, as an argument, to the programs it starts: both must
// be able to read it.
bool ScriptCanNameTrack(const std::string& name);

// What the script's window title says while a track converts: "VQ3 Music Tool: 3 of 12: Intro.mp3".
std::string TrackTitle(size_t number, size_t count, std::string_view name);

// Such a title read back, for an interpreter that shows progress its own way.
struct TrackProgress {
    size_t number = 0;
    size_t count = 0;
    std::string name;

    bool operator==(const TrackProgress&) const = default;
};
std::optional<TrackProgress> ParseTrackTitle(std::string_view title);

// The script's lines, without line ends: for the command interpreter the code page it is written
// in (our own interpreter reads UTF-8 alone), change to appDir, one block per job in list order,
// the completion message and "exit". Each block tests its programs' exit status and its files, and
// a failed track is cleaned up after and skipped; when any failed, the window lists them and waits
// instead of announcing completion.
std::vector<std::string> ScriptLines(const std::vector<TrackJob>& jobs, const std::string& appDir,
                                     const PathRules& rules = PathRules::Host(),
                                     unsigned codePage = ConsoleCodePage());

// The jobs of the MP3 and WAV entries, in list order, and their script. A file listed more than
// once (its name compared by the rules) has one job, at its first place.
std::vector<TrackJob> BuildTrackJobs(const std::vector<std::string>& entries, std::int16_t bitRate,
                                     const PathRules& rules = PathRules::Host());
std::vector<std::string> BuildConversionScript(const std::vector<std::string>& entries,
                                               const std::string& appDir, std::int16_t bitRate,
                                               const PathRules& rules = PathRules::Host(),
                                               unsigned codePage = ConsoleCodePage());

} // namespace vq3
