#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <thread>

#include "platform/backend.h"
#include "platform/shell_results.h"
#include "platform/system_services.h"

extern char** environ;

namespace platform {

int openUrl(const std::string& url) {
    if (!isOpenableUrl(url)) return shell::kNoAssociation;
    if (Backend* b = backend(); b && b->isHeadless()) {
        std::fprintf(stderr, "shardfall: would open %s\n", url.c_str());
        return shell::kSuccess;
    }
    char program[] = "xdg-open";
    std::string argument = url;
    char* argv[] = {program, argument.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0) return shell::kFileNotFound;
    // xdg-open hands the address over and returns quickly; don't leave a zombie.
    std::thread([child] {
        int status = 0;
        ::waitpid(child, &status, 0);
    }).detach();
    return shell::kSuccess;
}

}  // namespace platform
