#include "conversion/Messages.h"

#include "conversion/ScriptNames.h"
#include "platform/Text.h"

#include <algorithm>

namespace vq3 {

namespace {

// Control characters would garble the message box itself.
std::string Printable(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        if (IsControlCharacter(c)) {
            c = '?';
        }
    }
    return shown;
}

std::string PrintableList(const std::vector<std::string>& names, size_t mostShown = 10) {
    std::vector<std::string> shown;
    shown.reserve(names.size());
    for (const auto& name : names) {
        shown.push_back(Printable(name));
    }
    return QuotedList(shown, mostShown);
}

// Every text of our own reads right for one item and for many.
const char* ForCount(size_t count, const char* one, const char* many) {
    return count == 1 ? one : many;
}

constexpr const char* NothingConverted = "  Nothing was converted.";

constexpr const char* ShortNameReason =
    "A file's settings file is named after it by replacing the last three characters of its "
    "name, so a name needs at least three.";

// The start of a drop's summary of refusals beyond the first few: "Another dropped file has" or
// "Another 2 dropped files have".
std::string AnotherDropped(size_t count, const char* verbForOne, const char* verbForMany) {
    return count == 1 ? std::string("Another dropped file ") + verbForOne
                      : "Another " + std::to_string(count) + " dropped files " + verbForMany;
}

} // namespace

std::string NotInAppDirMessage(const std::string& name, const std::string& appDir) {
    return "The file '" + name + "' is not in the application's directory, '" + appDir + "'.";
}

std::string MoreNotInAppDirMessage(const std::vector<std::string>& names,
                                   const std::string& appDir) {
    const size_t count = names.size();
    return AnotherDropped(count, "is", "are") + " not in the application's directory, '" + appDir +
           "', and " + ForCount(count, "was", "were") + " not added: " + PrintableList(names, 3) +
           ".";
}

std::string UnusableNameMessage(const std::string& name, const PlatformWords& words) {
    return "The file '" + Printable(name) + "' cannot be named in the conversion script.  " +
           words.scriptCannotHold + "  Rename it, then drop it again.";
}

std::string MoreUnusableNamesMessage(const std::vector<std::string>& names,
                                     const PlatformWords& words) {
    const size_t count = names.size();
    return AnotherDropped(count, "cannot", "cannot") + " be named in the conversion script, and " +
           ForCount(count, "was", "were") + " not added: " + PrintableList(names, 3) + ".  " +
           words.scriptCannotHold;
}

std::string ShortNameMessage(const std::string& name) {
    return "The file '" + Printable(name) + "' has too short a name.  " + ShortNameReason +
           "  Rename it, then drop it again.";
}

std::string MoreShortNamesMessage(const std::vector<std::string>& names) {
    const size_t count = names.size();
    return AnotherDropped(count, "has too short a name", "have too short names") + ", and " +
           ForCount(count, "was", "were") + " not added: " + PrintableList(names, 3) + ".  " +
           ShortNameReason;
}

std::string ListFullMessage(size_t leftOut) {
    return "The list holds at most 32,767 files, so " + std::to_string(leftOut) +
           (leftOut == 1 ? " dropped file was" : " dropped files were") + " not added.";
}

std::string ConversionRunningMessage(const std::string& appDir) {
    return "A conversion started in the application's directory, '" + Printable(appDir) +
           "', is still running.  Wait until its window (currently minimized) has closed; if it "
           "lists files that were not converted, press a key there.  Then convert again.";
}

std::string DescriptorsInTheWayMessage(const std::vector<std::string>& paths) {
    const size_t count = paths.size();
    return "Converting would replace " + PrintableList(paths) + " with track settings, but " +
           ForCount(count, "it is not a settings file", "they are not settings files") +
           " this tool wrote: your own file, a folder or a link.  Move or rename " +
           ForCount(count, "it", "them") + ", then convert again." + NothingConverted;
}

std::string UnusableAppDirMessage(const std::string& appDir, const PlatformWords& words) {
    return "The application's directory, '" + Printable(appDir) +
           "', cannot be named in the conversion script.  " + words.scriptCannotHold + "  " +
           words.moveTheTool + NothingConverted;
}

