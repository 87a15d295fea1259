#pragma once
// What every harness shares: a scratch data root of its own (the game reads
// its files from the working directory), the error log kept inside it, and
// a way to hand the input to a loader that only reads from a file.
//
// A harness checks what must hold for any input with fuzzCheck: a broken
// promise aborts, so the fuzzer keeps the input and the replay test fails.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "errorlog/error_check.h"
#include "platform/paths.h"

namespace fuzz {

// Moves into a fresh folder under the temporary directory, once per process.
inline const std::string& scratchRoot() {
    static const std::string root = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/shardfall-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        if (!platform::changeDirectory(pattern)) std::abort();
        setErrorLogPath((pattern + "/gerr.log").c_str());
        return pattern;
    }();
    return root;
}

// Replaces a file of the scratch root with the input's bytes. A plain
// write: the game's atomic save waits for the disk, which would make every
// input cost a disk flush. The old file is removed first: a file cut to
// nothing and written again makes the file system start writing it out at
// its close (it guards programs that replace files that way), a new file
// does not. The path is looked up while the old file is still there: the
// lookup of a missing file reads each of its folders.
inline void writeInput(const std::string& gamePath, const std::uint8_t* data, std::size_t size) {
    scratchRoot();
    const std::string path = platform::resolveWritePath(gamePath);
    ::unlink(path.c_str());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) std::abort();
}

// The error log would grow by a line for every damaged input.
inline void forgetErrorLog() {
    closeErrorLog();
    ::unlink((scratchRoot() + "/gerr.log").c_str());
}

inline void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// Reads the input a little at a time, then zeros once it runs out, so a
// harness can take its choices from the input's first bytes.
class InputCursor {
public:
    InputCursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return v;
    }
    std::size_t remaining() const { return size_ - pos_; }
    const std::uint8_t* rest() const { return data_ + pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace fuzz

#define fuzzCheck(condition) ::fuzz::check((condition), #condition)
