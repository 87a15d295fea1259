#include "game/progress_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "config/byte_fields.h"
#include "errorlog/error_check.h"
#include "platform/paths.h"

namespace {

constexpr std::size_t kReadLimit = 4096;
constexpr const char* kProfilesFolder = "data\\profiles";

// What older versions kept of a name, escaping everything else.
bool keptByOlderVersions(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// Printable ASCII but the path separators, the escape itself and what one
// file system or another refuses in a name.
bool safeInAName(unsigned char c) {
    if (c < 32 || c > 126) return false;
    for (const char* refused = "/\\%:*?\"<>|"; *refused; ++refused)
        if (c == static_cast<unsigned char>(*refused)) return false;
    return true;
}

void appendEscaped(std::string& stem, unsigned char c) {
    static const char* hex = "0123456789abcdef";
    stem += '%';
    stem += hex[c >> 4];
    stem += hex[c & 15];
}

// The stem older versions wrote ("Tess" as "%54ess"): still read, and
// given up for the plain one when the file is written again.
std::string escapedStem(const std::string& playerName) {
    std::string stem;
    for (unsigned char c : playerName) {
        if (keptByOlderVersions(c)) stem += static_cast<char>(c);
        else appendEscaped(stem, c);
    }
    return stem;
}

const char* suffixOf(ProfileFile file) {
    switch (file) {
    case ProfileFile::Progress: return ".sav";
    case ProfileFile::QuestBoard: return "quest.map";
    case ProfileFile::ActionBoard: return "action.map";
    case ProfileFile::CubeBoard: return "cube.map";
    }
    return ".sav";
}

std::string pathWithStem(const std::string& stem, ProfileFile file) {
    return std::string(kProfilesFolder) + "\\" + stem + suffixOf(file);
}

// The older name of the file, when it differs from the plain one.
std::string olderPath(const std::string& playerName, ProfileFile file) {
    const std::string older = escapedStem(playerName);
    if (playerName.empty() || older == profileFileStem(playerName)) return {};
    return pathWithStem(older, file);
}

// One reader for both directions' layout: the order of the fields lives in
// `visitFields` alone.
struct FieldEncoder {
    ByteFieldWriter out;
    void byte(int& v) { out.byte(v); }
    void u16(int& v) { out.u16(v); }
    void u24(int& v) { out.u24(v); }
};

struct FieldDecoder {
    ByteFieldReader in;
    // A field the bytes do not reach keeps its value.
    template <typename Read>
    void field(int& v, std::size_t width, Read read) {
        if (in.position() + width > size) {
            in.skip(width);  // fails the reader for good
            return;
        }
        v = static_cast<int>(read());
    }
    void byte(int& v) { field(v, 1, [&] { return in.byte(); }); }
    void u16(int& v) { field(v, 2, [&] { return in.u16(); }); }
    void u24(int& v) { field(v, 3, [&] { return in.u24(); }); }
    std::size_t size;
};

template <typename Fields>
void visitFields(Fields& f, ProgressRecord& r) {
    f.byte(r.puzzleLevel);
    f.byte(r.action.level);
    f.u24(r.action.score);
    f.byte(r.action.wands);
    f.u16(r.action.timeSeconds);
    f.u16(r.action.gems);
    f.u24(r.action.levelScore);
    f.u16(r.action.progress);
    f.byte(r.action.collector);
    f.byte(r.quest.level);
    f.u24(r.quest.score);
    f.byte(r.quest.wands);
    f.u16(r.quest.timeLeftSeconds);
    f.u16(r.quest.gems);
    f.u24(r.quest.levelScore);
    f.byte(r.quest.lives);
    f.byte(r.quest.collector);
    f.byte(r.highestQuestLevel);
    f.byte(r.cube.level);
    f.u24(r.cube.score);
    f.u16(r.cube.timeSeconds);
    f.u16(r.cube.gems);
    f.u24(r.cube.levelScore);
    f.u16(r.cube.progress);
    f.byte(r.cube.collector);
    int tips = r.tipsOff ? 1 : 0;
    f.byte(tips);
    r.tipsOff = tips != 0;
}

// The board's place among the record's fingerprints.
std::size_t printIndex(ProfileFile board) {
    switch (board) {
    case ProfileFile::QuestBoard: return 0;
    case ProfileFile::ActionBoard: return 1;
    case ProfileFile::CubeBoard: return 2;
    case ProfileFile::Progress: break;
    }
    return 0;
}

constexpr ProfileFile kBoards[] = {ProfileFile::QuestBoard, ProfileFile::ActionBoard, ProfileFile::CubeBoard};

// Where a save puts the mode's new board until its progress is written.
std::string pendingBoardPath(const std::string& playerName, ProfileFile board) {
    const std::string path = profileFilePath(playerName, board);
    return path.empty() ? path : path + ".new";
}

// The fingerprint of the board file at the path, if it can be read.
std::optional<std::uint32_t> fingerprintOfFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (path.empty() || !platform::readWholeFile(path, bytes, kReadLimit)) return std::nullopt;
    return boardFingerprint(bytes);
}

void deleteIfThere(const std::string& path) {
    if (!path.empty() && platform::fileReadable(path)) platform::deleteFile(path);
}

SaveFailure failureOf(const std::string& gamePath, int why) {
    return {platform::absoluteWritePath(gamePath), std::strerror(why != 0 ? why : EIO)};
}

void logDamaged(const std::string& path, std::size_t size) {
    char text[512];
    std::snprintf(text, sizeof text, "%s: %zu bytes where %zu belong; missing fields keep their defaults\r\n",
                  path.c_str(), size, kProgressFileSize);
    writeErrorLogText(text, __DATE__, __TIME__);
}

}  // namespace

