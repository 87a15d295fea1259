#include "errorlog/error_check.h"

#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>

namespace {

// The log stream and everything that touches it sit behind one mutex: the
// sound thread reports failures too, and an entry (with the header pair in
// front of the first one) must never interleave with another thread's.
struct ErrorLog {
    std::mutex mutex;
    std::FILE* stream = nullptr;
    std::string path = "gerr.log";

    ~ErrorLog() {
        if (stream) std::fclose(stream);
    }

    // Opens the log and writes the header pair; false when it cannot be opened.
    bool ensureOpen(const char* buildDate, const char* buildTime) {
        if (stream) return true;
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        stream = std::fopen(path.c_str(), "a");
        if (!stream) return false;
        std::fprintf(stream, "------------------- Compilation data: %s time: %s -------------------\n",
                     buildDate, buildTime);
        std::fprintf(stream, "------------------- Run data: %u:%u:%u time: %u:%u:%u -------------------\n",
                     unsigned(local.tm_mday), unsigned(local.tm_mon + 1), unsigned(local.tm_year + 1900),
                     unsigned(local.tm_hour), unsigned(local.tm_min), unsigned(local.tm_sec));
        return true;
    }
};

ErrorLog& errorLog() {
    static ErrorLog log;
    return log;
}

}  // namespace

std::int32_t reportCheckFailure(std::int32_t value, const char* expression, const char* sourceFile,
                                int line, const char* buildDate, const char* buildTime) {
    ErrorLog& log = errorLog();
    std::lock_guard<std::mutex> lock(log.mutex);
    if (!log.ensureOpen(buildDate, buildTime)) return value;
    std::fprintf(log.stream, "%s line: %d  -  %s = %d\n", sourceFile, line, expression, value);
    std::fflush(log.stream);
    return value;
}

void writeErrorLogText(const char* text, const char* buildDate, const char* buildTime) {
    ErrorLog& log = errorLog();
    std::lock_guard<std::mutex> lock(log.mutex);
    if (!log.ensureOpen(buildDate, buildTime)) return;
    std::fputs(text, log.stream);
    std::fflush(log.stream);
}

void setErrorLogPath(const char* path) {
    ErrorLog& log = errorLog();
    std::lock_guard<std::mutex> lock(log.mutex);
    log.path = path;
}

void closeErrorLog() {
    ErrorLog& log = errorLog();
    std::lock_guard<std::mutex> lock(log.mutex);
    if (log.stream) std::fclose(log.stream);
    log.stream = nullptr;
}
