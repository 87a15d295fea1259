#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Finds the entry of `directory` whose name equals `name` ignoring case.
// An exact match wins; otherwise the first case-insensitive match in
// name order, so the choice does not depend on the directory's layout.
bool findEntry(const std::string& directory, const std::string& name, std::string& found) {
    const std::string probe = (directory.empty() ? std::string() : directory + "/") + name;
    if (exists(probe)) {
        found = name;
        return true;
    }
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) return false;
    bool matched = false;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) != 0) continue;
        if (!matched || std::strcmp(entry->d_name, found.c_str()) < 0) found = entry->d_name;
        matched = true;
    }
    ::closedir(dir);
    return matched;
}

// Backslashes become slashes.
std::string fileSystemSpelling(std::string_view gamePath) {
    std::string path(gamePath);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

// Matches each component of `path` case-insensitively below `root` (a
// folder spelled exactly, "" for the working directory or "/" for an
// absolute path). Components from the first one that does not exist keep
// their spelling.
std::string resolveBelow(const std::string& root, const std::string& path, std::size_t start) {
    std::string result = root;
    bool stillMatching = true;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string component = path.substr(start, end - start);
        if (!component.empty()) {
            std::string base = result;
            if (!base.empty() && base.back() == '/') base.pop_back();
            std::string spelled;
            if (stillMatching && component != "." && component != ".." &&
                findEntry(result == "/" ? "/" : base, component, spelled)) {
                component = spelled;
            } else {
                stillMatching = false;
            }
            if (!result.empty() && result.back() != '/') result += '/';
            result += component;
        }
        start = end + 1;
    }
    return result;
}

// The spelling of `path` in the working directory (or from "/").
std::string resolveInWorkingDirectory(const std::string& path) {
    if (path.empty() || exists(path)) return path;
    return path[0] == '/' ? resolveBelow("/", path, 1) : resolveBelow(std::string(), path, 0);
}

std::string& dataTreeFolder() {
    static std::string folder;
    return folder;
}

std::string& languageFolderPath() {
    static std::string folder;  // in the file system's spelling, ends in '/'
    return folder;
}

// The language's copy of a path under "data/", or empty when there is no
// language folder or the path is not one of the shared data files.
std::string languageVariant(const std::string& path) {
    const std::string& folder = languageFolderPath();
    if (folder.empty() || path.size() <= 5 || ::strncasecmp(path.c_str(), "data/", 5) != 0) return {};
    if (::strncasecmp(path.c_str(), folder.c_str(), folder.size()) == 0) return {};
    return folder + path.substr(5);
}

// The path in the player's folder, else in the data tree, else where a
// write would put it.
std::string resolveInRoots(const std::string& path) {
    const std::string own = resolveInWorkingDirectory(path);
    const std::string& tree = dataTreeFolder();
    if (tree.empty() || path.empty() || path[0] == '/' || exists(own)) return own;
    const std::string inTree = tree + "/" + path;
    const std::string shipped = exists(inTree) ? inTree : resolveBelow(tree, path, 0);
    return exists(shipped) ? shipped : own;
}

bool writes(const char* mode) {
    return std::strpbrk(mode, "wa+") != nullptr;
}

}  // namespace

void setDataTree(std::string directory) {
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    dataTreeFolder() = std::move(directory);
}

const std::string& dataTree() { return dataTreeFolder(); }

std::string resolveWritePath(std::string_view gamePath) {
    return resolveInWorkingDirectory(fileSystemSpelling(gamePath));
}

std::string absoluteWritePath(std::string_view gamePath) {
    std::string path = resolveWritePath(gamePath);
    if (!path.empty() && path[0] == '/') return path;
    char here[4096];
    if (!::getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}

void setLanguageFolder(std::string gameFolder) {
    std::string folder = fileSystemSpelling(gameFolder);
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    languageFolderPath() = folder.empty() ? std::string() : folder + "/";
}

std::string resolvePath(std::string_view gamePath) {
    const std::string path = fileSystemSpelling(gamePath);
    const std::string translated = languageVariant(path);
    if (!translated.empty()) {
        std::string found = resolveInRoots(translated);
        if (exists(found)) return found;
    }
    return resolveInRoots(path);
}

std::FILE* openFile(std::string_view gamePath, const char* mode) {
    if (gamePath.empty() || !mode) return nullptr;
    const std::string path = writes(mode) ? resolveWritePath(gamePath) : resolvePath(gamePath);
    return std::fopen(path.c_str(), mode);
}

bool fileReadable(std::string_view gamePath) {
    std::FILE* f = openFile(gamePath, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

WholeFileRead tryReadWholeFile(std::string_view gamePath, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
    out.clear();
    errno = 0;
    std::FILE* f = openFile(gamePath, "rb");
    if (!f) {
        const bool missing = gamePath.empty() || errno == ENOENT || errno == ENOTDIR;
        return missing ? WholeFileRead::Missing : WholeFileRead::CannotOpen;
    }
    bool ok = false;
    struct stat st;
    if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uint64_t>(st.st_size) <= maxBytes) {
        out.resize(static_cast<std::size_t>(st.st_size));
        ok = out.empty() || std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    if (!ok) out.clear();
    return ok ? WholeFileRead::Read : WholeFileRead::NotReadWhole;
}

bool readWholeFile(std::string_view gamePath, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
    return tryReadWholeFile(gamePath, out, maxBytes) == WholeFileRead::Read;
}

int writeFileAtomic(std::string_view gamePath, const void* data, std::size_t size) {
    const std::string target = resolveWritePath(gamePath);
    if (target.empty()) return -1;
    const std::string temp = target + ".tmp";
    errno = 0;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t written = 0;
    while (written < size) {
        ssize_t n = ::write(fd, bytes + written, size - written);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    bool ok = written == size && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int why = errno != 0 ? errno : EIO;
        ::unlink(temp.c_str());
        errno = why;
        return -1;
    }
    return 0;
}

bool replaceFile(std::string_view fromGamePath, std::string_view toGamePath) {
    if (fromGamePath.empty() || toGamePath.empty()) return false;
    return ::rename(resolveWritePath(fromGamePath).c_str(), resolveWritePath(toGamePath).c_str()) == 0;
}

bool deleteFile(std::string_view gamePath) {
    if (gamePath.empty()) return false;
    return ::unlink(resolveWritePath(gamePath).c_str()) == 0;
}

bool makeDirectories(std::string_view gamePath) {
    const std::string path = resolveWritePath(gamePath);
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i != path.size() && path[i] != '/') continue;
        std::string prefix = path.substr(0, i);
        if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool changeDirectory(const std::string& directory) {
    return ::chdir(directory.c_str()) == 0;
}

}  // namespace platform
