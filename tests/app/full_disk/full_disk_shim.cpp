// Loaded into the real program with LD_PRELOAD: every write to a file under
// the folder SHARDFALL_FULL_DISK names fails as on a full disk (ENOSPC), so
// a test can fill the player's folder without mounting anything.

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using WriteFunction = ssize_t (*)(int, const void*, size_t);

bool onTheFullDisk(int fd) {
    const char* folder = std::getenv("SHARDFALL_FULL_DISK");
    if (!folder || !*folder || fd <= 2) return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    if (n <= 0) return false;
    target[n] = '\0';
    const std::size_t length = std::strlen(folder);
    return std::strncmp(target, folder, length) == 0 && (target[length] == '/' || target[length] == '\0');
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const WriteFunction next = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
    if (size > 0 && onTheFullDisk(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return next(fd, data, size);
}
