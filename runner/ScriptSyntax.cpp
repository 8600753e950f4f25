#include "runner/ScriptSyntax.h"

#include "platform/Text.h"

namespace vq3::runner {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<ScriptLine> SplitScript(std::string_view content) {
    std::vector<ScriptLine> lines;
    int number = 0;
    while (!content.empty()) {
        const size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            lines.push_back({number, std::string(line)});
        }
    }
    return lines;
}

std::string ExpandPercents(std::string_view line, const VariableLookup& lookup) {
    std::string expanded;
    expanded.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '%') {
            expanded += line[i];
            continue;
        }
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (next == '%') {
            expanded += '%';
            ++i;
        } else if ((next >= '0' && next <= '9') || next == '*') {
            ++i;
        } else if (const size_t end = line.find('%', i + 1); end != std::string_view::npos) {
            if (const auto value = lookup(line.substr(i + 1, end - i - 1))) {
                expanded += *value;
            }
            i = end;
        }
    }
    return expanded;
}

std::string RemoveCarets(std::string_view line) {
    std::string unescaped;
    unescaped.reserve(line.size());
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '^' && !quoted) {
            // The caret goes; the character after it is taken as it is.
            if (++i < line.size()) {
                unescaped += line[i];
            }
            continue;
        }
        unescaped += c;
    }
    return unescaped;
}

std::string UnescapeBatchLine(std::string_view line) {
    return RemoveCarets(ExpandPercents(line, [](std::string_view) { return std::nullopt; }));
}

std::optional<std::string> LabelOf(std::string_view line) {
    const size_t colon = line.find_first_not_of(" \t");
    if (colon == std::string_view::npos || line[colon] != ':') {
        return std::nullopt;
    }
    return SplitCommand(line.substr(colon + 1)).name;
}

CommandParts SplitFirstWord(std::string_view line) {
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) {
        ++start;
    }
    size_t end = start;
    bool quoted = false;
    while (end < line.size() && (quoted || !IsBlank(line[end]))) {
        quoted = quoted != (line[end] == '"');
        ++end;
    }
    CommandParts parts;
    parts.name = std::string(line.substr(start, end - start));
    while (end < line.size() && IsBlank(line[end])) {
        ++end;
    }
    parts.rest = std::string(line.substr(end));
    return parts;
}

CommandParts SplitCommand(std::string_view line) {
    CommandParts parts = SplitFirstWord(line);
    parts.name = LowerAscii(parts.name);
    return parts;
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view text) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c) && !quoted) {
            if (inArgument) {
                args.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t slashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                // 2n backslashes and a quote: n backslashes, the quote delimits;
                // 2n+1: n backslashes and a literal quote.
                current.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(slashes, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) {
        args.push_back(std::move(current));
    }
    return args;
}

std::string InFolder(std::string_view folder, std::string_view name) {
    if (name.starts_with('/') || folder.empty()) {
        return std::string(name);
    }
    std::string path(folder);
    if (!path.ends_with('/')) {
        path += '/';
    }
    return path.append(name);
}

} // namespace vq3::runner
