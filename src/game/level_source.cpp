#include "game/level_source.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

// Level sources are a few hundred bytes; anything far larger is not one.
constexpr std::size_t kSourceMax = 64 * 1024;
constexpr std::size_t kLineMax = 256;
constexpr int kPerMilleMax = 1000;
constexpr int kTimeMax = 65535;

enum class Layer { None, Ground, Pieces, Locks };

struct Parser {
    std::string name;
    int line = 0;
    std::string error;
    bool fail(const std::string& what) {
        if (error.empty()) error = name + ":" + std::to_string(line) + ": " + what;
        return false;
    }
};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// A whole decimal number in [lo, hi]; false otherwise.
bool number(const std::string& word, int lo, int hi, int& out) {
    if (word.empty() || word.size() > 6) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    const int v = std::atoi(word.c_str());
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

std::string withoutSpaces(const std::string& row) {
    std::string out;
    for (char c : row)
        if (c != ' ' && c != '\t') out += c;
    return out;
}

bool groundCell(char c, MapCell& cell) {
    cell = MapCell{};
    switch (c) {
        case '#': return true;
        case '.': cell.active = 1; break;
        case '1': cell.active = 1, cell.coating = CoatSingle; break;
        case '2': cell.active = 1, cell.coating = CoatDouble; break;
        case 's': cell.active = 1, cell.coating = CoatScoreBonus; break;
        case 'w': cell.active = 1, cell.coating = CoatWandBonus; break;
        default: return false;
    }
    cell.piece = kMapNoPiece;
    return true;
}

bool pieceCell(char c, MapCell& cell) {
    if (c == '.') return true;
    if (c >= '0' && c <= '7') {
        cell.piece = static_cast<std::uint8_t>(c - '0' + 1);
    } else if (c == 'b') {
        cell.piece = KindBad + 1;
    } else if (c == 'r') {
        cell.piece = kMapRaduga;
    } else if (c >= 'A' && c <= 'H') {
        cell.piece = kMapTeleport;
        cell.lock = static_cast<std::uint8_t>(c - 'A');
    } else {
        return false;
    }
    return true;
}

// Where a level without an origin line lies: centred on the layout's column,
// halfway down its rows.
struct Origin {
    int x0, y0;
};
Origin defaultOrigin(const MapData& map) {
    return {kLevelCentreX - map.w * kCellSize / 2, (kLevelTop + kLevelBottom) / 2 - map.h * kCellSize / 2};
}

int modeNumber(const std::string& word) {
    if (word == "quest") return static_cast<int>(BoardMode::ModeQuest);
    if (word == "puzzle") return static_cast<int>(BoardMode::ModePuzzle);
    if (word == "action") return static_cast<int>(BoardMode::ModeAction);
    if (word == "cube") return static_cast<int>(BoardMode::ModeCube);
    return -1;
}

class LevelParser : public Parser {
public:
    bool header(const std::vector<std::string>& w) {
        const std::string& key = w[0];
        if (key == "ground" || key == "pieces" || key == "locks") return startLayer(w);
        if (key == "mode") {
            if (w.size() != 2 || modeNumber(w[1]) < 0) return fail("mode is one of quest, puzzle, action, cube");
            map.mode = modeNumber(w[1]);
        } else if (key == "size") {
            if (sizeSeen) return fail("size given twice");
            if (w.size() != 3 || !number(w[1], 1, kMaxColumns, map.w) || !number(w[2], 1, kMaxRows, map.h))
                return fail("size needs columns 1..14 and rows 1..10");
            sizeSeen = true;
        } else if (key == "origin") {
            if (w.size() != 3 || !number(w[1], 0, 65535, map.x0) || !number(w[2], 0, 65535, map.y0))
                return fail("origin needs two screen coordinates 0..65535");
            originSeen = true;
        } else if (key == "time") {
            if (w.size() != 2 || !number(w[1], 0, kTimeMax, map.timeSeconds)) return fail("time needs seconds 0..65535");
        } else if (key == "kinds") {
            return kinds(w);
        } else if (key == "solution") {
            return moves(w);
        } else if (key == "teleport" || key == "rainbow") {
            int v = 0;
            if (w.size() != 2 || !number(w[1], 0, kPerMilleMax, v)) return fail(key + " needs a chance 0..1000 per mille");
            // The table holds bytes; the game reads chances below 1000 anyway.
            map.bonuses[key == "teleport" ? 0 : 1] = static_cast<std::uint8_t>(v > 255 ? 255 : v);
        } else {
            return fail("unknown word '" + key + "'");
        }
        return true;
    }

    bool row(const std::string& text) {
        const std::string cells = withoutSpaces(text);
        if (rowsRead >= map.h) return fail("more rows than the size gives");
        if (static_cast<int>(cells.size()) != map.w)
            return fail("row has " + std::to_string(cells.size()) + " cells, size says " + std::to_string(map.w));
        for (int c = 0; c < map.w; ++c) {
            MapCell& cell = map.cells[static_cast<std::size_t>(rowsRead * map.w + c)];
            const char ch = cells[static_cast<std::size_t>(c)];
            if (layer == Layer::Ground) {
                if (!groundCell(ch, cell)) return fail(std::string("unknown ground '") + ch + "'");
            } else if (layer == Layer::Pieces) {
                if (!pieceCell(ch, cell)) return fail(std::string("unknown piece '") + ch + "'");
                if (ch != '.' && cell.active == 0) return fail("a piece lies in a hole");
            } else if (ch != '.') {
                if (ch < '1' || ch > '9') return fail(std::string("unknown lock '") + ch + "'");
                if (cell.active == 0 || cell.piece == kMapNoPiece || cell.piece == kMapRaduga || cell.piece == kMapTeleport)
                    return fail("a lock needs an ordinary piece under it");
                cell.lock = static_cast<std::uint8_t>(ch - '0');
            }
        }
        ++rowsRead;
        return true;
    }

    bool inLayer() const { return layer != Layer::None && rowsRead < map.h; }

    bool finish() {
        if (layer != Layer::None && rowsRead < map.h) return fail("the drawing stops after " + std::to_string(rowsRead) + " rows");
        if (!sizeSeen) return fail("no size given");
        if (!groundSeen) return fail("no ground drawn");
        if (!originSeen) {
            const Origin origin = defaultOrigin(map);
            map.x0 = origin.x0;
            map.y0 = origin.y0;
        }
        return true;
    }

    MapData map;
    std::vector<LevelMove> solution;

private:
    bool moves(const std::vector<std::string>& w) {
        if (!sizeSeen) return fail("size must come before the solution");
        for (std::size_t i = 1; i < w.size(); ++i) {
            const std::size_t dash = w[i].find('-');
            LevelMove m;
            const int last = map.w * map.h - 1;
            if (dash == std::string::npos || !number(w[i].substr(0, dash), 0, last, m.from) ||
                !number(w[i].substr(dash + 1), 0, last, m.to))
                return fail("a move is two cells from-to, not '" + w[i] + "'");
            const int dc = m.from % map.w - m.to % map.w, dr = m.from / map.w - m.to / map.w;
            if (dc * dc + dr * dr != 1) return fail("the cells of '" + w[i] + "' are not neighbours");
            solution.push_back(m);
        }
        return true;
    }

    bool startLayer(const std::vector<std::string>& w) {
        if (w.size() != 1) return fail(w[0] + " stands alone on its line");
        if (!sizeSeen) return fail("size must come before the drawing");
        if (layer != Layer::None && rowsRead < map.h) return fail("the previous drawing is not finished");
        if (w[0] == "ground") {
            if (groundSeen) return fail("ground drawn twice");
            groundSeen = true;
            layer = Layer::Ground;
            map.cells.assign(static_cast<std::size_t>(map.w * map.h), MapCell{});
        } else {
            if (!groundSeen) return fail("the ground comes before " + w[0]);
            bool& seen = w[0] == "pieces" ? piecesSeen : locksSeen;
            if (seen) return fail(w[0] + " drawn twice");
            if (w[0] == "locks" && !piecesSeen) return fail("locks need the pieces drawn first");
            seen = true;
            layer = w[0] == "pieces" ? Layer::Pieces : Layer::Locks;
        }
        rowsRead = 0;
        return true;
    }

    bool kinds(const std::vector<std::string>& w) {
        map.kests.fill(0);
        for (std::size_t i = 1; i < w.size(); ++i) {
            int k = 0;
            if (w[i] == "b") {
                map.kests[KindBad] = 1;
            } else if (number(w[i], 0, kOrdinaryKinds - 1, k)) {
                map.kests[static_cast<std::size_t>(k)] = 1;
            } else {
                return fail("kinds are 0..7 and b, not '" + w[i] + "'");
            }
        }
        return true;
    }

    Layer layer = Layer::None;
    int rowsRead = 0;
    bool sizeSeen = false, originSeen = false, groundSeen = false, piecesSeen = false, locksSeen = false;
};

}  // namespace

