#pragma once
// TimeUpScreen ("timeup" and "gameover"): the question after a quest level
// ran out of time, over the frozen board. A life is gone and the lost
// level's saved board is forgotten as soon as it shows; "gameover" (no life
// left) also enters the score in the high-score table and starts the
// player's numbers afresh.
//
//   zoom ("TIME UP!" grows at 1.6 px/ms) -> hold 2300 ms -> the panel slides
//   in from above -> "yes" / "no" -> 500 ms darkening -> the level again /
//   the main menu
//
// The answer buttons count only once the panel is coming in, so a click
// meant for the last move never answers the question.
//
// The board behind keeps the numbers the level was lost with (the last
// life, the score) until the player answers, though the game's own numbers
// have moved on: the picture underneath is taken before the life goes.

#include <memory>

#include "ui/screen.h"

class GameSession;
class Sprite;

class TimeUpScreen : public Screen {
public:
    static constexpr float kZoomPixelsPerMs = 1.6f;
    static constexpr int kHoldMs = 2300;
    static constexpr int kCloseMs = 500;
    static constexpr float kHiddenOffset = -1000.0f;

    explicit TimeUpScreen(bool gameOver) : gameOver_(gameOver) {}
    ~TimeUpScreen() override;

    void load(const char* file, const char* section) override;
    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int onCommand(UiElement* source) override;
    // Nothing is pressed before the panel comes, nor after the answer: the
    // buttons are not there to be seen.
    int keyDown(int key, platform::LParam lParam) override;

    bool gameOver() const { return gameOver_; }
    bool panelComing() const { return panelComing_; }
    float pictureWidth() const { return width_; }
    float panelOffset() const { return offset_; }
    int answer() const { return answer_; }
    const Sprite* picture() const { return picture_.get(); }

private:
    GameSession* session() const;
    void loseTheLevel(GameSession& game);
    // The game as it stands, into `lostPicture_`.
    void keepPictureOf(GameSession& game);
    void leave();

    const bool gameOver_;
    std::unique_ptr<Sprite> picture_;  // the lettering, made once
    Sprite* lostPicture_ = nullptr;    // the game as the level was lost; registered, released here
    bool lostPicturePending_ = false;  // still to be put in place of the picture underneath
    float width_ = 0.0f;               // the picture's width as it zooms
    float offset_ = kHiddenOffset;     // the panel's distance above its place
    bool panelComing_ = false;         // second phase: the zoom and hold are over
    int answer_ = 0;                   // 1 yes, -1 no, 0 not yet
    int holdMs_ = kHoldMs;
    int closeMs_ = 0;
};
