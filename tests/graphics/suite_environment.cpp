// Sends the error log of the whole suite to a scratch file.

#include <unistd.h>

#include <filesystem>

#include "errorlog/error_check.h"
#include "graphics_test_support.h"

std::string suiteErrorLogPath() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("shardfall-graphics-gerr-" + std::to_string(::getpid()) + ".log"))
            .string();
    return path;
}

namespace {

class ScratchErrorLog : public ::testing::Environment {
public:
    void SetUp() override {
        closeErrorLog();
        setErrorLogPath(suiteErrorLogPath().c_str());
    }
    void TearDown() override {
        closeErrorLog();
        std::error_code ec;
        std::filesystem::remove(suiteErrorLogPath(), ec);
    }
};

[[maybe_unused]] ::testing::Environment* const scratchErrorLog =
    ::testing::AddGlobalTestEnvironment(new ScratchErrorLog);

}  // namespace