bool parseLevelSource(const std::string& text, const std::string& name, MapData& out, std::string& error,
                      std::vector<LevelMove>* solution) {
    LevelParser p;
    p.name = name;
    // Until a kinds line says otherwise, the eight ordinary kinds.
    for (int k = 0; k < kOrdinaryKinds; ++k) p.map.kests[static_cast<std::size_t>(k)] = 1;
    if (text.size() > kSourceMax) {
        error = name + ": larger than any level source";
        return false;
    }
    std::istringstream in(text);
    std::string line;
    bool ok = true;
    while (ok && std::getline(in, line)) {
        ++p.line;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kLineMax) {
            ok = p.fail("line longer than " + std::to_string(kLineMax) + " characters");
            break;
        }
        // Inside a drawing '#' is a hole; elsewhere it starts a comment.
        if (!p.inLayer()) {
            const std::size_t hash = line.find('#');
            if (hash != std::string::npos) line.resize(hash);
        }
        const std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        ok = p.inLayer() ? p.row(line) : p.header(w);
    }
    ++p.line;
    if (ok) ok = p.finish();
    if (!ok) {
        error = p.error;
        return false;
    }
    out = std::move(p.map);
    if (solution) *solution = std::move(p.solution);
    return true;
}

std::string layoutContractViolation(const MapData& map) {
    if (map.w > kLevelMaxColumns || map.h > kLevelMaxRows)
        return "the field is " + std::to_string(map.w) + " x " + std::to_string(map.h) + ", more than 8 x 9";
    if (2 * map.x0 + map.w * kCellSize != 2 * kLevelCentreX) return "the field is not centred on x = 432";
    if (map.y0 < kLevelTop || map.y0 + map.h * kCellSize > kLevelBottom) return "the field leaves y 64..528";
    return {};
}

