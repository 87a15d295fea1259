#pragma once
// LevelCompleteScreen ("levelcomplete"): the tally after a won level, over
// the frozen board. "LEVEL COMPLETE!" comes in letter by letter and goes;
// in the quest the time bonus (500 and 50 points a second left) is counted
// up in steps of 250 with a tick while the time bar drains, rests, and
// flies down into the score; then the result panel (player, level score,
// gem points, time, gems) slides in from above with "next" and
// "mainmenu" ("next" alone in the middle after the quest's last level). A button
// darkens the picture for half a second and leads on: to the next level,
// to the quest map when an episode is finished, or to the main menu.
//
//   banner -> [counting -> pause 750 ms -> flying] -> done (panel slides in)
//   -> a button -> leaving (500 ms darkening) -> next level / quest map / menu
//
// Outside the quest there is no bonus: the panel follows the banner.
// The level is counted as finished as soon as the screen shows: the level
// number rises, the progress is saved and the board of the finished level
// is no longer kept.

#include <array>
#include <memory>
#include <optional>

#include "screens/letter_banner.h"
#include "ui/screen.h"

class GameSession;
class ProgressControl;
struct SoundGroup;

// "m : ss" for a time in seconds ("2 : 05", "10 : 00").
std::string minutesAndSeconds(int seconds);

// The episode the quest map opens after a level, by the level now reached
// (the level after the one finished): 2 for level 6 ... 6 for level 33; 0
// when the next level lies in the same episode.
int episodeOpenedAt(int reachedLevel);

class LevelCompleteScreen : public Screen {
public:
    static constexpr int kLeaveMs = 500;
    static constexpr int kPauseMs = 750;
    static constexpr int kCountStep = 250;
    static constexpr int kCountStart = 500;
    static constexpr float kSlideStart = -1000.0f;
    static constexpr int kDigitSpacing = 40;
    static constexpr int kDigitsTop = 310;
    static constexpr int kUnitsDigitX = 500;
    static constexpr int kLabelCentreX = 400, kLabelCentreY = 280;
    static constexpr float kNumberLandsBelow = 590.0f;

    LevelCompleteScreen();
    ~LevelCompleteScreen() override;

    void load(const char* file, const char* section) override;
    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;
    int onCommand(UiElement* source) override;

    // What the tests read.
    int counted() const { return counted_; }
    int bonus() const { return bonus_; }
    bool counting() const { return counting_; }
    bool flying() const { return flying_; }
    bool done() const { return done_; }
    float slideOffset() const { return slideOffset_; }
    bool leaving() const { return nextPressed_ || menuPressed_; }
    float labelWidth() const { return labelWidth_; }
    const LetterBanner& banner() const { return banner_; }

protected:
    GameSession* session() const;
    void darkenForLeaving(Sprite& target) const;

    // The puzzle variant shares these.
    LetterBanner banner_;
    int clock_ = 0;
    int leaveTimer_ = 0;
    bool nextPressed_ = false;

private:
    void leave();
    void slideIn(int milliseconds);
    void flyStep(int milliseconds);
    // False while the label is still growing (the clock stands still then).
    bool countStep(int milliseconds);
    void bannerStep(int milliseconds);
    void finishLevel(GameSession& game);
    void placeNextButton(bool alone);
    void drawLabel(Sprite& target) const;
    void drawCount(Sprite& target);

    std::array<Sprite*, 10> digits_{};  // shared pictures
    std::unique_ptr<Sprite> label_;
    std::unique_ptr<Sprite> number_;
    float numberWidth_ = 0;
    float numberX_ = 0, numberY_ = 0;
    float labelWidth_ = 0;
    int timeFactor_ = 0;
    int counted_ = 0;
    int bonus_ = 0;
    float slideOffset_ = kSlideStart;
    bool menuPressed_ = false;
    bool done_ = false;
    bool counting_ = false;
    bool flying_ = false;
    ProgressControl* timeBar_ = nullptr;
    SoundGroup* completeSound_ = nullptr;  // sounds are owned by the sound system
    SoundGroup* popSound_ = nullptr;
    SoundGroup* tickSound_ = nullptr;
    int pause_ = kPauseMs;
    std::optional<int> nextHome_;  // "next"'s place in the screen file
};
