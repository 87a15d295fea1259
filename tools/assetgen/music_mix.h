#pragma once
// A written-out track played by our instruments and mixed as a whole loop:
// every note, echo and reverb tail that runs past the end continues at the
// start, and the effects run round the loop until they have settled.

#include "music_score.h"
#include "synth.h"

synth::Stereo renderArrangement(const Arrangement& a);
