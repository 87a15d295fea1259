#include "config/ini_store.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/save_failures.h"
#include "config/ini_syntax.h"
#include "config/number_parse.h"
#include "platform/paths.h"

namespace {

constexpr std::size_t kNameCapacity = 1024;
constexpr std::size_t kValueCapacity = 1024;
// Configuration files are tens of lines; anything this large is not one of
// ours and is treated as unreadable rather than held in memory.
constexpr std::size_t kMaxFileBytes = 64u * 1024u * 1024u;

constexpr char kEmptyText[] = "";

// The one file in memory. `unreadable` marks a file that exists but could not
// be read (a folder, too large, no permission, a read error): it reads as
// empty like a missing file, but saving the cache over it would replace the
// player's file with a few keys, so it is never saved.
struct IniCache {
    char name[kNameCapacity] = {};
    std::string contents;
    bool unreadable = false;
    // Changed while a batch holds the saves: written when the batch ends.
    bool held = false;
    char value[kValueCapacity] = {};
    // The header starts of `contents`, found at the first read after a change.
    std::vector<std::size_t> headers;
    bool headersKnown = false;
    // Screens read dozens of keys from each of dozens of sections: where each
    // section asked for begins, and the keys of each section read, are
    // found once and kept until the text changes.
    std::unordered_map<std::string, std::size_t> sectionBodies;
    std::unordered_map<std::size_t, ini::SectionKeys> keysBySection;
};

IniCache cache;

const std::vector<std::size_t>& cachedHeaders() {
    if (!cache.headersKnown) {
        cache.headers = ini::headerStarts(cache.contents);
        cache.headersKnown = true;
    }
    return cache.headers;
}

void contentsChanged() {
    cache.headersKnown = false;
    cache.sectionBodies.clear();
    cache.keysBySection.clear();
}

std::size_t cachedSectionBody(std::string_view section) {
    auto [at, added] = cache.sectionBodies.try_emplace(ini::foldedName(section), ini::npos);
    if (added) at->second = ini::findSectionBody(cache.contents, cachedHeaders(), section);
    return at->second;
}

std::size_t cachedKeyValue(std::size_t body, std::string_view key) {
    if (!ini::keyIndexable(key)) return ini::findKeyValue(cache.contents, body, key);
    auto [at, added] = cache.keysBySection.try_emplace(body);
    if (added) at->second = ini::sectionKeys(cache.contents, body);
    const auto found = at->second.find(ini::foldedName(key));
    return found == at->second.end() ? ini::npos : found->second;
}

// A file whose saves a batch holds, put aside while another file is cached.
// It comes back into the cache instead of being read from disk, so a batch
// that reads a second file in between loses none of its changes.
struct HeldFile {
    std::string name;
    std::string contents;
};

struct IniBatchState {
    int depth = 0;
    std::vector<HeldFile> asideFiles;
};

IniBatchState batch;

std::string_view textOf(const char* text) {
    return text ? std::string_view(text) : std::string_view();
}

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

bool holdsLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name with a line end would plant lines of its own in the file; a key
// starting with whitespace or "[" could never be found again (the "[" would
// even end its section early), so each write would add another copy.
bool writableNames(std::string_view section, std::string_view key) {
    if (holdsLineEnd(section) || holdsLineEnd(key)) return false;
    return key.empty() || (key[0] != '[' && !ini::isWhitespace(key[0]));
}

// Puts the cached file aside when it holds changes a batch has not saved yet.
void setHeldFileAside() {
    if (!cache.held) return;
    cache.held = false;
    for (HeldFile& file : batch.asideFiles) {
        if (sameName(file.name, cache.name)) {
            file.contents = std::move(cache.contents);
            return;
        }
    }
    batch.asideFiles.push_back({cache.name, std::move(cache.contents)});
}

// Takes a file back from the aside list into the (just emptied) cache.
bool takeHeldFileBack(std::string_view path) {
    for (auto it = batch.asideFiles.begin(); it != batch.asideFiles.end(); ++it) {
        if (!sameName(it->name, path)) continue;
        cache.contents = std::move(it->contents);
        cache.held = true;
        batch.asideFiles.erase(it);
        return true;
    }
    return false;
}

void forgetFile(std::string_view path) {
    setHeldFileAside();
    path.copy(cache.name, path.size());
    cache.name[path.size()] = '\0';
    cache.contents.clear();
    cache.contents.shrink_to_fit();
    contentsChanged();
    cache.unreadable = false;
}

void loadFile(std::string_view path) {
    forgetFile(path);
    if (takeHeldFileBack(path)) return;
    std::vector<std::uint8_t> bytes;
    const platform::WholeFileRead read = platform::tryReadWholeFile(path, bytes, kMaxFileBytes);
    if (read == platform::WholeFileRead::Read) {
        cache.contents.assign(bytes.begin(), bytes.end());
    } else {
        // Only a file that is surely not there reads as a new, empty one;
        // when we cannot even tell, assume there is a file worth keeping.
        cache.unreadable = read != platform::WholeFileRead::Missing;
    }
}

bool fitsName(std::string_view path) {
    return path.size() < kNameCapacity;
}

// Makes `path` the cached file, loading it when another file is cached.
bool selectFile(std::string_view path) {
    if (!fitsName(path)) return false;
    if (!sameName(cache.name, path)) loadFile(path);
    return true;
}

std::string lastWriteFailure;

// Any write of a whole file, remembering where and why the last one failed.
int writeWholeFile(const std::string& name, const std::string& contents) {
    if (platform::writeFileAtomic(name, contents.data(), contents.size()) == 0) return 0;
    const int why = errno != 0 ? errno : EIO;
    lastWriteFailure = platform::absoluteWritePath(name) + ": " + std::strerror(why);
    noteSaveFailure();
    return -1;
}

int writeCachedFile() { return writeWholeFile(cache.name, cache.contents); }

int saveFile() {
    if (cache.unreadable) return -1;
    if (batch.depth > 0) {
        cache.held = true;
        return 0;
    }
    return writeCachedFile();
}

// Every file a batch held, each written once as a whole.
int writeHeldFiles() {
    int result = 0;
    if (cache.held) {
        cache.held = false;
        if (writeCachedFile() != 0) result = -1;
    }
    for (const HeldFile& file : batch.asideFiles) {
        if (writeWholeFile(file.name, file.contents) != 0) result = -1;
    }
    batch.asideFiles.clear();
    return result;
}

bool endsWithLineEnd(const std::string& text) {
    return !text.empty() && ini::isLineEnd(text.back());
}

// Appends a header for `section`; returns the index just after its "]".
std::size_t appendSection(std::string_view section) {
    std::string& text = cache.contents;
    // A header glued to a last line without line end would be found by nobody.
    if (!text.empty() && !endsWithLineEnd(text)) text += "\r\n";
    text += '[';
    text += section;
    text += ']';
    const std::size_t body = text.size();
    text += "\r\n";
    return body;
}

// The value runs to its line end; the line end and any blank lines and
// indentation after it are replaced too, by a single CR LF.
void replaceValue(std::size_t valueStart, std::string_view value) {
    std::string& text = cache.contents;
    std::size_t end = ini::findLineEnd(text, valueStart);
    if (end < text.size()) end = ini::skipWhitespace(text, end);
    std::string line(value);
    line += "\r\n";
    text.replace(valueStart, end - valueStart, line);
}

// The new key becomes the section's first key: it goes to the start of the
// line after the header line.
void insertKey(std::size_t body, std::string_view key, std::string_view value) {
    std::string& text = cache.contents;
    std::string line(key);
    line += '=';
    line += value;
    line += "\r\n";
    const std::size_t headerEnd = ini::findLineEnd(text, body);
    const std::size_t afterHeader = ini::skipWhitespace(text, body);
    if (afterHeader < headerEnd && text[afterHeader] == '[') {
        // "[a] [b": that second "[" ends the section before the next line, so
        // the key would never be read back. It gets its own line after "]".
        // The rest of the header line must still end the section, yet left
        // at a line start it would become a header nobody saw before, so it
        // goes behind an empty header "[]", which no section is named.
        text.insert(body, "\r\n" + line + "[]");
    } else if (headerEnd == text.size()) {
        // The header is the last line and has no line end to put the key after.
        text += "\r\n";
        text += line;
    } else {
        text.insert(ini::skipWhitespace(text, headerEnd), line);
    }
}

}  // namespace

