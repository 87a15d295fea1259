#pragma once
// The big gold lettering of the screens between levels: "LEVEL 2-2" before
// a level, "LEVEL COMPLETE!" after it, "GO!", "TIME UP!", the counted bonus.
//
// `renderLetters` sets a text in the letter pictures (one per character,
// letter_files.h) as one picture. `LetterBanner` brings such a
// text in letter by letter, each popping up to 130 % and settling, holds it,
// then lets the letters pop away again in the same order.

#include <array>
#include <memory>
#include <string>

class Sprite;

// The text set side by side, top-aligned, colour and alpha copied, 30
// pixels for a space; a character without a picture adds nothing. Null for
// an empty text or one that leaves nothing to show.
std::unique_ptr<Sprite> renderLetters(const std::string& text);

// The pop of a letter at t (its own time over its 250 ms, 0..1): from
// nothing up to 130 % at t = 0.7, back to full size at t = 1.
float letterPopScale(float t);

class LetterBanner {
public:
    static constexpr int kMaxLetters = 20;
    static constexpr int kLetterDelayMs = 80;  // between one letter and the next
    static constexpr int kPopMs = 250;         // one letter's pop
    static constexpr int kSpaceWidth = 30;     // for a character without a picture
    static constexpr int kDefaultHoldMs = 1500;

    struct Letter {
        bool reverse = false;
        int elapsed = 0;  // ms, running back while reversing
        int delay = 0;    // ms before this letter starts
        float scale = 0;
        int x = 0, y = 0;  // left edge and centre line
        int width = 0, height = 0;  // as drawn now
        std::unique_ptr<Sprite> sprite;  // null for a character without a picture
    };

    LetterBanner();
    ~LetterBanner();
    LetterBanner(const LetterBanner&) = delete;
    LetterBanner& operator=(const LetterBanner&) = delete;

    // The text's letters from `x` on, centred on `y`; at most 20 letters.
    // With a hold of 0 the banner stays once it has come in.
    void create(const std::string& text, int x, int y, int holdMs);
    // Back to the start: every letter hidden, waiting for its delay.
    void restart();
    // True once every letter has popped away (never with a hold of 0).
    bool update(int milliseconds);
    // Each letter scaled about its centre; `shift` moves the whole line 20
    // pixels left per step.
    void draw(Sprite& target, int shift = 0) const;

    int letterCount() const { return count_; }
    const Letter& letter(int index) const { return letters_[static_cast<std::size_t>(index)]; }
    bool reversed() const { return reversed_; }
    int elapsed() const { return elapsed_; }
    int holdMs() const { return hold_; }

private:
    std::array<Letter, kMaxLetters> letters_;
    int count_ = 0;
    int hold_ = kDefaultHoldMs;
    int elapsed_ = 0;
    bool reversed_ = false;
};
