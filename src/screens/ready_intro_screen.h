#pragma once
// ReadyIntroScreen ("readyintro"): the level intro, shown over the game
// screen once a level has faded in. The level's label ("LEVEL 2-2") comes
// in letter by letter and goes again; then "GO!" pops up in the middle of
// the board, and after a short rest the level starts.
//
// Two extras can come before the "GO!": a quest level reached by playing on
// presents its relic's new part (the previous stage fades away under
// circling sparks, comes back and bursts), and a level whose first move the
// tutorial explains shows that card growing in over the board.
//
//   [present the new part] -> [tutorial card] -> banner -> GO! zoom (400 ms)
//   -> rest ("time_relax" ms) -> the level starts (music, card, tip)
//
// A left click (or Space, Enter or Escape) cuts it short: during the banner or the
// card it jumps to the "GO!", during the "GO!" it starts the level at once.
// The presentation cannot be skipped.
//
// The screen file's [main] gives "x_center" and "y_center" (where "GO!" is
// centred) and "time_relax".

#include <memory>
#include <string>

#include "screens/letter_banner.h"
#include "ui/screen.h"

class BoardEffectLayer;
class GameSession;
struct SoundGroup;

// "LEVEL 2-2": the level word and the episode form in the quest, the level
// number in every other mode.
std::string introLabel(const std::string& levelWord, bool quest, int level);

// The "GO!" picture's size over its zoom at t = clock / 400 ms: up to 115 %
// at t = 0.8, then back to full size.
float goZoomScale(float t);

// How transparent the presented part is at this clock of the presentation
// (0 opaque .. 255 gone): it fades out, comes back, then fades for good.
// Values below 0 mean fully opaque.
int presentFade(int clock);

class ReadyIntroScreen : public Screen {
public:
    static constexpr int kZoomMs = 400;
    static constexpr int kTutorialStartMs = 2700;
    static constexpr int kTutorialEndMs = 3700;
    static constexpr int kPresentSparksUntilMs = 2300;
    static constexpr int kPresentEndMs = 2700;
    static constexpr int kBannerHoldMs = 1100;

    ReadyIntroScreen();
    ~ReadyIntroScreen() override;

    void load(const char* file, const char* section) override;
    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;

    // What the tests read.
    int clock() const { return clock_; }
    bool presenting() const { return presenting_; }
    bool tutorialDone() const { return tutorialDone_; }
    bool goPhase() const { return goPhase_; }
    int relaxLeft() const { return relax_; }
    int pictureWidth() const { return pictureWidth_; }
    int pictureHeight() const { return pictureHeight_; }
    const LetterBanner& banner() const { return banner_; }
    const std::string& label() const { return label_; }
    int relaxMs() const { return relaxMs_; }
    int centreX() const { return xCenter_; }
    int centreY() const { return yCenter_; }

private:
    GameSession* session() const;
    void presentStep(int milliseconds);
    void goStep(int milliseconds);
    void startGoPhase();
    void startLevel();
    void showTip(GameSession& game);

    std::string levelWord_;
    std::string puzzleWord_;  // a puzzle's label: "PUZZLE 2"
    std::unique_ptr<Sprite> goPicture_;
    int xCenter_ = 400, yCenter_ = 300;
    int relaxMs_ = 0;
    SoundGroup* popSound_ = nullptr;      // owned by the sound system
    SoundGroup* presentSound_ = nullptr;  // owned by the sound system
    std::unique_ptr<BoardEffectLayer> sparks_;

    int level_ = 1;
    bool nonQuest_ = false;
    std::string label_;
    LetterBanner banner_;
    int clock_ = 0;
    bool tutorialDone_ = true;
    bool hadTutorial_ = false;
    bool presenting_ = false;
    bool presented_ = false;
    bool goPhase_ = false;
    bool burstDone_ = false;
    int relax_ = 0;
    int pictureWidth_ = 0, pictureHeight_ = 0;
    Sprite* piece_ = nullptr;  // the game's picture of the relic's previous stage
    int pieceX_ = 0, pieceY_ = 0;
    float sparkRadius_ = 20;
    float sparkAngle_ = 0;
};
