#pragma once
// The game's two music tracks, each written as a theme description
// (music_menu_theme.cpp, music_game_theme.cpp) and rendered with
// our own instruments: a calm one for the menus and a livelier one for play.
//
// Each track is rendered as a whole loop: every note, echo and reverb tail
// that runs past the end continues at the start, and the effects run round
// the loop until they have settled. The last sample therefore leads into
// the first exactly as any sample leads into the next, and the game's
// looping stream wraps without a click.

#include <string>
#include <vector>

#include "synth.h"

struct MusicTrack {
    std::string kind;      // "menu" or "game", the key in music.ini
    std::string gamePath;  // as music.ini names it
    std::string title;
    double bpm = 0;
    int bars = 0;
    synth::Stereo samples;
};

// The two tracks, rendered and normalised (not yet encoded).
MusicTrack renderMenuTheme();
MusicTrack renderGameTheme();

// Pitch names as the scores write them: "C4" is 60, "F#5" 78, "Bb3" 58.
// -1 for anything else.
int parsePitch(const std::string& name);
