#include "board/board_audio.h"

#include <array>
#include <string>

#include "config/ini_store.h"
#include "sound/music_player.h"
#include "sound/sound.h"
#include "sound/sound_group.h"
#include "sound/sound_system.h"

namespace {

constexpr const char* kSoundTable = "data\\sound\\sound.ini";
constexpr int kListenerX = 420;
constexpr int kListenerY = 100;

constexpr std::array<const char*, static_cast<int>(BoardSound::Count)> kNames = {
    "select_kest", "row",   "row3",     "row4",     "row5",  "swap",    "swapback", "help",        "bad",      "badremove",
    "block",       "fall",  "magic",    "raduga",   "teleport", "done", "warning",  "start",       "bonus_score", "bonus_wand",
    "combo1",      "combo2", "combo3",  "combo4",   "diamond_bonus", "bonuslife", "flycell", "collectgem", "line4", "line5",
};

class GroupBoardAudio : public BoardAudio {
public:
    GroupBoardAudio() {
        for (int i = 0; i < static_cast<int>(BoardSound::Count); ++i) groups_[i] = loadSoundGroup(kSoundTable, kNames[i]);
        // The birth sound is one stream the board keeps to itself, so many
        // pieces born at once sound as one continuing sound.
        const std::string file = iniReadString(kSoundTable, "birth", "name0");
        if (Sound* shared = file.empty() ? nullptr : getSound(file.c_str())) birth_ = shared->duplicate();
    }

    void play(BoardSound sound) override { playSoundGroup(group(sound), 0, 0, 0, 0); }
    void playPanned(BoardSound sound, int sourceX) override {
        playSoundGroup(group(sound), kListenerX, kListenerY, sourceX, kListenerY);
    }
    void keepBirthPlaying() override {
        if (birth_ && !birth_->isPlaying()) birth_->play(0);
    }
    void stopMusic() override { ::stopMusic(musicPlayer()); }

private:
    SoundGroup* group(BoardSound sound) const { return groups_[static_cast<int>(sound)]; }

    std::array<SoundGroup*, static_cast<int>(BoardSound::Count)> groups_{};  // owned by the sound system
    Sound* birth_ = nullptr;                                                 // owned by the sound list
};

}  // namespace

const char* boardSoundName(BoardSound sound) {
    const int i = static_cast<int>(sound);
    return i >= 0 && i < static_cast<int>(BoardSound::Count) ? kNames[i] : "";
}

std::unique_ptr<BoardAudio> createGameBoardAudio() { return std::make_unique<GroupBoardAudio>(); }
