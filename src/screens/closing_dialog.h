#pragma once
// ClosingDialog: a question over a dimmed picture of the screen underneath.
// Answering yes fades the picture to black for half a second before the
// dialog hands over to what comes next; no closes it at once. The
// confirmation of leaving a game and the offer to continue a saved quest
// are such dialogs.

#include "screens/dimmed_dialog.h"

class ClosingDialog : public DimmedDialog {
public:
    static constexpr int kCloseMs = 500;

    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    // "ok" starts closing (and the music fades); "cancel" closes at once.
    // Nothing is taken while closing.
    int onCommand(UiElement* source) override;
    // Escape answers "cancel".
    int keyDown(int key, platform::LParam lParam) override;

    bool closing() const { return closing_; }

protected:
    // What the dialog leads to once its fade is over.
    virtual void finish() = 0;
    // Back to the screen underneath without going on.
    virtual void cancel();

private:
    int timer_ = 0;
    bool closing_ = false;
    bool finished_ = false;
};

// ConfirmDialog ("confirm_dlg"), over the resume menu: leave the game for
// the main menu?
class ConfirmDialog : public ClosingDialog {
protected:
    void finish() override;
    // The resume menu comes back at rest, not sliding in again.
    void cancel() override;
};

// ContinueDialog ("continue"), over the quest map: go on with the saved
// quest? Declined, the map comes back with the question dealt with, so it
// is not asked again until the map is entered anew.
class ContinueDialog : public ClosingDialog {
protected:
    void finish() override;
    void cancel() override;
};
