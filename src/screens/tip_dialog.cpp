#include "screens/tip_dialog.h"

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "ui/checkbox_control.h"

namespace {

constexpr const char* kLanguageIni = "data\\language.ini";
// Where the text beside the box is centred.
constexpr int kTextX = 436, kTextY = 354;
// The game behind the dialog is dimmed so the tip stands out.
constexpr std::uint32_t kDimming = 0x64000000;

CheckboxControl* showBox(const Screen& dialog) { return dynamic_cast<CheckboxControl*>(dialog.findChild("show")); }

}  // namespace

void TipDialog::load(const char* file, const char* section) {
    // A tip is read like a help page, in the same type.
    childFont = gameFonts().help;
    Screen::load(file, section);
    dontShowText_ = iniReadString(kLanguageIni, "game", "dontshowtips");
}

void TipDialog::onShow() {
    Screen::onShow();
    if (CheckboxControl* box = showBox(*this)) box->value = gameSettings().showTips ? 0 : 1;
}

int TipDialog::onCommand(UiElement* source) {
    if (!source || !sameName(source->name(), "ok")) return 0;
    const CheckboxControl* box = showBox(*this);
    if (box && box->value == 1) gameSettings().showTips = false;
    closeOverlay();
    return 0;
}

void TipDialog::draw(int ox, int oy, Sprite& target) {
    if (Sprite* below = snapshot()) {
        target.Blit(0, 0, *below, BLEND_NORMAL, 0);
        target.FillRect(0, 0, 800, 600, kDimming);
    }
    for (const auto& control : childrenOldestFirst()) control->draw(ox, oy, target);
    if (!dontShowText_.empty()) DrawText(target, gameFonts().help, kTextX, kTextY, dontShowText_.c_str(), 0, 0, 0);
}
