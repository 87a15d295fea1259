#include "ui/screen_factory.h"

#include <utility>

void ScreenFactory::add(const std::string& name, Maker maker) {
    for (auto& [known, existing] : makers_) {
        if (sameName(known.c_str(), name.c_str())) {
            existing = std::move(maker);
            return;
        }
    }
    makers_.emplace_back(name, std::move(maker));
}

std::unique_ptr<Screen> ScreenFactory::make(const char* name) const {
    for (const auto& [known, maker] : makers_) {
        if (sameName(known.c_str(), name) && maker) {
            if (std::unique_ptr<Screen> screen = maker()) return screen;
        }
    }
    return std::make_unique<Screen>();
}
