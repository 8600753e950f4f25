// libFuzzer target for the interpreter's line parsing. Besides not crashing, it checks that
// what the conversion core escapes, the interpreter reads back unchanged.
#include "conversion/Script.h"
#include "runner/ScriptSyntax.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#define CHECK(holds) ((holds) ? void() : std::abort())

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    for (const auto& line : vq3::runner::SplitScript(input)) {
        const std::string unescaped = vq3::runner::UnescapeBatchLine(line.text);
        CHECK(unescaped.size() <= line.text.size());
        const auto parts = vq3::runner::SplitCommand(unescaped);
        vq3::runner::SplitWindowsCommandLine(parts.rest);
    }

    if (!vq3::ScriptCanCarry(input)) {
        return 0;
    }
    // A folder the core accepts reads back from the unquoted "cd" form.
    CHECK(vq3::runner::UnescapeBatchLine(vq3::EscapeForUnquotedUse(input)) == input);
    // So does a name from its quoted form. Names end in their extension, so a backslash
    // never stands before the closing quote.
    if (!input.empty() && input.back() != '\\') {
        const std::string line = "del " + vq3::AddQuotes(vq3::EscapeForQuotedUse(input));
        const auto parts = vq3::runner::SplitCommand(vq3::runner::UnescapeBatchLine(line));
        const auto args = vq3::runner::SplitWindowsCommandLine(parts.rest);
        CHECK(args.size() == 1 && args[0] == input);
    }
    return 0;
}
