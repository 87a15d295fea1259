#pragma once
// The command line: the data root, the language and the headless harness.

#include <string>

struct CommandLine {
    std::string dataDirectory;   // --data DIR
    std::string language;        // --lang CODE; empty: from the locale
    bool headless = false;       // --headless
    bool hasSeed = false;        // --seed N
    std::uint32_t seed = 0;
    std::string scriptFile;      // --script FILE
    long runMs = -1;             // --run-ms MS; -1: until closed
    std::string screenshotFile;  // --screenshot FILE
    std::string audioOutFile;    // --audio-out FILE.wav
    bool autoplay = false;       // --autoplay (also set by the two below)
    std::string autoplayMode = "quest";  // --autoplay-mode quest|puzzle|action|cube
    std::string autoplayPlayer;  // --autoplay-player NAME: play as NAME and keep its files
    std::string puzzleSolutions; // --autoplay-solutions DIR: the puzzles' level sources
    std::string shotsDirectory;  // --shots DIR
    std::string frameHashesFile; // --frame-hashes FILE
    bool showHelp = false;       // --help
};

// Parses the arguments. False with a message for anything unknown or
// malformed. Relative file names are made absolute against the directory the
// program was started in, since --data changes it.
bool parseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error);

const char* commandLineUsage();
