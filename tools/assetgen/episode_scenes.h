#pragma once
// The six landscapes of the quest, one per episode, as scene descriptions.

#include "scene_layers.h"

// Episode 1..6; anything past the last is the last.
scene::Description episodeSceneDescription(int episode);
