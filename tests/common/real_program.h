#pragma once
// Running the built program as a player would, and reading back the PNG
// screenshots it writes. For the tests that judge the real program.

#include <gtest/gtest.h>
#include <png.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game/progress_file.h"

extern char** environ;

namespace realprogram {

// Runs `program` with the arguments and waits; its exit code, or -1 when
// it could not be started or did not exit normally.
inline int run(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

struct Rgb {
    int r = 0, g = 0, b = 0;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

// The pixels of [left, right) x [top, bottom) that clearly differ between
// two pictures (their channels apart by more than 60 in all).
inline int clearlyChangedPixels(const Picture& a, const Picture& b, int left, int top, int right, int bottom) {
    int changed = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb p = a.at(x, y), q = b.at(x, y);
            changed += (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60) ? 1 : 0;
        }
    return changed;
}

// The number a written INI file holds for a key of its [main] lines; NaN
// when the key is missing.
inline double iniNumber(const std::string& text, const std::string& key) {
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) return std::nan("");
    return std::atof(text.c_str() + at + key.size() + 2);
}

// An empty picture when the file is missing or not a PNG.
inline Picture readPng(const std::string& path) {
    Picture p;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
    image.format = PNG_FORMAT_RGB;
    p.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr)) return {};
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    return p;
}

inline bool gold(Rgb c) { return c.r > 180 && c.g > 90 && c.r > c.b + 50; }
inline bool dark(Rgb c) { return c.r < 60 && c.g < 60 && c.b < 70; }

// The text under a key of a section of a generated INI file, or empty.
inline std::string screenFileText(const std::string& file, const std::string& section, const std::string& key) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[" + section + "]";
        } else if (inSection && line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return {};
}

// A number under a key of a section of a screen file, or -1.
inline int screenFileNumber(const std::string& file, const std::string& section, const std::string& key) {
    const std::string text = screenFileText(file, section, key);
    return text.empty() ? -1 : std::atoi(text.c_str());
}

// A script line clicking the middle of the quest map's first episode, after
// the map's second of fade-in.
inline std::string clickFirstEpisode(const std::string& dist) {
    const std::string map = dist + "/data/menu/questmap.ini";
    const int x = screenFileNumber(map, "episode1", "x"), y = screenFileNumber(map, "episode1", "y");
    EXPECT_TRUE(x >= 0 && y >= 0) << "no episode1 button in " << map;
    return "wait 1000\nclick " + std::to_string(x + 86) + " " + std::to_string(y + 78) + "\n";
}

// A script that drags every piece of a board's rows half a cell to the
// right, one after another, `rounds` times over, resting `restMs` after
// each: most swaps make no line and come back, some score, some line up
// four and throw gems. A drag that only closes a tutorial card is lost, and
// the next one plays on. (x0, y0) is the board's top-left corner.
inline std::string sweepSwaps(int x0, int y0, int columns, int rows, int rounds = 1, int restMs = 700) {
    constexpr int kCell = 48;
    std::string script;
    for (int round = 0; round < rounds; ++round)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c + 1 < columns; ++c) {
                const std::string from = std::to_string(x0 + kCell * c + kCell / 2) + " " +
                                         std::to_string(y0 + kCell * r + kCell / 2);
                const std::string to = std::to_string(x0 + kCell * c + kCell) + " " +
                                       std::to_string(y0 + kCell * r + kCell / 2);
                script += "down " + from + "\nwait 20\nmove " + to + "\nwait 20\nup " + to + "\nwait " +
                          std::to_string(restMs) + "\n";
            }
    return script;
}

// The generated data tree of `dist` linked into `folder`/data entry by
// entry, all but the players' folder (left to the program and the test, so
// player files stay in the test's folder) and the entries named in `own`,
// which the test makes itself.
inline void linkGeneratedData(const std::string& dist, const std::filesystem::path& folder,
                              const std::vector<std::string>& own = {}) {
    namespace fs = std::filesystem;
    fs::create_directories(folder / "data");
    for (const auto& entry : fs::directory_iterator(dist + "/data")) {
        const std::string name = entry.path().filename().string();
        if (name == "profiles" || std::find(own.begin(), own.end(), name) != own.end()) continue;
        fs::create_symlink(fs::absolute(entry.path()), folder / "data" / name);
    }
}

// A player's progress file as the program left it in `folder`, read with
// the game's decoder (whose byte layout the game's own tests pin). A
// missing or damaged file fails the test.
inline ProgressRecord savedProgress(const std::filesystem::path& folder, const std::string& player) {
    std::string path = profileFilePath(player, ProfileFile::Progress);
    for (char& c : path) c = c == '\\' ? '/' : c;
    std::ifstream in(folder / path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ProgressRecord record;
    EXPECT_EQ(decodeProgress(bytes.data(), bytes.size(), record), ProgressReadResult::Complete) << path;
    return record;
}

// The "name value" lines of a report the test program writes.
inline std::map<std::string, long> readReport(const std::string& text) {
    std::map<std::string, long> values;
    std::istringstream lines(text);
    std::string name;
    long value = 0;
    while (lines >> name >> value) values[name] = value;
    return values;
}

}  // namespace realprogram
