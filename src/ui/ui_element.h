#pragma once
// UiElement: one node of the tree every picture of the game is built from.
// The screen manager's children are the screens, a screen's children are
// its controls. An element owns its children. The first child is the one
// added last: it is drawn last (on top) and is the first the mouse hits, so
// the control listed last in a screen file wins where controls overlap.
//
// The virtual operations are the element's whole protocol: screens and
// controls override what they need and leave the rest doing nothing.

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/win_messages.h"

class Font;
class Sprite;
struct SoundGroup;

// Copies text into a fixed field, cut to fit and always terminated. Screen
// files are hostile input: a name longer than its field is cut, never
// written past the field.
template <std::size_t N>
void copyBounded(char (&field)[N], const char* text) {
    std::size_t i = 0;
    if (text) {
        for (; i + 1 < N && text[i] != '\0'; ++i) field[i] = text[i];
    }
    field[i] = '\0';
}

// Equal ignoring ASCII letter case; null equals only null.
bool sameName(const char* a, const char* b);

class UiElement {
public:
    static constexpr int kNameSize = 256;
    static constexpr int kTypeTagSize = 32;
    static constexpr int kCaptionSize = 256;

    UiElement() = default;
    virtual ~UiElement();
    UiElement(const UiElement&) = delete;
    UiElement& operator=(const UiElement&) = delete;

    // The tree. Adding puts the child first; unlinking hands it back to the
    // caller; deleting destroys it.
    virtual void addChild(std::unique_ptr<UiElement> child);
    virtual std::unique_ptr<UiElement> unlinkChild(UiElement* child);
    virtual void deleteChild(UiElement* child);

    virtual void setText(const char* text);
    // A child reports that it was activated (button released, box toggled,
    // bar moved).
    virtual int onCommand(UiElement* source);
    // Reads the keys every control shares from its section of a screen file.
    virtual void load(const char* file, const char* section);
    virtual void draw(int ox, int oy, Sprite& target);
    // Advances the element's clock; non-zero closes the program.
    virtual int update(int milliseconds);
    // Keys and mouse buttons (1 left, 2 right, with the mouse position in
    // lParam); non-zero means handled.
    virtual int keyDown(int key, platform::LParam lParam);
    virtual int keyUp(int key, platform::LParam lParam);
    virtual int charInput(int character, platform::LParam lParam);
    // Non-zero: the element keeps the mouse (a bar being dragged).
    virtual int mouseEvent(platform::WParam wParam, platform::LParam lParam);
    virtual void setPromptText(const char* text);

    UiElement* parent() const { return parent_; }
    int childCount() const { return static_cast<int>(children_.size()); }
    // Index 0 is the first child (the most recently added).
    UiElement* child(int index) const;
    // The first child, from the most recent, whose name matches ignoring
    // case; null if none.
    UiElement* findChild(const char* name) const;
    UiElement* focusedChild() const { return focusedChild_; }

    const char* name() const { return name_; }
    void setName(const char* text) { copyBounded(name_, text); }
    const char* typeTag() const { return typeTag_; }
    const char* caption() const { return caption_; }
    // Caption = the number with thousands separators.
    void setNumber(int number);

    bool focused() const { return focused_; }
    bool pressed() const { return pressed_; }
    // Focus follows the mouse: gaining it plays the focus sound, losing it
    // drops a press in progress. Either change re-renders the parent's
    // static layer, since the element now looks different.
    void setFocused(bool focused);
    // The focus came from the keyboard (Tab): the control draws the focus
    // mark around itself, so a player without a mouse sees where Enter
    // goes. Losing the focus takes the mark away.
    bool keyMarked() const { return keyMarked_; }
    void setKeyMarked(bool marked);
    // Whether the point lies strictly inside the element's rectangle; the
    // border pixels do not count.
    bool containsStrictly(int px, int py) const;

    SoundGroup* focusSound() const { return focusSound_; }

    // Plain settings that screens read and change directly.
    Font* childFont = nullptr;  // captions of the static children; null: the static font
    int x = 0, y = 0;           // top-left corner, screen pixels
    int xs = 0, ys = 0;         // size
    int xalign = 0, yalign = 0; // caption alignment for text drawing
    int bnotstatic = 0;         // non-zero: drawn every frame, never cached
    Sprite* image = nullptr;    // shared picture; owned by the sprite registry
    bool enabled = true;        // disabled elements ignore input
    bool visible = true;        // invisible elements are neither drawn nor hit
    bool tabStop = true;        // the element can take the focus and be clicked
    int clock = 0;              // ms since the element's screen was last shown
    int phase = 0;              // appearance delay in ms; 0: none

protected:
    // Called on the parent when a child's focus changes.
    virtual void childFocusChanged() {}
    // Children oldest first (the reverse of the child order).
    const std::vector<std::unique_ptr<UiElement>>& childrenOldestFirst() const { return children_; }
    void setFocusedChild(UiElement* child) { focusedChild_ = child; }
    void setPressed(bool pressed) { pressed_ = pressed; }
    void setFocusedFlag(bool focused) { focused_ = focused; }
    void setTypeTag(const char* text) { copyBounded(typeTag_, text); }
    void setFocusSound(SoundGroup* sound) { focusSound_ = sound; }
    // The clock moved on by ms, wrapping instead of overflowing after weeks.
    void advanceClock(int milliseconds);
    // The focus mark around the element's rectangle while it is key-marked;
    // controls call it last in their draw.
    void drawKeyMark(int ox, int oy, Sprite& target) const;

private:
    std::vector<std::unique_ptr<UiElement>> children_;  // oldest first
    UiElement* parent_ = nullptr;
    UiElement* focusedChild_ = nullptr;
    SoundGroup* focusSound_ = nullptr;
    bool focused_ = false;
    bool pressed_ = false;
    bool keyMarked_ = false;
    char name_[kNameSize] = {};
    char typeTag_[kTypeTagSize] = {};
    char caption_[kCaptionSize] = {};
};

// Reads an integer key of a screen file, kept within a million either way:
// the picture is 800 x 600, and positions and sizes beyond that only make
// their sums overflow.
int readScreenInt(const char* file, const char* section, const char* key);
// Whether the key is present with a value.
bool hasScreenKey(const char* file, const char* section, const char* key);
// A shared picture by the path a screen file names; null for an empty path.
Sprite* screenImage(const char* file, const char* section, const char* key);
// Whether a picture has pixels to draw (a file that failed to load leaves
// an empty sprite behind).
bool hasPixels(const Sprite* sprite);
