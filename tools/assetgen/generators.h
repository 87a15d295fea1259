#pragma once
// Every generator of the game's data. Each writes its files into the tree,
// describes them in the manifest and adds its pictures to the contact sheet.
// Later data (screen files, menu art, level maps) slots in as more of these.

#include "asset_tree.h"

void generateSettings(AssetTree& tree);
void generateContactSheet(AssetTree& tree);
