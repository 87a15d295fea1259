#include <emscripten/emscripten.h>

#include <cstdio>

#include "platform/backend.h"
#include "platform/shell_results.h"
#include "platform/system_services.h"

// In the page an address opens in a new tab of the browser, so the game
// stays where it was.
EM_JS(void, openInNewTab, (const char* url), { window.open(UTF8ToString(url), '_blank', 'noopener'); });

namespace platform {

int openUrl(const std::string& url) {
    if (!isOpenableUrl(url)) return shell::kNoAssociation;
    if (Backend* b = backend(); b && b->isHeadless()) {
        std::fprintf(stderr, "shardfall: would open %s\n", url.c_str());
        return shell::kSuccess;
    }
    openInNewTab(url.c_str());
    return shell::kSuccess;
}

}  // namespace platform
