#include "platform/install_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool usableAbsolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

std::string programFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) return {};
    return program.parent_path().string();
}

std::string installedDataTree(const std::string& programFolder, const std::string& relativeToProgram) {
    if (programFolder.empty() || relativeToProgram.empty()) return {};
    std::string tree = (std::filesystem::path(programFolder) / relativeToProgram).lexically_normal().string();
    while (tree.size() > 1 && tree.back() == '/') tree.pop_back();
    return isFolder(tree + "/data") ? tree : std::string();
}

std::string playerFolder(const char* xdgDataHome, const char* home) {
    // The XDG rules: a relative path in the variable is to be ignored.
    if (usableAbsolute(xdgDataHome)) return std::string(xdgDataHome) + "/shardfall";
    if (usableAbsolute(home)) return std::string(home) + "/.local/share/shardfall";
    return {};
}

std::string playerFolderFromEnvironment() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    return playerFolder(std::getenv("XDG_DATA_HOME"), home);
}

bool createPrivateFolder(const std::string& path) {
    if (path.empty()) return false;
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i != path.size() && path[i] != '/') continue;
        const std::string prefix = path.substr(0, i);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return isFolder(path);
}

}  // namespace platform
