#pragma once
// StaticControl ("static"): a picture or animation with a caption. It can
// wait `phase` ms after its screen is shown before it appears, with a
// sparkle from the effect layer just before. Statics take no focus unless
// their section says "btabstop".

#include "ui/ui_element.h"

class StaticControl : public UiElement {
public:
    StaticControl();

    // Common keys, then "path", "length" and "period" (an animation strip
    // of length frames shown over period ms), and a size taken from the
    // picture where the section gives none.
    void load(const char* file, const char* section) override;
    void draw(int ox, int oy, Sprite& target) override;
    int update(int milliseconds) override;

    bool stretched() const { return stretch_; }

protected:
    // Moves the clock on and asks for the appearance effect in the step
    // just before `phase`, once per showing.
    void advanceWithAppearance(int milliseconds);
    // Whether the appearance delay is still running.
    bool waitingToAppear() const;

private:
    bool stretch_ = false;  // the picture is scaled to the control's size
};

// The font captions of a control's static children are drawn in.
Font* staticFontOf(const UiElement& element);