std::string profileFileStem(const std::string& playerName) {
    std::string stem;
    const std::size_t n = playerName.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(playerName[i]);
        const bool edge = i == 0 || i + 1 == n;
        // No hidden file, no "..", no name the file system trims.
        const bool dotNextToDot = c == '.' && ((i > 0 && playerName[i - 1] == '.') || (i + 1 < n && playerName[i + 1] == '.'));
        const bool trimmed = edge && (c == ' ' || c == '.');
        if (safeInAName(c) && !dotNextToDot && !trimmed) stem += static_cast<char>(c);
        else appendEscaped(stem, c);
    }
    return stem;
}

std::string profileFilePath(const std::string& playerName, ProfileFile file) {
    if (playerName.empty()) return {};
    return pathWithStem(profileFileStem(playerName), file);
}

std::string profileFileReadPath(const std::string& playerName, ProfileFile file) {
    const std::string plain = profileFilePath(playerName, file);
    if (plain.empty() || platform::fileReadable(plain)) return plain;
    const std::string older = olderPath(playerName, file);
    return !older.empty() && platform::fileReadable(older) ? older : plain;
}

void retireOlderFileName(const std::string& playerName, ProfileFile file) {
    const std::string older = olderPath(playerName, file);
    if (!older.empty() && platform::fileReadable(older)) platform::deleteFile(older);
}

std::optional<std::uint32_t>& boardPrint(ProgressRecord& record, ProfileFile board) {
    return record.boardPrints[printIndex(board)];
}

std::uint32_t boardFingerprint(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t b : bytes) hash = (hash ^ b) * 16777619u;
    return hash == kNoSavedBoard ? 1u : hash;
}

// A record that knows none of its boards keeps the older layout; one that
// knows some writes the others as "no board".
std::vector<std::uint8_t> encodeProgress(const ProgressRecord& record) {
    ProgressRecord copy = record;
    FieldEncoder encoder;
    visitFields(encoder, copy);
    bool anyKnown = false;
    for (const auto& print : record.boardPrints) anyKnown = anyKnown || print.has_value();
    if (anyKnown)
        for (const auto& print : record.boardPrints) encoder.out.u32(print.value_or(kNoSavedBoard));
    return encoder.out.bytes();
}

ProgressReadResult decodeProgress(const std::uint8_t* data, std::size_t size, ProgressRecord& record) {
    FieldDecoder decoder{ByteFieldReader(data, size), size};
    visitFields(decoder, record);
    if (size >= kProgressFileSize)
        for (auto& print : record.boardPrints) print = decoder.in.u32();
    return size == kProgressFileSize || size == kOlderProgressFileSize ? ProgressReadResult::Complete
                                                                         : ProgressReadResult::Damaged;
}

ProgressReadResult readProgressFile(const std::string& playerName, ProgressRecord& record) {
    const std::string path = profileFileReadPath(playerName, ProfileFile::Progress);
    if (path.empty() || !platform::fileReadable(path)) return ProgressReadResult::Missing;
    std::vector<std::uint8_t> bytes;
    if (!platform::readWholeFile(path, bytes, kReadLimit)) {
        logDamaged(path, kReadLimit + 1);
        return ProgressReadResult::Damaged;
    }
    const ProgressReadResult result = decodeProgress(bytes.data(), bytes.size(), record);
    if (result == ProgressReadResult::Damaged) logDamaged(path, bytes.size());
    return result;
}

