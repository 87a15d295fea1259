#include "screens/level_tips.h"

namespace {

// The level where the player first meets each element.
constexpr LevelTip kLevelTips[] = {
    {1, "tiptile_dlg"},     {3, "tipscore_dlg"},   {4, "tipwand_dlg"},      {8, "tipraduga_dlg"},
    {11, "tipdouble_dlg"},  {18, "tiplocked_dlg"}, {22, "tipteleport_dlg"}, {33, "tipbad_dlg"},
};

}  // namespace

std::span<const LevelTip> levelTips() { return kLevelTips; }

const char* tipScreenForLevel(int level) {
    for (const LevelTip& tip : kLevelTips) {
        if (tip.level == level) return tip.screen;
    }
    return nullptr;
}
