#pragma once
// GameScreen: the screen "game", where every mode is played. It owns the
// board and everything that plays with it (the score keeper, the wand, the
// gem collector, the combo banner, the board's effects and the tutorial
// panel), holds the state of the game in progress (mode, level, score,
// lives, wands, progress) and leads each level from its fade-in through the
// level intro and play to the screen that follows it.
//
// Its parts live in files by subject: set-up and the session's numbers
// (game_screen.cpp), the four modes' entry points (game_screen_modes.cpp),
// loading, starting and ending levels (game_screen_levels.cpp), the tick
// (game_screen_tick.cpp), input and the typed words (game_screen_input.cpp),
// the background and drawing (game_screen_drawing.cpp), the player's saved
// game (game_screen_profile.cpp), the tutorial (game_screen_tutorial.cpp)
// and what the board asks of its host (game_screen_board_host.cpp).
//
// A level goes: fade-in (fade clock below 0) -> level intro ("readyintro")
// -> play (the board ticks) -> won (`levelComplete`) or out of time
// (`timeUp`) -> the effects finish -> the flow screen, which calls
// `nextLevel` or `restartLevel` or leaves for the menus.

#include <array>
#include <memory>

#include "board/board.h"
#include "board/board_effect_layer.h"
#include "board/combo_banner.h"
#include "board/gem_collector.h"
#include "board/magic_wand.h"
#include "board/score_keeper.h"
#include "game/board_keyboard_cursor.h"
#include "game/game_hud.h"
#include "game/game_session.h"
#include "game/progress_file.h"
#include "game/tutorial_panel.h"
#include "game/typed_words.h"
#include "ui/screen.h"

struct SoundGroup;

class GameScreen : public Screen, public GameSession, public BoardHost {
public:
    static constexpr int kFadeMs = 500;
    // After a level ends, its effects and banner may run this long at most
    // before the next screen shows.
    static constexpr int kEndWaitLimitMs = 5000;
    // Room for nine cards, of which the board has four (TutorialEntry).
    static constexpr int kTutorialEntries = 9;

    GameScreen();
    ~GameScreen() override;

    // ---- Screen ----
    void load(const char* file, const char* section) override;
    void draw(int ox, int oy, Sprite& target) override;
    int update(int milliseconds) override;
    int keyDown(int key, platform::LParam lParam) override;
    int keyUp(int key, platform::LParam lParam) override;
    int charInput(int character, platform::LParam lParam) override;
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;
    int onCommand(UiElement* source) override;
    void onShow() override;
    // The controls, then the board's resting pieces over them.
    Sprite* renderStatic(int all) override;
    // The board takes the keys here, not Tab and Enter through the HUD.
    bool navigatesByKeys() const override { return false; }

    // ---- GameSession ----
    void startQuest(int level) override;
    void newQuest(int level) override;
    void startPuzzle() override;
    void startAction() override;
    void startCube() override;
    void nextLevel() override;
    void restartLevel() override;
    int timeBonus() const override;
    int levelTimeSeconds() const override;
    int timeUsedSeconds() const override;
    ProgressControl* timeBarControl() override;
    void addScore(int points) override;
    void addScoreUnshown(int points) override;
    void saveProfile() override;
    void saveProfileAndForgetBoard() override;
    void markSaved() override { playedSinceSave_ = false; }
    void setLevelRunning() override;
    bool previousLevelPicture(Sprite*& picture, int& x, int& y) const override;
    bool hasIntroTutorial() const override;
    void drawIntroTutorial(Sprite& target, float value) override;
    void setTutorialValue(float value) override;
    BoardMode mode() const override { return mode_; }
    int level() const override { return level_; }
    void setLevel(int level) override { level_ = level; }
    int maxQuestLevel() const override { return maxQuestLevel_; }
    void setMaxQuestLevel(int level) override { maxQuestLevel_ = level; }
    int score() const override { return keeper_.score(); }
    void setScore(int score) override;
    int levelScore() const override { return keeper_.levelScore(); }
    int gemPoints() const override { return keeper_.gemPoints(); }
    int gemsCollected() const override { return keeper_.gemsCollected(); }
    int lives() const override { return keeper_.lives(); }
    void setLives(int lives) override;
    int wands() const override { return wand_.count(); }
    void setWands(int wands) override;

    // ---- BoardHost ----
    void queueScoreEvent(int cell, int type) override { keeper_.queueScoreEvent(cell, type); }
    void moveRemovedChanged(int) override {}
    void waveCountChanged(int) override {}
    void scoreWave(const WaveTally& wave) override;
    int chainBonus() const override { return keeper_.chainBonus(); }
    void setChainBonus(int value) override { keeper_.setChainBonus(value); }
    bool progressGoalReached() const override { return progress_ > float(target_); }
    bool levelCompleteRaised() const override { return levelComplete_; }
    void raiseLevelComplete() override { levelComplete_ = true; }
    void raiseTimeUp() override { timeUp_ = true; }
    void completeUnplayableLevel() override;
    bool wandArmed() const override { return wand_.armed(); }
    void wandUsed() override;
    void wandGained() override;
    bool offerTutorial(int x, int y, TutorialEntry entry) override;
    BoardOverlay* showNoMovesOverlay() override;
    BoardEffects* effects() override { return effects_.get(); }

