#include "platform/backend.h"

namespace platform {
namespace {

std::unique_ptr<Backend>& installed() {
    static std::unique_ptr<Backend> current;
    return current;
}

}  // namespace

Backend* backend() { return installed().get(); }

std::unique_ptr<Backend> installBackend(std::unique_ptr<Backend> next) {
    std::unique_ptr<Backend> previous = std::move(installed());
    installed() = std::move(next);
    return previous;
}

}  // namespace platform
