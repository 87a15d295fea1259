#pragma once
// Which tip dialog a quest level opens when it starts: the levels that bring
// a new element each have one; the level intro shows it while tips are on.

#include <span>

struct LevelTip {
    int level;
    const char* screen;  // the tip dialog's screen name
};

// Every tip, in the order of the levels that open them.
std::span<const LevelTip> levelTips();

// The screen name of the level's tip ("tiptile_dlg" for level 1, ...), or
// null for a level without one.
const char* tipScreenForLevel(int level);