    // ---- The profile and the tutorial ----
    // Restores the current mode's numbers and board from the player's files.
    void resumeProfile();
    void saveGame(SavedBoardChange boardChange);
    void reportSaveFailure(const SaveFailure& failure);
    // The tips option from the last byte of the player's progress file.
    void readTipsFlag();
    // Clears the shown entries; unless this is a new game at level 1 the
    // first-move and coating entries count as shown, above level 10 the
    // last-seconds entry too.
    void resetTutorials(bool newGame);

    // ---- What the tests and the flow read ----
    Board& board() { return *board_; }
    const Board& board() const { return *board_; }
    ScoreKeeper& keeper() { return keeper_; }
    const GemCollector& collector() const { return collector_; }
    const ComboBanner& banner() const { return banner_; }
    const TutorialPanel& tutorialPanel() const { return panel_; }
    const BoardKeyboardCursor& keyCursor() const { return keyCursor_; }
    float progress() const { return progress_; }
    int target() const { return target_; }
    int fadeClock() const { return fadeClock_; }
    bool levelRunning() const { return levelRunning_; }
    bool levelComplete() const { return levelComplete_; }
    bool timeUp() const { return timeUp_; }
    bool resumed() const { return resumed_; }
    bool tutorialShown(TutorialEntry entry) const;
    float progressStep() const { return progressStep_; }

private:
    // Modes (game_screen_modes.cpp).
    void enterMode(BoardMode mode);
    void startProgressGame(BoardMode mode);

    // Levels (game_screen_levels.cpp).
    bool loadLevel();
    void startLevel();
    void dealLevel();
    void applyLevelKinds();
    void resetLevelTally();
    void winQuest();
    void leaveForMainMenu();
    void showLevelNumbers();

    // The tick (game_screen_tick.cpp).
    bool fadeOver() const { return fadeClock_ >= 0; }
    void moveProgress();
    void updateBar();
    void startIntro();
    void playStep(int milliseconds);
    void finishLevel(int milliseconds);

    // Input (game_screen_input.cpp).
    bool playing() const;
    // A left press at that point lands on the board, not on an open card.
    bool pressReachesBoard(platform::LParam lParam) const;
    void applyTypedWord(TypedWord word);
    void completeLevelAt(int level);
    void pressMagic();
    void openResumeMenu();
    void openHelp();
    // The board's keys (game_screen_keyboard.cpp); false for other keys.
    bool playByKey(int key);

    // Drawing (game_screen_drawing.cpp).
    void composeBackground();
    void drawQuestRelic();
    void drawPicture(const char* path, int x, int y);
    bool showsPreviousPicture() const;

    // The intro's tutorial: where the first move's hint points.
    bool firstMovePoint(ScreenPoint& point) const;

    void requestStaticRedraw() { staticDirty_ = true; }
    void refreshMagic();
    const std::string& playerName() const;

    std::unique_ptr<Board> board_;
    std::unique_ptr<BoardEffectLayer> effects_;
    std::unique_ptr<BoardAudio> audio_;  // the screen's own sounds: "start", "bonuslife", the banner's
    ScoreKeeper keeper_;
    MagicWand wand_;
    GemCollector collector_;
    ComboBanner banner_;
    TutorialPanel panel_;
    GameHud hud_;
    BoardKeyboardCursor keyCursor_;
    SoundGroup* timeUpSound_ = nullptr;  // owned by the sound system

    BoardMode mode_ = BoardMode::ModeQuest;
    int level_ = 1;
    int maxQuestLevel_ = 0;
    float progress_ = 0;
    int target_ = 0;
    // How much pending progress reaches the bar per step: fixed the first
    // time it is needed, for the rest of the run.
    float progressStep_ = 0;

    int fadeClock_ = -kFadeMs;
    bool shown_ = false;          // the fade has reached 0 once for this level
    bool levelRunning_ = false;   // the intro has been shown for this level
    bool levelComplete_ = false;
    bool timeUp_ = false;
    bool resumed_ = false;        // the level came from the saved board
    bool playedOn_ = false;       // reached from the level before it
    bool introDone_ = false;      // the intro has handed the level to play
    bool playedSinceSave_ = false;
    bool saveFailureShown_ = false;
    int endWait_ = 0;             // ms the finished level has waited for its effects

    std::array<bool, kTutorialEntries> tutorialShown_{};

    Sprite* background_ = nullptr;       // composed per level; registered, released here
    Sprite* backPicture_ = nullptr;      // the "back" control's own picture, shared
    Sprite* previousPicture_ = nullptr;  // shared picture
    int previousX_ = 0, previousY_ = 0;
    bool staticDirty_ = true;
};