int writeProgressFile(const std::string& playerName, const ProgressRecord& record) {
    const std::string path = profileFilePath(playerName, ProfileFile::Progress);
    if (path.empty()) return -1;
    platform::makeDirectories(kProfilesFolder);
    ProgressRecord complete = record;
    for (ProfileFile board : kBoards) {
        std::optional<std::uint32_t>& print = boardPrint(complete, board);
        if (print) continue;
        const std::string current = profileFileReadPath(playerName, board);
        print = platform::fileReadable(current) ? fingerprintOfFile(current).value_or(kNoSavedBoard) : kNoSavedBoard;
    }
    const std::vector<std::uint8_t> bytes = encodeProgress(complete);
    if (platform::writeFileAtomic(path, bytes.data(), bytes.size()) != 0) return -1;
    // Every field was read before it was written: the older file holds nothing more.
    retireOlderFileName(playerName, ProfileFile::Progress);
    return 0;
}

std::optional<SaveFailure> writeSaveUnit(const std::string& playerName, ProgressRecord record, BoardMode mode,
                                         SavedBoardChange change, const std::vector<std::uint8_t>& boardBytes) {
    const std::string progressPath = profileFilePath(playerName, ProfileFile::Progress);
    if (progressPath.empty()) return SaveFailure{progressPath, "the player has no name"};
    const std::optional<ProfileFile> board = savedBoardOf(mode);
    if (!board) change = SavedBoardChange::Keep;
    const std::string pending = board ? pendingBoardPath(playerName, *board) : std::string();

    if (change == SavedBoardChange::Replace) {
        platform::makeDirectories(kProfilesFolder);
        if (platform::writeFileAtomic(pending, boardBytes.data(), boardBytes.size()) != 0)
            return failureOf(pending, errno);
        boardPrint(record, *board) = boardFingerprint(boardBytes);
    } else if (change == SavedBoardChange::Forget) {
        boardPrint(record, *board) = kNoSavedBoard;
    }

    // The moment the progress file is in place the save has happened.
    if (writeProgressFile(playerName, record) != 0) {
        const int why = errno;
        if (change == SavedBoardChange::Replace) platform::deleteFile(pending);
        return failureOf(progressPath, why);
    }

    if (change == SavedBoardChange::Replace) {
        // Should this fail, the board stays pending and the next resume moves it.
        if (platform::replaceFile(pending, profileFilePath(playerName, *board))) retireOlderFileName(playerName, *board);
    } else if (change == SavedBoardChange::Forget) {
        deleteSavedBoard(playerName, mode);
        deleteIfThere(pending);
    }
    return std::nullopt;
}

std::string savedBoardToResume(const std::string& playerName, const ProgressRecord& record, ProfileFile board) {
    const std::string current = profileFileReadPath(playerName, board);
    if (current.empty()) return {};
    const std::optional<std::uint32_t> print = record.boardPrints[printIndex(board)];
    // An older progress file takes the board that is there.
    if (!print) return platform::fileReadable(current) ? current : std::string();

    const std::string pending = pendingBoardPath(playerName, board);
    if (*print != kNoSavedBoard && fingerprintOfFile(current) == print) {
        deleteIfThere(pending);
        return current;
    }
    if (*print != kNoSavedBoard && fingerprintOfFile(pending) == print) {
        // The save was cut off after its progress: finish it.
        const std::string plain = profileFilePath(playerName, board);
        if (!platform::replaceFile(pending, plain)) return pending;
        retireOlderFileName(playerName, board);
        return plain;
    }
    deleteIfThere(pending);
    return {};
}

bool profileFileExists(const std::string& playerName, ProfileFile file) {
    const std::string path = profileFileReadPath(playerName, file);
    return !path.empty() && platform::fileReadable(path);
}

bool hasSavedBoardToResume(const std::string& playerName, ProfileFile board) {
    ProgressRecord record;
    readProgressFile(playerName, record);
    return !savedBoardToResume(playerName, record, board).empty();
}

std::optional<ProfileFile> savedBoardOf(BoardMode mode) {
    switch (mode) {
    case BoardMode::ModeQuest: return ProfileFile::QuestBoard;
    case BoardMode::ModeAction: return ProfileFile::ActionBoard;
    case BoardMode::ModeCube: return ProfileFile::CubeBoard;
    case BoardMode::ModePuzzle: break;
    }
    return std::nullopt;
}

void deleteSavedBoard(const std::string& playerName, BoardMode mode) {
    const std::optional<ProfileFile> board = savedBoardOf(mode);
    if (!board) return;
    const std::string path = profileFilePath(playerName, *board);
    if (!path.empty() && platform::fileReadable(path)) platform::deleteFile(path);
    retireOlderFileName(playerName, *board);
}

void deleteProfileFiles(const std::string& playerName) {
    for (ProfileFile file : {ProfileFile::Progress, ProfileFile::QuestBoard, ProfileFile::ActionBoard,
                             ProfileFile::CubeBoard}) {
        const std::string path = profileFilePath(playerName, file);
        if (!path.empty()) platform::deleteFile(path);
        retireOlderFileName(playerName, file);
        if (file != ProfileFile::Progress) deleteIfThere(pendingBoardPath(playerName, file));
    }
}
