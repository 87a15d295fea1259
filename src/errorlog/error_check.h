#pragma once
// The error check: the one way failing platform calls are reported. A failing
// check appends a line to "gerr.log" in the working directory and the program
// carries on. The first failure of a run opens the log and writes a header
// pair (the build time of the failing source file, then the wall-clock time),
// so a log that grows across runs shows where each run began.
//
// Success costs one comparison; formatting and file work happen on failure.

#include <cstdint>

// Writes one entry for a failed check. Returns `value` unchanged.
// `buildDate` and `buildTime` are the __DATE__ and __TIME__ of the source file
// holding the check.
std::int32_t reportCheckFailure(std::int32_t value, const char* expression, const char* sourceFile,
                                int line, const char* buildDate, const char* buildTime);

// The out-of-line form: evaluates nothing, reports `value` when it is non-zero.
// Call sites that share one expression text use it through ERROR_CHECK_VALUE.
inline std::int32_t errorCheckValue(std::int32_t value, const char* expression, const char* sourceFile,
                                    int line, const char* buildDate, const char* buildTime) {
    if (value != 0) reportCheckFailure(value, expression, sourceFile, line, buildDate, buildTime);
    return value;
}

// Writes bare text (no line break) to the log, after the header pair if the
// log was not open yet, and flushes. Used to follow an entry with the name of
// a status code; the next entry then continues on the same line.
void writeErrorLogText(const char* text, const char* buildDate, const char* buildTime);

// Where the log goes; "gerr.log" unless changed (tests point it elsewhere).
void setErrorLogPath(const char* path);

// Closes the log stream, so the next failure starts a new header pair as a
// new run would. The process closes it by itself at exit.
void closeErrorLog();

// Evaluates `expr` once, keeps the result as a signed 32-bit value and
// reports it when it is non-zero. The expression text is the literal source.
#define ERROR_CHECK(expr)                                                                  \
    ::errorCheckValue(static_cast<std::int32_t>(expr), #expr, __FILE__, __LINE__, __DATE__, \
                      __TIME__)

// The same check with an expression text and line given by the caller, for
// checks whose reported text must name the original platform call.
#define ERROR_CHECK_AS(value, text, line) \
    ::errorCheckValue(static_cast<std::int32_t>(value), text, __FILE__, line, __DATE__, __TIME__)
