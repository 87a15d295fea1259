#pragma once
// The screen factory: which class a screen name is built as. The program
// registers its screen classes at start-up, so the framework never needs
// to know them; a name nobody registered gives a plain Screen, which shows
// its file's controls and does nothing more.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/screen.h"

class ScreenFactory {
public:
    using Maker = std::function<std::unique_ptr<Screen>()>;

    // Registers (or replaces) the class for a name; names match ignoring case.
    void add(const std::string& name, Maker maker);
    // A new screen of the class registered for the name, else a plain one.
    std::unique_ptr<Screen> make(const char* name) const;

private:
    std::vector<std::pair<std::string, Maker>> makers_;
};