std::string NetworkShareAppDirMessage(const std::string& appDir) {
    return "The application's directory, '" + Printable(appDir) +
           "', is on a network share, which the Command Prompt cannot work in.  Copy VQ3MC and "
           "your music files to a drive with a letter (or map the share to one), then convert "
           "again." +
           NothingConverted;
}

std::string UnusableNamesMessage(const std::vector<std::string>& names,
                                 const PlatformWords& words) {
    const size_t count = names.size();
    return std::string(ForCount(count, "This file cannot", "These files cannot")) +
           " be named in the conversion script: " + PrintableList(names) + ".  " +
           words.scriptCannotHold + "  Rename " + ForCount(count, "it", "them") +
           ", then convert again." + NothingConverted;
}

std::string SharedOutputMessage(const std::vector<std::string>& names) {
    return PrintableList(names) +
           " would each be converted to the same .fda as another of them, as a track's .fda is "
           "named by replacing the last three characters of its name.  Rename them so that each "
           "has a .fda of its own, then convert again." +
           NothingConverted;
}

std::string WaveCollisionMessage(const std::string& appDir, const std::vector<std::string>& names) {
    const size_t count = names.size();
    return "Converting would overwrite and then delete " + PrintableList(names) +
           " in the application's directory, '" + Printable(appDir) + "', because the *.mp3 " +
           ForCount(count, "file of the same name is first decoded to that file",
                    "files of the same names are first decoded to those files") +
           ".  Move or rename " + ForCount(count, "it", "them") + ", then convert again." +
           NothingConverted;
}

std::string MissingProgramsMessage(const std::string& appDir,
                                   const std::vector<std::string>& programs, bool searchPathToo) {
    const size_t count = programs.size();
    const std::string where = "the application's directory, '" + Printable(appDir) + "'";
    if (!searchPathToo) {
        return "Converting needs " + PrintableList(programs) + ", but " +
               ForCount(count, "it is not in ", "they are not in ") + where + ".  Put " +
               ForCount(count, "it", "them") + " there, then convert again." + NothingConverted;
    }
    // The search path is searched for the names without ".exe", as a Linux program is called.
    std::vector<std::string> commands;
    for (const std::string& program : programs) {
        commands.push_back(program.ends_with(".exe") ? program.substr(0, program.size() - 4)
                                                     : program);
    }
    const bool decoderMissing =
        std::ranges::find(programs, script_names::Decoder) != programs.end();
    return "Converting needs " + PrintableList(programs) + ", but " +
           ForCount(count, "it is ", "they are ") + "neither in " + where +
           ", nor on the search path as " + PrintableList(commands) + ".  Put " +
           ForCount(count, "it", "them") + " into the application's directory" +
           (decoderMissing ? " (Debian's madplay package also provides 'madplay')" : "") +
           ", then convert again." + NothingConverted;
}

std::string ProgramsCannotRunMessage(const std::string& appDir,
                                     const std::vector<std::string>& programs) {
    const size_t count = programs.size();
    return "Converting needs " + PrintableList(programs) + " in the application's directory, '" +
           Printable(appDir) + "', but " + ForCount(count, "it cannot", "they cannot") +
           " be run: not marked executable, or a Windows program while wine is not installed." +
           NothingConverted;
}

std::string NamesTakenMessage(const std::string& appDir, const std::vector<std::string>& names) {
    const size_t count = names.size();
    return std::string("Converting needs the ") + ForCount(count, "name ", "names ") +
           PrintableList(names) + ", but " +
           ForCount(count, "a file of that name is", "files of those names are") +
           " already in the application's directory, '" + Printable(appDir) +
           "', and the conversion never replaces a file.  Move or delete " +
           ForCount(count, "it", "them") + ", then convert again." + NothingConverted;
}

std::string WriteFailedMessage(const std::string& path, const std::string& reason) {
    return "The file '" + Printable(path) + "' could not be written: " + reason +
           ".  The conversion was not started.";
}

std::string LockFailedMessage(const std::string& path, const std::string& reason) {
    return "The conversion cannot lock '" + Printable(path) + "': " + reason + "." +
           NothingConverted;
}

std::string LaunchFailedMessage(const std::string& path, const std::string& reason) {
    return "The conversion script '" + Printable(path) + "' could not be started: " + reason +
           ".  No files will be converted.";
}

} // namespace vq3
