// Screen files: the input is "data\menu\fuzz.ini", loaded as a screen of
// plain controls, updated and drawn. One input in four (chosen by its
// bytes, so a kept input always replays the same way) is also given a
// second of updates, drawn with its static layer, and handed mouse, key and
// character messages at the edges of the picture. The load is the parser
// every input must get through; the rest follows what the parsed values
// lead to and costs about twice the load, so most inputs now spend their
// time on the parser.

#include <memory>

#include "config/ini_store.h"
#include "fuzz_images.h"
#include "graphics/sprite_registry.h"
#include "platform/win_messages.h"
#include "ui/control_sounds.h"
#include "ui/screen.h"
#include "ui/screen_manager.h"

using namespace platform;

namespace {

bool playedWith(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    return hash % 4 == 0;
}

void playWith(ScreenManager& manager, Screen& screen) {
    for (int step = 0; step < 50; ++step) manager.update(20);
    manager.draw(0, 0, *BackBuffer());
    screen.renderStatic(1);
    for (int x : {-1, 0, 37, 400, 799, 800}) {
        const LParam at = packMousePosition(x, x * 3 / 4);
        manager.handleWindowMessage(WM_MOUSEMOVE, 0, at);
        manager.handleWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        manager.handleWindowMessage(WM_LBUTTONUP, 0, at);
        manager.handleWindowMessage(WM_CHAR, 'a', 0);
        manager.handleWindowMessage(WM_KEYDOWN, VK_BACK, 0);
        manager.handleWindowMessage(WM_KEYDOWN, VK_TAB, 0);
    }
}

// The folder of the screen files, and the sound table's two control groups
// as the game's table has them: every screen looks them up as it loads, and
// the game always finds its table.
bool writeScreenFolders() {
    static const char kTable[] =
        "[toggle]\nname0=data\\sound\\toggle_1.wav\nmaxvolume=0.50\n\n"
        "[click]\nname0=data\\sound\\click_1.wav\nmaxvolume=0.50\n";
    fuzzCheck(makeDirectories("data\\menu") && makeDirectories("data\\sound"));
    fuzz::writeInput(kSoundTable, reinterpret_cast<const std::uint8_t*>(kTable), sizeof kTable - 1);
    return true;
}

// A picture stays registered under its path until the display closes, so
// that screens share it; the game's data names a few hundred. Fuzzed inputs
// keep naming new paths, and kept, those grew the registry by thousands a
// minute, each lookup of a picture slower than the last (runs fell to half
// their rate within ten minutes). Once the registry is past the game's size,
// what the runs registered goes; the display's own sprites stay. Names the
// inputs share are still found registered in between, as in the game.
void keepRegistryGameSized(int displaySprites) {
    constexpr int kGameSized = 600;
    const SpriteRegistry& registry = spriteRegistry();
    int held = 0;
    for (int slot = 0; slot < registry.count(); ++slot) held += registry.at(slot) != nullptr;
    if (held <= kGameSized) return;
    for (int slot = registry.count() - 1; slot >= displaySprites; --slot) ReleaseSprite(registry.at(slot));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::setUpDisplay();
    static const int displaySprites = spriteRegistry().count();
    static const bool folders = writeScreenFolders();
    (void)folders;
    iniReleaseCache();
    fuzz::writeInput("data\\menu\\fuzz.ini", data, size);
    {
        ScreenManager manager;
        Screen* screen = manager.showScreen("fuzz", 1);
        fuzzCheck(screen != nullptr);
        if (playedWith(data, size)) playWith(manager, *screen);
        manager.update(20);
        manager.draw(0, 0, *BackBuffer());
    }
    keepRegistryGameSized(displaySprites);
    iniReleaseCache();
    fuzz::forgetErrorLog();
    return 0;
}
