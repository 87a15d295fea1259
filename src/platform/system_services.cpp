#include "platform/system_services.h"

#include <strings.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/backend.h"

namespace platform {

std::int64_t performanceCounter() {
    if (Backend* b = backend()) return b->performanceCounter();
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t performanceFrequency() {
    if (Backend* b = backend()) return b->performanceFrequency();
    return 1000000;
}

std::uint32_t tickCount() {
    if (Backend* b = backend()) return b->tickCount();
    return static_cast<std::uint32_t>(performanceCounter() / 1000);
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    if (Backend* b = backend()) {
        b->sleep(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void messageBox(const std::string& text, const std::string& caption) {
    if (Backend* b = backend()) {
        b->messageBox(text, caption);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

bool isOpenableUrl(const std::string& url) {
    auto startsWith = [&](const char* prefix) {
        const std::size_t n = std::char_traits<char>::length(prefix);
        return url.size() > n && ::strncasecmp(url.c_str(), prefix, n) == 0;
    };
    if (!startsWith("http://") && !startsWith("https://") && !startsWith("mailto:")) return false;
    // Control characters have no place in an address and may confuse the opener.
    for (unsigned char c : url) {
        if (c < 0x20 || c == 0x7F) return false;
    }
    return true;
}

}  // namespace platform

namespace platform {

void setSystemCursorVisible(bool visible) {
    static int lastRequested = -1;
    if (lastRequested == static_cast<int>(visible)) return;
    lastRequested = visible;
    if (Backend* b = backend()) b->showSystemCursor(visible);
}

}  // namespace platform
