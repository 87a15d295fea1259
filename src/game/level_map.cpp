#include "game/level_map.h"

#include <algorithm>

#include "board/board.h"
#include "config/byte_fields.h"
#include "platform/paths.h"

namespace {

constexpr const char* kFileTag = "GEM";
constexpr const char* kKestTag = "KESTS";
constexpr const char* kBonusTag = "BONUSES";
constexpr const char* kBodyTag = "BODY";
constexpr int kReservedBytes = 8;
constexpr std::size_t kCellBytes = 4;
// Far above any real map (55 header bytes and 560 of cells); a larger file
// is not a map and is not read into memory.
constexpr std::size_t kMapFileMax = 4096;

void fail(std::string* error, const std::string& message) {
    if (error) *error = message;
}

bool isTeleportKind(int kind) { return kind >= 0 && kind < kOrdinaryKinds; }

MapCell cellRecord(const Board& board, int index) {
    const Cell& c = board.cell(index);
    if (!c.active()) return {};
    MapCell out;
    out.active = 1;
    out.coating = static_cast<std::uint8_t>(c.coating());
    const Piece* p = c.piece();
    if (!p) {
        out.piece = kMapNoPiece;
    } else if (p->special == SpecialRaduga || p->kind == KindRaduga) {
        out.piece = kMapRaduga;
    } else if (p->special == SpecialTeleport) {
        out.lock = static_cast<std::uint8_t>(p->kind);
        out.piece = kMapTeleport;
    } else {
        out.lock = static_cast<std::uint8_t>(std::clamp(p->lock, 0, 255));
        out.piece = static_cast<std::uint8_t>(p->kind + 1);
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodeMap(const MapData& map) {
    ByteFieldWriter w;
    w.tag(kFileTag);
    w.u16(map.x0);
    w.u16(map.y0);
    w.byte(map.w);
    w.byte(map.h);
    w.byte(map.mode);
    w.tag(kKestTag);
    for (std::uint8_t k : map.kests) w.byte(k);
    w.tag(kBonusTag);
    for (std::uint8_t b : map.bonuses) w.byte(b);
    w.u16(map.timeSeconds);
    w.zeros(kReservedBytes);
    w.tag(kBodyTag);
    for (const MapCell& c : map.cells) {
        if (c.active == 0) {
            w.zeros(kCellBytes);
            continue;
        }
        w.byte(c.active);
        w.byte(c.coating);
        w.byte(c.lock);
        w.byte(c.piece);
    }
    return w.bytes();
}

bool decodeMap(const std::uint8_t* bytes, std::size_t size, MapData& out, std::string* error) {
    // Tags are not compared: the layout alone places the fields.
    ByteFieldReader r(bytes, size);
    MapData map;
    r.tag();
    map.x0 = static_cast<int>(r.u16());
    map.y0 = static_cast<int>(r.u16());
    map.w = r.byte();
    map.h = r.byte();
    map.mode = r.byte();
    r.tag();
    for (std::uint8_t& k : map.kests) k = static_cast<std::uint8_t>(r.byte());
    r.tag();
    for (std::uint8_t& b : map.bonuses) b = static_cast<std::uint8_t>(r.byte());
    map.timeSeconds = static_cast<int>(r.u16());
    r.skip(kReservedBytes);
    r.tag();
    if (!r.ok()) {
        fail(error, "the file ends inside its header");
        return false;
    }
    if (map.w < 1 || map.h < 1 || map.w * map.h > kMaxCells) {
        fail(error, "a board of " + std::to_string(map.w) + " x " + std::to_string(map.h) + " cells does not fit the " +
                        std::to_string(kMaxCells) + " cells of the field");
        return false;
    }
    map.cells.resize(static_cast<std::size_t>(map.w * map.h));
    for (std::size_t i = 0; i < map.cells.size(); ++i) {
        MapCell& c = map.cells[i];
        c.active = static_cast<std::uint8_t>(r.byte());
        c.coating = static_cast<std::uint8_t>(r.byte());
        c.lock = static_cast<std::uint8_t>(r.byte());
        c.piece = static_cast<std::uint8_t>(r.byte());
        if (!r.ok()) {
            fail(error, "the file ends at cell " + std::to_string(i) + " of " + std::to_string(map.cells.size()));
            return false;
        }
        if (c.active == 0) {
            c = MapCell{};
            continue;
        }
        if (c.coating > CoatWandBonus) {
            fail(error, "cell " + std::to_string(i) + " has coating " + std::to_string(c.coating));
            return false;
        }
        if (c.piece == kMapTeleport && !isTeleportKind(c.lock)) {
            fail(error, "cell " + std::to_string(i) + " holds a teleport of kind " + std::to_string(c.lock));
            return false;
        }
    }
    out = std::move(map);
    return true;
}

MapData mapFromBoard(const Board& board) {
    MapData map;
    map.x0 = board.geometry().x0;
    map.y0 = board.geometry().y0;
    map.w = board.width();
    map.h = board.height();
    map.mode = static_cast<int>(board.mode());
    map.kests = board.kestTable();
    map.bonuses = board.bonusTable();
    map.timeSeconds = board.timeTotal() / 1000;
    map.cells.resize(static_cast<std::size_t>(board.cellCount()));
    for (int i = 0; i < board.cellCount(); ++i) map.cells[static_cast<std::size_t>(i)] = cellRecord(board, i);
    return map;
}

void applyMap(Board& board, const MapData& map) {
    board.clearLevel();
    board.setGeometry(map.x0, map.y0, map.w, map.h);
    board.setKestTable(map.kests);
    board.setBonusTable(map.bonuses);
    if (map.timeSeconds != 0) board.setTime(map.timeSeconds * 1000);
    for (int i = 0; i < map.w * map.h; ++i) {
        const MapCell& c = map.cells[static_cast<std::size_t>(i)];
        if (c.active == 0) {
            board.setCell(i, false);
            continue;
        }
        // A teleport's lock byte is its kind, so it never starts locked.
        const int fileLock = c.piece == kMapTeleport ? 0 : c.lock;
        board.setCell(i, true, c.coating, fileLock);
        if (c.piece >= 1 && c.piece <= KindBad + 1) {
            board.putPiece(i, c.piece - 1);
        } else if (c.piece == kMapRaduga) {
            board.putPiece(i, KindRaduga, SpecialRaduga);
        } else if (c.piece == kMapTeleport) {
            board.putPiece(i, c.lock, SpecialTeleport);
        }
    }
}

MapLoad loadMap(Board& board, const std::string& path, const MapLoadedHook& onLoaded, std::string* error) {
    if (path.empty()) return MapLoad::NoPath;
    std::vector<std::uint8_t> bytes;
    if (!platform::readWholeFile(path, bytes, kMapFileMax)) {
        fail(error, "cannot read " + path);
        return MapLoad::Unreadable;
    }
    MapData map;
    std::string why;
    if (!decodeMap(bytes.data(), bytes.size(), map, &why)) {
        fail(error, path + ": " + why);
        return MapLoad::Refused;
    }
    applyMap(board, map);
    board.setMapPath(path.c_str());
    if (onLoaded) onLoaded(board);
    return MapLoad::Loaded;
}

bool writeMap(const MapData& map, const std::string& path) {
    const std::vector<std::uint8_t> bytes = encodeMap(map);
    return platform::writeFileAtomic(path, bytes.data(), bytes.size()) == 0;
}

bool saveMap(const Board& board, const std::string& path) { return writeMap(mapFromBoard(board), path); }