const char* iniReadString(const char* path, const char* section, const char* key) {
    if (!selectFile(textOf(path))) return kEmptyText;
    const std::string_view text = cache.contents;
    const std::size_t body = cachedSectionBody(textOf(section));
    if (body == ini::npos) return kEmptyText;
    const std::size_t start = cachedKeyValue(body, textOf(key));
    if (start == ini::npos) return kEmptyText;

    std::size_t length = ini::findLineEnd(text, start) - start;
    if (length > kValueCapacity - 1) length = kValueCapacity - 1;
    std::memcpy(cache.value, text.data() + start, length);
    cache.value[length] = '\0';
    return cache.value;
}

std::int32_t iniReadInt(const char* path, const char* section, const char* key) {
    return parseLeadingInt(iniReadString(path, section, key));
}

float iniReadFloat(const char* path, const char* section, const char* key) {
    return parseLeadingFloat(iniReadString(path, section, key));
}

int iniWriteString(const char* path, const char* section, const char* key, const char* value) {
    const std::string_view sectionName = textOf(section);
    const std::string_view keyName = textOf(key);
    if (!writableNames(sectionName, keyName)) return -1;
    if (!selectFile(textOf(path))) return -1;

    std::string_view text = textOf(value);
    text = text.substr(0, ini::findLineEnd(text, 0));

    std::size_t body = ini::findSectionBody(cache.contents, cachedHeaders(), sectionName);
    // Every path below changes the text, so the header starts are found again.
    contentsChanged();
    if (body == ini::npos) body = appendSection(sectionName);
    const std::size_t valueStart = ini::findKeyValue(cache.contents, body, keyName);
    if (valueStart != ini::npos) {
        replaceValue(valueStart, text);
    } else {
        insertKey(body, keyName, text);
    }
    return saveFile();
}

