#pragma once
// Where the pieces of the game screen lie on the 800 x 600 picture. The
// game places some of them itself (the scene at 15, 15, the right panel at
// 635, 15, each episode's relic, the board centred on x = 432 inside
// y = 64..528, the gem collector's row along the top, the tutorial panel
// around its spot); the screen file places the rest. The backgrounds, the
// HUD pictures, the screen file and the review picture all read them here,
// so a plate painted into a background and the text the game writes on it
// never drift apart.

#include <array>

struct ScreenRect {
    int x = 0, y = 0, w = 0, h = 0;
    constexpr int right() const { return x + w; }
    constexpr int bottom() const { return y + h; }
    constexpr int centreX() const { return x + w / 2; }
    constexpr int centreY() const { return y + h / 2; }
};

namespace gamelayout {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// The scene of a mode or an episode, and the right-hand panel beside it.
constexpr ScreenRect kScene{15, 15, 620, 570};
constexpr ScreenRect kRightPanel{635, 15, 150, 570};

// The widest field (8 cells of 48) centred on x = 432, and the reach of its
// gold frame beyond the cells.
constexpr int kBoardCentreX = 432;
constexpr int kFieldTop = 64, kFieldBottom = 528;
constexpr int kWidestFieldLeft = kBoardCentreX - 4 * 48;
constexpr int kFrameReach = 18;
constexpr int kBoardFrameLeft = kWidestFieldLeft - kFrameReach;

// The time bar (progress in action and cube) under the board. The flash
// that goes with the "warning" sound is drawn with its top-left at
// (268, 535), so the bar is cut to lie under it; flying gems bounce on
// y = 545, just on its upper edge.
constexpr ScreenRect kTimeBar{268, 548, 328, 22};
constexpr int kTimeFlashLeft = 268, kTimeFlashTop = 535;

// The right panel, from the top: the title, then a label over a plate for
// each number the game writes, the wand in its socket with its count, the
// mode's own plate, and the two buttons at the foot.
constexpr int kPanelCentreX = 713;
constexpr int kTitleY = 40, kModeNameY = 66, kTitleRuleY = 86;
constexpr int kLabelAbovePlate = 11;  // label's centre above the plate's top
constexpr ScreenRect kLevelPlate{651, 114, 124, 32};
constexpr ScreenRect kScorePlate{651, 174, 124, 32};
constexpr ScreenRect kLivesPlate{651, 234, 124, 32};
constexpr int kWandLabelY = 288;
constexpr ScreenRect kWandButton{655, 300, 60, 60};
constexpr ScreenRect kWandCountPlate{723, 314, 52, 32};
// Action and cube have no lives or wands: their plate stands there.
constexpr ScreenRect kLivePlate{645, 210, 136, 156};
// Puzzle has no score either: its plate holds the goal and the two buttons.
constexpr ScreenRect kPuzzlePlate{645, 156, 136, 210};
constexpr ScreenRect kUndoButton{653, 226, 120, 44};
constexpr ScreenRect kResetButton{653, 284, 120, 44};
constexpr int kOrnamentY = 412;
constexpr int kFootRuleY = 462;
constexpr ScreenRect kMenuButton{651, 474, 124, 46};
constexpr ScreenRect kHelpButton{651, 526, 124, 46};

// Each episode's relic: where the game draws it (its top-left) and how many
// stages it is rebuilt in (one per level of the episode). Its pictures end
// left of the widest board's frame and above the time bar.
struct Episode {
    int x, y;
    int stages;
};
constexpr std::array<Episode, 6> kEpisodes{{{5, 179, 5}, {6, 141, 6}, {6, 210, 6}, {5, 158, 7}, {8, 178, 8}, {16, 119, 8}}};
constexpr int kRelicRight = kBoardFrameLeft - 4;
constexpr int kRelicBottom = 540;
// Inside the pictures the relic keeps off the screen's gold border.
constexpr int kRelicInkLeft = 24;
constexpr int kRelicCentreX = (kRelicInkLeft + kRelicRight) / 2;
constexpr int kRelicFoot = 530;

// The tutorial panel: the game puts the picture's top-left at (x - 58,
// y - 140) for the spot (x, y) and its five lines at (x - 45, top + 20 +
// 16 i), each centred on its y. So the spot is (58, 140) in the picture,
// where the panel's pointer ends.
constexpr int kHintSpotX = 58, kHintSpotY = 140;
constexpr int kHintTextLeft = 13, kHintFirstLine = 20, kHintLineStep = 16, kHintLines = 5;
constexpr int kHintWidth = 256, kHintHeight = 144;
// Room a line may take: the same margin on the right as the game leaves on
// the left, inside the panel's rim.
constexpr int kHintTextWidth = kHintWidth - 2 * kHintTextLeft - 4;

}  // namespace gamelayout
