#pragma once
// Music: two tracks named in "DATA\sound\music.ini", one for the menus and one
// for play. A track starts with a fade-in; a switch fades the old track out
// before the new one fades in; stopping fades out. Tracks are streamed sounds
// in the music mode, so they follow the music volume, and each file has one
// track object for the whole run.

#include <string>

class Sound;

constexpr int MUSIC_NONE = 0;
constexpr int MUSIC_MENU = 1;
constexpr int MUSIC_GAME = 2;

// The choice of track; created by soundInit, freed by soundShutdown.
struct MusicPlayer {
    int kind = -1;  // the track last asked for; -1 until the configuration is read
    std::string gameTrack;
    std::string menuTrack;
};

// The one player, or none when sound could not be set up.
MusicPlayer* musicPlayer();

// Reads both tracks; a file that cannot be opened leaves its track empty.
void loadMusicConfig(MusicPlayer* player);
// Plays the menu (1) or game (2) track; any other kind, or an empty track,
// plays nothing. Nothing happens without a player.
void playMusic(MusicPlayer* player, int kind);
// Fades the music out.
void stopMusic(MusicPlayer* player);

// Plays a track by file name, switching from the one heard; `loop` is
// remembered for a track that starts later, at the end of a switch.
void musicPlay(const char* name, int loop);
// Stops the track heard, fading it out when `fade` is set.
void musicStop(int fade);

// The track heard and the one waiting for it to fade out.
Sound* currentMusicTrack();
Sound* pendingMusicTrack();
