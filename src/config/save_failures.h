#pragma once
// Whether any of the player's files could not be written during this run.
// The player is told where it happens; the program then ends with status 3,
// so that a script or a launcher learns it too.

void noteSaveFailure();
bool savesFailedThisRun();
// At the start of a run (tests run the program more than once per process).
void forgetSaveFailures();
