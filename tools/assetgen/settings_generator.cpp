// The default settings beside the program. game.ini is written only when the
// game has not written its own yet.

#include "generators.h"

void generateSettings(AssetTree& tree) { tree.writeTextIfMissing("game.ini", defaultGameIni()); }
