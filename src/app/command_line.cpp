#include "app/command_line.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "config/language_choice.h"

namespace {

std::string absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? path : (cwd / path).lexically_normal().string();
}

bool parseNumber(const char* text, long long low, long long high, long long& out) {
    if (!text || !*text) return false;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    if (*end != '\0' || errno != 0 || value < low || value > high) return false;
    out = value;
    return true;
}

}  // namespace

const char* commandLineUsage() {
    return "usage: shardfall [--data DIR] [--lang CODE] [--headless] [--seed N] [--script FILE] [--run-ms MS]\n"
           "                 [--screenshot FILE] [--audio-out FILE.wav] [--autoplay] [--shots DIR]\n"
           "                 [--frame-hashes FILE]\n"
           "                 [--autoplay-mode quest|puzzle|action|cube] [--autoplay-player NAME]\n"
           "                 [--autoplay-solutions DIR]\n";
}

bool parseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto needValue = [&]() {
            if (value) return true;
            error = option + " needs a value";
            return false;
        };
        long long number = 0;
        if (option == "--headless") {
            out.headless = true;
        } else if (option == "--autoplay") {
            out.autoplay = true;
        } else if (option == "--autoplay-mode") {
            if (!needValue()) return false;
            const std::string mode = value;
            if (mode != "quest" && mode != "puzzle" && mode != "action" && mode != "cube") {
                error = "--autoplay-mode takes quest, puzzle, action or cube";
                return false;
            }
            out.autoplay = true;
            out.autoplayMode = mode;
            ++i;
        } else if (option == "--autoplay-player") {
            if (!needValue()) return false;
            const std::string name = value;
            if (name.empty() || name.size() > 64) {
                error = "--autoplay-player takes a name of 1 to 64 characters";
                return false;
            }
            out.autoplay = true;
            out.autoplayPlayer = name;
            ++i;
        } else if (option == "--help" || option == "-h") {
            out.showHelp = true;
        } else if (option == "--data") {
            if (!needValue()) return false;
            out.dataDirectory = absolute(value);
            ++i;
        } else if (option == "--lang") {
            if (!needValue()) return false;
            out.language = languageOfLocale(value);
            if (out.language.empty()) {
                error = "--lang takes en, de, fr, es, it, pt_BR or nl";
                return false;
            }
            ++i;
        } else if (option == "--seed") {
            if (!needValue()) return false;
            if (!parseNumber(value, 0, UINT32_MAX, number)) {
                error = "--seed takes a number from 0 to 4294967295";
                return false;
            }
            out.hasSeed = true;
            out.seed = static_cast<std::uint32_t>(number);
            ++i;
        } else if (option == "--run-ms") {
            if (!needValue()) return false;
            if (!parseNumber(value, 0, 24LL * 3600 * 1000, number)) {
                error = "--run-ms takes milliseconds from 0 to 86400000";
                return false;
            }
            out.runMs = static_cast<long>(number);
            ++i;
        } else if (option == "--autoplay-solutions") {
            if (!needValue()) return false;
            out.autoplay = true;
            out.puzzleSolutions = absolute(value);
            ++i;
        } else if (option == "--script" || option == "--screenshot" || option == "--audio-out" ||
                   option == "--shots" || option == "--frame-hashes") {
            if (!needValue()) return false;
            std::string& target = option == "--script"       ? out.scriptFile
                                  : option == "--screenshot" ? out.screenshotFile
                                  : option == "--shots"      ? out.shotsDirectory
                                  : option == "--frame-hashes" ? out.frameHashesFile
                                                             : out.audioOutFile;
            target = absolute(value);
            ++i;
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    return true;
}
