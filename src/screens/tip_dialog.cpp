#include "screens/tip_dialog.h"

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "ui/checkbox_control.h"

namespace {

// Where the text beside the box is centred.
constexpr int kTextX = 436, kTextY = 354;

CheckboxControl* showBox(const Screen& dialog) { return dynamic_cast<CheckboxControl*>(dialog.findChild("show")); }

}  // namespace

void TipDialog::load(const char* file, const char* section) {
    // A tip is read like a help page, in the same type.
    childFont = gameFonts().help;
    DimmedDialog::load(file, section);
    dontShowText_ = gameText("dontshowtips");
}

void TipDialog::onShow() {
    DimmedDialog::onShow();
    if (CheckboxControl* box = showBox(*this)) box->value = gameSettings().showTips ? 0 : 1;
}

int TipDialog::onCommand(UiElement* source) {
    if (!source || !sameName(source->name(), "ok")) return 0;
    const CheckboxControl* box = showBox(*this);
    if (box && box->value == 1) gameSettings().showTips = false;
    closeOverlay();
    return 0;
}

int TipDialog::keyDown(int key, platform::LParam lParam) {
    const auto vk = static_cast<platform::WParam>(key);
    if (vk == platform::VK_RETURN || vk == platform::VK_SPACE || vk == platform::VK_ESCAPE) {
        // The one button a tip has: the box is read as "ok" reads it.
        if (UiElement* ok = findChild("ok")) onCommand(ok);
        return 1;
    }
    return DimmedDialog::keyDown(key, lParam);
}

void TipDialog::draw(int ox, int oy, Sprite& target) {
    DimmedDialog::draw(ox, oy, target);
    if (!dontShowText_.empty()) DrawText(target, gameFonts().help, kTextX, kTextY, dontShowText_.c_str(), 0, 0, 0);
}
