#pragma once
// The six relics the quest rebuilds, one per episode, standing left of the
// board: the emerald lantern, the sapphire chalice, the sun of the dunes,
// the amethyst crown, the ruby hourglass and the star sphere that holds a
// jewel of every earlier episode. Each is put together from as many parts
// as its episode has levels; after the k-th level the first k parts are in
// place. The outline shows the whole relic as a dark ghost with every
// part's contour in faint gold, so the player sees what is still missing;
// on the last stage the finished relic lights up.

#include <string>
#include <vector>

#include "game_screen_layout.h"
#include "image.h"

struct RelicPictures {
    std::string name;
    Image outline;              // every part, as a ghost with gold contours
    std::vector<Image> stages;  // stage k: parts 0..k in place
};

// The rectangle a relic's pictures cover on the screen: from its episode's
// position to the right and bottom limits of the column.
ScreenRect relicBox(int episode);

// The pictures of episode 1..6's relic, sized to its box. Drawn once per run.
const RelicPictures& relicPictures(int episode);
