#include "platform/single_instance.h"

// A page has no local sockets to hold, and no way to bring another tab to
// the front: the game runs without the check. Two tabs of the game share the
// site's IndexedDB store, so the save written last wins.

namespace platform {

SingleInstance::~SingleInstance() = default;

SingleInstance::Result SingleInstance::claim(const std::string&, const std::string&) { return Result::Unavailable; }

bool SingleInstance::pollRaiseRequests() { return false; }

std::string SingleInstance::socketName(const std::string& windowName, const std::string& dataDirectory) {
    return windowName + "@" + dataDirectory;
}

}  // namespace platform
