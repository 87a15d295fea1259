#include "config/save_failures.h"

#include <atomic>

namespace {

std::atomic<bool> failed{false};

}  // namespace

void noteSaveFailure() { failed = true; }
bool savesFailedThisRun() { return failed; }
void forgetSaveFailures() { failed = false; }
