#include "board/board_tuning.h"

#include "config/ini_store.h"

namespace {

constexpr const char* kCommonIni = "data\\common.ini";

float positiveOr(float value, float fallback) { return value > 0.0f ? value : fallback; }

}  // namespace

BoardTuning BoardTuning::fromCommonIni() {
    BoardTuning t;
    t.kestVelocity = positiveOr(iniReadFloat(kCommonIni, "properties", "kest_velocity"), t.kestVelocity);
    t.fallVelocity = positiveOr(iniReadFloat(kCommonIni, "properties", "fall_velocity"), t.fallVelocity);
    t.dyingVelocity = positiveOr(iniReadFloat(kCommonIni, "properties", "dying_velocity"), t.dyingVelocity);
    return t;
}