std::string formatLevelSource(const MapData& map) {
    static const char kGround[] = ".12sw";
    std::ostringstream out;
    const char* modes[] = {"quest", "puzzle", "action", "", "cube"};
    out << "mode " << (map.mode >= 0 && map.mode <= 4 ? modes[map.mode] : "quest") << "\n";
    out << "size " << map.w << " " << map.h << "\n";
    // Only an origin that differs from where the level would lie anyway is
    // written; without it the level would move when read back.
    const Origin origin = defaultOrigin(map);
    if (origin.x0 != map.x0 || origin.y0 != map.y0) out << "origin " << map.x0 << " " << map.y0 << "\n";
    out << "time " << map.timeSeconds << "\n";
    out << "kinds";
    for (int k = 0; k < kOrdinaryKinds; ++k)
        if (map.kests[static_cast<std::size_t>(k)]) out << " " << k;
    if (map.kests[KindBad]) out << " b";
    out << "\nteleport " << int(map.bonuses[0]) << "\nrainbow " << int(map.bonuses[1]) << "\n";
    const auto grid = [&](const char* title, auto cellChar) {
        out << title << "\n";
        for (int r = 0; r < map.h; ++r) {
            for (int c = 0; c < map.w; ++c) {
                if (c) out << ' ';
                out << cellChar(map.cells[static_cast<std::size_t>(r * map.w + c)]);
            }
            out << "\n";
        }
    };
    grid("ground", [&](const MapCell& c) { return c.active ? kGround[c.coating <= 4 ? c.coating : 0] : '#'; });
    grid("pieces", [](const MapCell& c) {
        if (!c.active) return '.';
        if (c.piece >= 1 && c.piece <= 8) return char('0' + c.piece - 1);
        if (c.piece == KindBad + 1) return 'b';
        if (c.piece == kMapRaduga) return 'r';
        if (c.piece == kMapTeleport) return char('A' + c.lock);
        return '.';
    });
    grid("locks", [](const MapCell& c) {
        const bool ordinary = c.active && c.piece >= 1 && c.piece <= KindBad + 1;
        return ordinary && c.lock >= 1 && c.lock <= 9 ? char('0' + c.lock) : '.';
    });
    return out.str();
}
