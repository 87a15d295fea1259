#include "board/board_tuning.h"

#include <algorithm>

#include "config/ini_store.h"

namespace {

constexpr const char* kCommonIni = "data\\common.ini";

// Far slower than any game would want, and small enough that the delays
// scaled from it stay well inside an int.
constexpr int kLongestBirthMs = 10000;

float positiveOr(float value, float fallback) { return value > 0.0f ? value : fallback; }

}  // namespace

BoardTuning BoardTuning::fromCommonIni() {
    BoardTuning t;
    t.kestVelocity = positiveOr(iniReadFloat(kCommonIni, "properties", "kest_velocity"), t.kestVelocity);
    t.fallVelocity = positiveOr(iniReadFloat(kCommonIni, "properties", "fall_velocity"), t.fallVelocity);
    t.dyingVelocity = positiveOr(iniReadFloat(kCommonIni, "properties", "dying_velocity"), t.dyingVelocity);
    const int birthMs = iniReadInt(kCommonIni, "properties", "birth_time");
    if (birthMs > 0) t.birthMs = std::min(birthMs, kLongestBirthMs);
    return t;
}
