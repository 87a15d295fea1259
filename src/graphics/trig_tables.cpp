#include "graphics/trig_tables.h"

#include <cmath>
#include <numbers>

float sinTable[256];
float cosTable[256];

void fillTrigTables() {
    for (int k = 0; k < 256; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / 256.0;
        sinTable[k] = float(std::sin(angle));
        cosTable[k] = float(std::cos(angle));
    }
}
