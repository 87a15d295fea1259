#pragma once
// GameSession: what the menus and the screens between levels ask of the
// game in progress. The game screen ("game") implements it; the screens of
// src/screens reach it through `findGameSession` and never include the
// game screen itself, and the game screen reaches them only by their screen
// names. Tests put a recording session in its place.
//
// The numbers are those of the game in progress: `level` is the level being
// played (the level-complete screen raises it before `nextLevel`), `score`
// the game's score, `levelScore`, `gemPoints` and `gemsCollected` the
// tallies of the current level.

#include "board/board_types.h"

class ProgressControl;
class ScreenManager;
class Sprite;

class GameSession {
public:
    virtual ~GameSession() = default;

    // ---- Starting a mode (after "game" was made the current screen) ----
    // Continues the player's saved quest if there is one, else a new quest
    // at `level`.
    virtual void startQuest(int level) = 0;
    virtual void newQuest(int level) = 0;
    virtual void startPuzzle() = 0;
    virtual void startAction() = 0;
    virtual void startCube() = 0;

    // ---- The level flow ----
    virtual void nextLevel() = 0;
    virtual void restartLevel() = 0;
    // Quest: 500 + 50 per second left (fractions counted); 0 in other modes.
    virtual int timeBonus() const = 0;
    virtual int levelTimeSeconds() const = 0;
    virtual int timeUsedSeconds() const = 0;
    // The HUD's time bar in quest mode; null in other modes.
    virtual ProgressControl* timeBarControl() = 0;
    // Adds to the score, pays any bonus life and shows it; 0 only refreshes.
    virtual void addScore(int points) = 0;
    // Adds to the score without showing it or paying a life yet: the
    // level-complete tally flies the time bonus into the score first and
    // then calls `addScore(0)`. A session without a display of its own may
    // simply set the score.
    virtual void addScoreUnshown(int points) { setScore(score() + points); }
    // Writes the player's progress file and the current mode's board.
    virtual void saveProfile() = 0;
    // Writes the player's progress with no board for the current mode, after
    // a level is won or lost, in one step: the mode's next visit deals the
    // level the progress names afresh.
    virtual void saveProfileAndForgetBoard();
    // The game counts as saved: leaving the program does not save it again.
    virtual void markSaved() = 0;
    // Deletes the current player's saved board of the current mode (none in
    // puzzle mode), after a level is won or lost: the mode's next visit then
    // deals the level the progress file names afresh.
    virtual void forgetSavedBoard();
    // The level intro has run: play may start.
    virtual void setLevelRunning() = 0;

    // ---- The intro's extras ----
    // The relic's previous stage in a quest level reached by playing on (not
    // the first of its episode): the picture and its top-left corner. False
    // (and nothing set) otherwise.
    virtual bool previousLevelPicture(Sprite*& picture, int& x, int& y) const = 0;
    // Whether this level opens with a tutorial picture in its intro; drawing
    // it at `value` (0 hidden .. 1 full) and handing it over to play.
    virtual bool hasIntroTutorial() const = 0;
    virtual void drawIntroTutorial(Sprite& target, float value) = 0;
    virtual void setTutorialValue(float value) = 0;

    // ---- The game's numbers ----
    virtual BoardMode mode() const = 0;
    virtual int level() const = 0;
    virtual void setLevel(int level) = 0;
    virtual int maxQuestLevel() const = 0;
    virtual void setMaxQuestLevel(int level) = 0;
    virtual int score() const = 0;
    virtual void setScore(int score) = 0;
    virtual int levelScore() const = 0;
    // What the level's thrown gems and the full collector paid; with
    // `levelScore` it makes what the level added to the score.
    virtual int gemPoints() const = 0;
    virtual int gemsCollected() const = 0;
    virtual int lives() const = 0;
    virtual void setLives(int lives) = 0;
    virtual int wands() const = 0;
    virtual void setWands(int wands) = 0;
};

// The screen the menus open at the page of the current mode (the help
// panel). The game screen turns its page after opening it by name.
class PagedScreen {
public:
    virtual ~PagedScreen() = default;
    virtual void setPage(int page) = 0;
};

// The game screen of this manager as a session (made and loaded the first
// time, not made current); null when "game" is not a session.
GameSession* findGameSession(ScreenManager& manager);
