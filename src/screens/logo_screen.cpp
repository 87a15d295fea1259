#include "screens/logo_screen.h"

#include "config/url_shortcut.h"
#include "sound/music_player.h"
#include "ui/screen_manager.h"

int LogoScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    if (sameName(source->name(), "start")) {
        if (ScreenManager* owner = manager()) owner->showScreen("mainmenu", 1);
    } else if (sameName(source->name(), "brimvale")) {
        // Only where the publisher's shortcut file was shipped.
        openUrlShortcut("website.url");
    }
    return 0;
}

void LogoScreen::onShow() {
    Screen::onShow();
    playMusic(musicPlayer(), MUSIC_MENU);
}

int LogoScreen::keyDown(int key, platform::LParam lParam) {
    const auto vk = static_cast<platform::WParam>(key);
    if (vk == platform::VK_RETURN || vk == platform::VK_SPACE) {
        // Only once the preload has shown the button.
        if (UiElement* start = findChild("start")) pressByKey(*start);
        return 1;
    }
    return Screen::keyDown(key, lParam);
}
