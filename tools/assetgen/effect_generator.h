#pragma once
// Pictures of the effect layer that other pictures show too.

#include "image.h"

// A slot of the gem collector: a gold setting with a dark hollow centred on
// (27, 22); a filled slot's gem is drawn 18, 13 from its corner.
Image collectorSlot();
// The gem of a filled slot.
Image collectorGem();
