#pragma once
// Reporting a failed surface call: the error-log entry with the expression
// text of the DirectDraw call it stands for, then the result's name as bare
// text. The macro form keeps the source file and build time of the caller.

#include <cstdint>

#include "errorlog/error_check.h"
#include "graphics/dd_error_name.h"

#define DD_REPORT(value, text, line)                                   \
    do {                                                               \
        const std::int32_t ddReportValue = (value);                    \
        if (ERROR_CHECK_AS(ddReportValue, text, line) != 0)            \
            writeErrorLogText(DDErrorName(ddReportValue), __DATE__, __TIME__); \
    } while (0)
