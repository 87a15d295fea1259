#pragma once
// QuestMapScreen ("questmap"): the six episodes of the quest as buttons on
// a map. Episodes open as the player's highest level reaches their first
// level; a finished episode wears its marker ("episode1_f" ...), which
// chooses the episode like its button. An episode the player has played
// reads "restart" and starts a new quest there; one just reached (or the
// first, for a new player) reads "start" and goes on with the saved quest,
// so the score, lives and wands gathered so far are kept. "continue" goes
// on with the saved quest, or starts a new one once the quest is won
// ("newgame"). A saved quest is offered at once in the "continue" dialog.
//
//   shown -> (continue question) -> idle -> episode chosen -> 500 ms fade
//         -> game
//   after the last level of an episode: shown -> opening animation (the
//         finished episode under circling sparks, the burst, the new
//         episode revealed) -> idle
//
// The opening animation's first phase lasts 1800 ms: the finished
// episode's open picture fades out between 600 and 1400 ms, leaving its
// marker, while the new episode stays hidden under a patch of the map.
// Then sparks burst on the new episode and the patch fades away in 800 ms.

#include <memory>
#include <string>

#include "screens/episode_opener.h"
#include "ui/screen.h"

class BoardEffectLayer;
struct SoundGroup;

class QuestMapScreen : public Screen, public EpisodeOpener {
public:
    static constexpr int kEpisodes = 6;
    static constexpr int kContinueChoice = 7;
    static constexpr int kFadeMs = 500;
    static constexpr int kFirstPhaseMs = 1800;
    static constexpr int kRevealMs = 800;
    // The finished episode's open picture stays this long, then fades over
    // kPictureFadeMs.
    static constexpr int kPictureHoldMs = 600, kPictureFadeMs = 800;
    // The sparks circle this far around the centre of the finished
    // episode's picture, which lies this far into its button.
    static constexpr int kSparkRadius = 70;
    static constexpr int kPictureCentreX = 86, kPictureCentreY = 78;
    // The button's picture less the strip its prompt is written on.
    static constexpr int kPromptStrip = 50;
    static constexpr int kWonQuestLevel = 41;

    QuestMapScreen();
    ~QuestMapScreen() override;

    // The screen file, the texts and the sound.
    void load(const char* file, const char* section) override;
    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    // Nothing reaches the map while an episode opens or the map fades out.
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;
    int keyDown(int key, platform::LParam lParam) override;
    int keyUp(int key, platform::LParam lParam) override;
    int onCommand(UiElement* source) override;

    // The level-complete screen shows the map after the last level of an
    // episode: the question about a saved quest is not asked, and episode
    // n (2..6) opens with its animation.
    void setContinueAsked() { continueAsked_ = true; }
    void openEpisode(int episode);
    void openFinishedEpisode(int episode) override {
        setContinueAsked();
        openEpisode(episode);
    }

    // The first level of an episode 1..6; 0 for any other number.
    static int firstLevelOf(int episode);

    bool continueAsked() const { return continueAsked_; }
    bool noProgress() const { return noProgress_; }
    int chosen() const { return chosen_; }
    int highestOpenEpisode() const { return highestOpen_; }
    bool opening() const { return newEpisode_ != 0; }
    int fadeClock() const { return fadeClock_; }

private:
    // Shows the episodes and markers the highest level reached has opened.
    void applyHighestLevel(int highest);
    void choose(int choice);
    // Whether choosing the episode goes on with the saved quest: the
    // episode reads "start" and the saved quest stands at its first level.
    bool continuesSavedQuest(int episode) const;
    void startChosenGame();
    void stepOpening(int milliseconds);
    void drawOpening(Sprite& target);
    void releasePictures();
    UiElement* episodeButton(int episode) const;
    // The effects of the sparks, made on the game's effect layer when
    // first needed.
    BoardEffectLayer* sparks();

    std::string restartText_, startText_, newGameText_, continueText_;
    SoundGroup* newEpisodeSound_ = nullptr;  // owned by the sound system
    std::unique_ptr<BoardEffectLayer> sparks_;

    bool continueAsked_ = false;
    bool noProgress_ = false;
    int savedQuestLevel_ = 0;
    int startEpisode_ = 0;  // the episode just reached, reading "start"; 0 if none
    int chosen_ = 0;
    int fadeClock_ = 0;
    int highestOpen_ = 1;

    // The opening animation: the new episode and the one finished before
    // it (0 once the first phase is over), with their buttons' places.
    int newEpisode_ = 0, previousEpisode_ = 0;
    int clock_ = 0;
    float sparkAngle_ = 0;
    int newX_ = 0, newY_ = 0, previousX_ = 0, previousY_ = 0;
    Sprite* mapPatch_ = nullptr;         // the map under the new button; registered, released here
    Sprite* previousPicture_ = nullptr;  // the finished episode's open picture; likewise
};
