#include "conversion/ConversionMessages.h"

namespace vq3 {

namespace {

constexpr const char* ScriptCannotHold =
    "A name in the conversion script may not hold a double quote, a control character or a "
    "character the Command Prompt cannot show.";

// Control characters would garble the message box itself.
std::string Printable(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return shown;
}

// 'A', 'B' and 'C'; a long list is cut short so the message box stays on the screen.
std::string QuotedList(const std::vector<std::string>& names) {
    constexpr size_t MostShown = 10;
    const size_t shown = names.size() > MostShown ? MostShown : names.size();
    std::string list;
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            list += (i + 1 == shown && shown == names.size()) ? " and " : ", ";
        }
        list += '\'';
        list += Printable(names[i]);
        list += '\'';
    }
    if (shown < names.size()) {
        list += " and " + std::to_string(names.size() - shown) + " more";
    }
    return list;
}

} // namespace

std::string UnusableAppDirMessage(const std::string& appDir) {
    return "The application's directory, '" + Printable(appDir) +
           "', cannot be named in the conversion script.  " + ScriptCannotHold +
           "  Move VQ3MC and your music files to another directory.  Nothing was converted.";
}

std::string UnusableNamesMessage(const std::vector<std::string>& names) {
    return "These files cannot be named in the conversion script: " + QuotedList(names) + ".  " +
           ScriptCannotHold + "  Rename them, then convert again.  Nothing was converted.";
}

std::string WaveCollisionMessage(const std::string& appDir, const std::vector<std::string>& names) {
    return "Converting would overwrite and then delete " + QuotedList(names) +
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
