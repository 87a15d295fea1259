// The options panel ("options", over the main menu), the same panel in a
// game ("resumemenu", with a way back to the main menu), and the two
// yes-or-no dialogs that fade to black when answered yes: leaving a game
// ("confirm_dlg") and going on with a saved quest ("continue").
//
// The panels slide in from the right; everything on them, their picture
// included, is a control so that it slides along.
//
// The options panel over the main menu also picks the game's language: a
// button that steps through "Automatic" (the desktop's) and every language,
// and a line that says the choice counts from the next start. The panel in
// a game leaves the language alone, so it stays the shorter of the two.

#include <string>
#include <vector>

#include "dialog_art.h"
#include "generators.h"
#include "menu_art.h"
#include "picture_output.h"
#include "question_dialog.h"
#include "screen_file.h"

namespace {

constexpr int kPanelX = 210, kPanelY = 105, kPanelWidth = 380, kPanelHeight = 390;
// The options panel's language row makes it 64 pixels taller, half of
// that above the resume panel's top and half below its foot.
constexpr int kLanguageRowHeight = 64;
constexpr int kChoiceWidth = 190, kChoiceHeight = 44;
constexpr int kLabelX = 250;
constexpr int kBarX = 350, kBarWidth = 190, kBarHeight = 18;
constexpr int kKnobWidth = 22, kKnobHeight = 32;
constexpr int kBoxSize = 32;
constexpr int kButtonWidth = 150, kButtonHeight = 44;

const std::string kMenu = "data\\menu\\";

void writeOptionsArt(AssetTree& tree) {
    writePicture(tree, kMenu + "options_panel.tga",
                 titledPanel(tree, "options/title", kPanelWidth, kPanelHeight + kLanguageRowHeight, "Options"),
                 PictureFormat::Tga32);
    writePicture(tree, kMenu + "resume_panel.tga", titledPanel(tree, "resumemenu/title", kPanelWidth, kPanelHeight, "Paused"),
                 PictureFormat::Tga32);
    writePicture(tree, kMenu + "slider_full.tga", loadingBar(kBarWidth, kBarHeight, true), PictureFormat::Tga32);
    writePicture(tree, kMenu + "slider_empty.tga", loadingBar(kBarWidth, kBarHeight, false), PictureFormat::Tga32);
    writeButtonSet(tree, kMenu + "slider_knob", kKnobWidth, kKnobHeight, -1);
    // A check box's pictures: off, off under the mouse, on.
    writePicture(tree, kMenu + "checkbox.tga", checkBoxPicture(kBoxSize, ButtonLook::Normal, false),
                 PictureFormat::Tga32);
    writePicture(tree, kMenu + "checkbox_a.tga", checkBoxPicture(kBoxSize, ButtonLook::Active, false),
                 PictureFormat::Tga32);
    writePicture(tree, kMenu + "checkbox_p.tga", checkBoxPicture(kBoxSize, ButtonLook::Normal, true),
                 PictureFormat::Tga32);
    writeButtonSet(tree, kMenu + "button_wide", kButtonWidth, kButtonHeight, -1);
    writeButtonSet(tree, kMenu + "button_choice", kChoiceWidth, kChoiceHeight, -1);
}

Control slider(const std::string& section, int y) {
    return {section,
            {{"type", "progress"},
             {"x", std::to_string(kBarX)},
             {"y", std::to_string(y)},
             {"path", kMenu + "slider_knob.tga"},
             {"path_a", kMenu + "slider_knob_a.tga"},
             {"path_p", kMenu + "slider_knob_p.tga"},
             {"leftpath", kMenu + "slider_full.tga"},
             {"rightpath", kMenu + "slider_empty.tga"}}};
}

Control checkBox(const std::string& section, int y) {
    return {section,
            {{"type", "checkbox"},
             {"x", std::to_string(kLabelX)},
             {"y", std::to_string(y)},
             {"path", kMenu + "checkbox.tga"},
             {"path_a", kMenu + "checkbox_a.tga"},
             {"path_p", kMenu + "checkbox_p.tga"}}};
}

// The controls both panels share, the panel's picture first, its top at
// panelY.
std::vector<Control> optionsControls(const std::string& panel, int panelY) {
    const int rowY = panelY + 92;
    return {
        staticPicture("panel", kMenu + panel, kPanelX, panelY),
        caption("sound_label", "Effects", kLabelX, rowY, 0, kBarHeight, true),
        slider("sound", rowY),
        caption("music_label", "Music", kLabelX, rowY + 52, 0, kBarHeight, true),
        slider("music", rowY + 52),
        checkBox("fullscreen", rowY + 100),
        caption("fullscreen_label", "Full screen", kLabelX + kBoxSize + 14, rowY + 100, 0, kBoxSize, true),
        checkBox("custom", rowY + 148),
        caption("custom_label", "The game's own cursor", kLabelX + kBoxSize + 14, rowY + 148, 0, kBoxSize, true),
    };
}

// The language row under the boxes: its label, the button whose caption
// the game sets to the choice, and the line shown once the choice differs
// from the one the game started with.
void addLanguageRow(std::vector<Control>& controls, int panelY) {
    const int rowY = panelY + 92 + 196;
    controls.push_back(caption("language_label", "Language", kLabelX, rowY, 0, kChoiceHeight, true));
    controls.push_back(button("language", "", kMenu + "button_choice", kBarX, rowY));
    controls.push_back(
        caption("language_note", "Takes effect at the next start", kPanelX, rowY + kChoiceHeight + 6, kPanelWidth, 20,
                false));
}

void generateOptions(AssetTree& tree) {
    const int optionsY = kPanelY - kLanguageRowHeight / 2;
    std::vector<Control> options = optionsControls("options_panel.tga", optionsY);
    addLanguageRow(options, optionsY);
    options.push_back(button("ok", "Done", kMenu + "button_wide", kPanelX + (kPanelWidth - kButtonWidth) / 2,
                             optionsY + kPanelHeight + kLanguageRowHeight - 78));
    writeScreen(tree, "options", options);

    const int buttonY = kPanelY + kPanelHeight - 78;
    std::vector<Control> resume = optionsControls("resume_panel.tga", kPanelY);
    resume.push_back(button("ok", "Play on", kMenu + "button_wide", kPanelX + 30, buttonY));
    resume.push_back(
        button("mainmenu", "Main menu", kMenu + "button_wide", kPanelX + kPanelWidth - 30 - kButtonWidth, buttonY));
    writeScreen(tree, "resumemenu", resume);
}

}  // namespace

void generateOptionsPanels(AssetTree& tree) {
    writeOptionsArt(tree);
    generateOptions(tree);
    writeQuestionDialog(tree, {"confirm_dlg", "Leave the game?",
                               {"Your game is saved: you can go on", "with it from the main menu."},
                               "ok", "Leave", "cancel", "Stay"});
    writeQuestionDialog(tree, {"continue", "Saved quest", {"You have a quest in progress.", "Go on where you left it?"},
                               "ok", "Continue", "cancel", "Not now"});
}
