#pragma once
// Names of DirectDraw result codes, for the error log: our surfaces answer
// with DirectDraw's codes, and support reads the log by those names.

#include <cstdint>

// "DD_OK" for 0, the code's name for every DirectDraw error, else "not found".
const char* DDErrorName(std::int32_t hr);
