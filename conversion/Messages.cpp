#include "conversion/Messages.h"

#include "platform/Text.h"

namespace vq3 {

namespace {

constexpr const char* ScriptCannotHold =
    "A name in the conversion script may not hold a double quote, a control character or a "
    "character the Command Prompt cannot show.";

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

} // namespace

std::string NotInAppDirMessage(const std::string& name, const std::string& appDir) {
    return "The file '" + name + "' is not in the application's directory, '" + appDir + "'.";
}

std::string MoreNotInAppDirMessage(const std::vector<std::string>& names,
                                   const std::string& appDir) {
    return "Another " + std::to_string(names.size()) +
           " dropped files are not in the application's directory, '" + appDir +
           "', and were not added: " + PrintableList(names, 3) + ".";
}

std::string ListFullMessage(size_t leftOut) {
    return "The list holds at most 32,767 files, so " + std::to_string(leftOut) +
           (leftOut == 1 ? " dropped file was" : " dropped files were") + " not added.";
}

std::string ConversionRunningMessage(const std::string& appDir) {
    return "A conversion started in the application's directory, '" + Printable(appDir) +
           "', is still running.  Wait until its window (currently minimized) closes itself, "
           "then convert again.  Nothing was converted.";
}

std::string DescriptorsInTheWayMessage(const std::vector<std::string>& paths) {
    return "Converting would replace " + PrintableList(paths) +
           " with track settings, but they are not settings files this tool wrote: your own "
           "file, a folder or a link.  Move or rename them, then convert again.  Nothing was "
           "converted.";
}

std::string UnusableAppDirMessage(const std::string& appDir) {
    return "The application's directory, '" + Printable(appDir) +
           "', cannot be named in the conversion script.  " + ScriptCannotHold +
           "  Move VQ3MC and your music files to another directory.  Nothing was converted.";
}

std::string UnusableNamesMessage(const std::vector<std::string>& names) {
    return "These files cannot be named in the conversion script: " + PrintableList(names) + ".  " +
           ScriptCannotHold + "  Rename them, then convert again.  Nothing was converted.";
}

std::string WaveCollisionMessage(const std::string& appDir, const std::vector<std::string>& names) {
    return "Converting would overwrite and then delete " + PrintableList(names) +
           " in the application's directory, '" + Printable(appDir) +
           "', because the *.mp3 files of the same names are first decoded to those files.  Move "
           "or rename them, then convert again.  Nothing was converted.";
}

std::string WriteFailedMessage(const std::string& path, const std::string& reason) {
    return "The file '" + Printable(path) + "' could not be written: " + reason +
           ".  The conversion was not started.";
}

std::string LaunchFailedMessage(const std::string& path, const std::string& reason) {
    return "The conversion script '" + Printable(path) + "' could not be started: " + reason +
           ".  No files will be converted.";
}

} // namespace vq3
