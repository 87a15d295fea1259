#pragma once
// Every section of the sound table ("data\sound\sound.ini") the game asks for
// by name: the generator must write each, and each must load.

#include <sstream>
#include <string>
#include <vector>

inline const std::vector<std::string>& sectionsTheGamePlays() {
    static const std::vector<std::string> names = [] {
        std::istringstream in(
            "toggle click select_kest row row3 row4 row5 swap swapback help bad badremove block fall magic raduga "
            "teleport done warning start bonus_score bonus_wand diamond_bonus combo1 combo2 combo3 combo4 flycell "
            "collectgem line4 line5 timeup bonuslife level_complete levcomppop2 scoretick level_complete_puzzle "
            "options dialog new_episode intropop1 intropop2 new_frame_present birth");
        std::vector<std::string> out;
        for (std::string name; in >> name;) out.push_back(name);
        return out;
    }();
    return names;
}
