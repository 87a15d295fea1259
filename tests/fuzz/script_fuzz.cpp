// Harness scripts: a script that parses holds only commands the harness can
// carry out, and a refused one says which line it stopped at.

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/latin1_text.h"
#include "platform/script.h"

using platform::ScriptCommand;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptCommand> commands;
    std::string error;
    const bool ok = platform::parseScript(text, commands, error);
    if (!ok) fuzzCheck(!error.empty());
    int previousLine = 0;
    for (const ScriptCommand& c : commands) {
        fuzzCheck(c.line >= previousLine && c.line > 0);
        previousLine = c.line;
        if (c.kind == ScriptCommand::Kind::Wait) fuzzCheck(c.milliseconds >= 0);
        if (c.kind == ScriptCommand::Kind::Key) fuzzCheck(c.virtualKey != 0);
    }
    fuzzCheck(platform::utf8ToLatin1(text).size() <= text.size());
    return 0;
}
