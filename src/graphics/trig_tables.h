#pragma once
// Sine and cosine of one full turn in 256 steps, filled once at start-up;
// the rotated blit reads them instead of calling sin and cos per sprite.

extern float sinTable[256];
extern float cosTable[256];

// Entry k becomes sin and cos of 2 * pi * k / 256.
void fillTrigTables();
