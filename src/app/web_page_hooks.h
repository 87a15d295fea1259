#pragma once
// What the page around the browser build reads from the game, for its test
// and its timing: the current screen, the score, a swap the board offers now,
// when the title was first shown, and how long the frames took to compose.
// The hooks watch the real screen manager through AppHooks and change
// nothing the game does.

#include "app/shardfall_app.h"

AppHooks webPageHooks();
