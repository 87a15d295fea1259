#pragma once
// The board's sounds. The game plays them as groups of the sound table
// ("data\sound\sound.ini") by section name; tests put a recorder in place.

#include <memory>

enum class BoardSound : int {
    SelectKest,
    Row,
    Row3,
    Row4,
    Row5,
    Swap,
    Swapback,
    Help,
    Bad,
    BadRemove,
    Block,
    Fall,
    Magic,
    Raduga,
    Teleport,
    Done,
    Warning,
    Start,
    BonusScore,
    BonusWand,
    // Scoring: the combo banner's texts, the gem bonus and the bonus life.
    Combo1,
    Combo2,
    Combo3,
    Combo4,
    DiamondBonus,
    BonusLife,
    // The effect layer's own four.
    FlyCell,
    CollectGem,
    Line4,
    Line5,
    Count,
};

// The section name of the sound table.
const char* boardSoundName(BoardSound sound);

class BoardAudio {
public:
    virtual ~BoardAudio() = default;
    // At full volume and without pan (listener and source at one point).
    virtual void play(BoardSound sound) = 0;
    // Panned by the source's x: listener at (420, 100), source at (x, 100).
    virtual void playPanned(BoardSound sound, int sourceX) = 0;
    // The stream of the "birth" sound: started when it is not playing,
    // otherwise left to go on.
    virtual void keepBirthPlaying() = 0;
    // The level goal was reached: the music fades out.
    virtual void stopMusic() = 0;
};

// The game's audio: the sound groups of the table and the music player.
std::unique_ptr<BoardAudio> createGameBoardAudio();

// Plays nothing.
class SilentBoardAudio : public BoardAudio {
public:
    void play(BoardSound) override {}
    void playPanned(BoardSound, int) override {}
    void keepBirthPlaying() override {}
    void stopMusic() override {}
};
