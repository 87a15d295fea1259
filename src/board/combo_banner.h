#pragma once
// ComboBanner: the big word over the board when a move runs deep ("Combo!",
// "Super combo!", ...) or the gem collector fills. It bursts into sparks as
// it appears, holds for a second, then rises and fades out over the next,
// strewing sparks all the while. A new banner cuts the old one short.

#include <array>
#include <memory>
#include <string>

class BoardAudio;
class BoardEffects;
class Font;
class Sprite;

enum class BannerText : int {
    Combo,
    SuperCombo,
    UltraCombo,
    Unbelievable,
    GemBonus,
};

class ComboBanner {
public:
    static constexpr int kTexts = 5;
    static constexpr int kRunMs = 2000;   // a banner's whole life
    static constexpr int kHoldMs = 1000;  // still and opaque for this long
    static constexpr int kCentreX = 416;
    static constexpr int kCentreY = 250;
    static constexpr int kMargin = 16;    // the sprite is this much wider than its text
    static constexpr int kMaxTextLength = 255;

    ComboBanner();
    ~ComboBanner();
    ComboBanner(const ComboBanner&) = delete;
    ComboBanner& operator=(const ComboBanner&) = delete;

    // Sounds, sparks and the font; any may be null (then that part is left out).
    void setAudio(BoardAudio* audio) { audio_ = audio; }
    void setEffects(BoardEffects* effects) { effects_ = effects; }
    void setFont(Font* font) { font_ = font; }
    // The five texts from "data\language.ini" [game]: "combo", "supercombo",
    // "ultracombo", "unbelievable", "gembonus". A missing key leaves the
    // text empty; the banner then still plays and sparkles.
    void loadTexts();
    const std::string& textOf(BannerText which) const { return texts_[static_cast<int>(which)]; }

    void show(BannerText which);
    // Runs the clock by the elapsed time up to the banner's end.
    void update(int milliseconds);
    void draw(Sprite& target) const;
    // Ends any banner at once (a level starting, a game loaded, the
    // tutorial opening).
    void end() { clock_ = kRunMs; }

    bool running() const { return clock_ < kRunMs; }
    int clock() const { return clock_; }
    // The text shown last, and its sprite's width (text + margin).
    const std::string& text() const { return text_; }
    int width() const { return width_; }
    const Sprite* sprite() const { return sprite_.get(); }
    // How far above its place the banner is drawn at this clock.
    int rise() const;
    // Its opacity at this clock, 0..255.
    int opacity() const;

private:
    void render();
    void strewSpark();

    std::array<std::string, kTexts> texts_;
    std::string text_;
    std::unique_ptr<Sprite> sprite_;
    int width_ = kMargin;
    int clock_ = kRunMs;
    BoardAudio* audio_ = nullptr;
    BoardEffects* effects_ = nullptr;
    Font* font_ = nullptr;
};
