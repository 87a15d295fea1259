// The end of a wave: the host scores the queued events, the wave's sound
// rises with each wave of the move, and the per-kind tallies start over.

#include <algorithm>

#include "board/board.h"

void Board::scoreWave() {
    WaveTally wave;
    wave.waveRemoved = waveRemoved_;
    wave.waveCount = waveCount_;
    wave.removedByKind = removedByKind_;
    wave.gemSpot = gemSpot_;
    host_->scoreWave(wave);
    static constexpr BoardSound kWaveSounds[] = {BoardSound::Row, BoardSound::Row3, BoardSound::Row4,
                                                 BoardSound::Row5};
    audio_->play(kWaveSounds[std::min(waveCount_, 3)]);
    removedByKind_.fill(0);
    gemSpot_.fill(0);
}