int iniWriteInt(const char* path, const char* section, const char* key, std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return iniWriteString(path, section, key, text);
}

int iniWriteFloat(const char* path, const char* section, const char* key, float value) {
    // Room for "%f" of the largest float (39 digits, point, six decimals).
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return iniWriteString(path, section, key, text);
}

int iniListSections(const char* path, char* out, std::size_t capacity) {
    if (!out || capacity == 0) return 0;
    out[0] = '\0';
    const std::string_view pathText = textOf(path);
    if (!fitsName(pathText)) return 0;
    loadFile(pathText);

    const std::string_view text = cache.contents;
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\0')) ++pos;

    // One byte stays reserved for the empty name that closes the list.
    std::size_t used = 0;
    int count = 0;
    for (; pos < text.size(); pos = ini::nextLineStart(text, pos)) {
        if (text[pos] != '[') continue;
        const std::string_view line = text.substr(pos + 1, ini::findLineEnd(text, pos + 1) - (pos + 1));
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos || close == 0) continue;
        const std::string_view name = line.substr(0, close);
        if (name.find('\0') != std::string_view::npos) continue;
        if (capacity - used < name.size() + 2) break;
        std::memcpy(out + used, name.data(), name.size());
        used += name.size();
        out[used++] = '\0';
        ++count;
    }
    out[used] = '\0';
    return count;
}

int iniClearFile(const char* path) {
    const std::string_view pathText = textOf(path);
    if (!fitsName(pathText)) return -1;
    forgetFile(pathText);
    return saveFile();
}

void iniReleaseCache() {
    // Changes a batch holds are put aside and still written when it ends.
    forgetFile(std::string_view());
}

IniSaveBatch::IniSaveBatch() { ++batch.depth; }

IniSaveBatch::~IniSaveBatch() { finish(); }

int IniSaveBatch::finish() {
    if (finished_) return result_;
    finished_ = true;
    if (--batch.depth == 0) result_ = writeHeldFiles();
    return result_;
}

const std::string& iniLastWriteFailure() { return lastWriteFailure; }

bool fileExists(const char* path) {
    const std::string_view pathText = textOf(path);
    if (pathText.empty()) return false;
    std::FILE* file = platform::openFile(pathText, "rb");
    if (!file) return false;
    // Opening a folder for reading succeeds here; it is still not a file.
    struct stat info;
    const bool isFile = ::fstat(::fileno(file), &info) == 0 && !S_ISDIR(info.st_mode);
    std::fclose(file);
    return isFile;
}
