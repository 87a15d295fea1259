#include "errorlog/error_check.h"

#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "temp_dir.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        closeErrorLog();
        setErrorLogPath(dir.file("gerr.log").c_str());
    }
    void TearDown() override {
        closeErrorLog();
        setErrorLogPath("gerr.log");
    }
    TempDir dir;
};

const std::regex kCompilationHeader(
    R"(------------------- Compilation data: [A-Z][a-z]{2} [ 0-9]\d \d{4} time: \d\d:\d\d:\d\d -------------------)");
const std::regex kRunHeader(
    R"(------------------- Run data: ([1-9]|[12]\d|3[01]):([1-9]|1[0-2]):\d{4} time: (1?\d|2[0-3]):[1-5]?\d:[1-5]?\d -------------------)");

TEST_F(ErrorLogTest, NothingFailingLeavesNoFile) {
    EXPECT_EQ(ERROR_CHECK(0), 0);
    EXPECT_EQ(ERROR_CHECK(1 > 2), 0);
    EXPECT_FALSE(dir.exists("gerr.log"));
}

TEST_F(ErrorLogTest, OneHeaderPairPerRunThenEntries) {
    const int line = __LINE__ + 1;
    EXPECT_EQ(ERROR_CHECK(2 > 1), 1);
    EXPECT_EQ(errorCheckValue(static_cast<std::int32_t>(0x887601AEu), "lpSurface->Lock(NULL,&ddsd,DDLOCK_WAIT,NULL)",
                              "sprite", 251, "Jul 11 2007", "14:00:48"),
              static_cast<std::int32_t>(0x887601AEu));

    auto log = lines(dir.read("gerr.log"));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(std::regex_match(log[0], kCompilationHeader)) << log[0];
    EXPECT_TRUE(std::regex_match(log[1], kRunHeader)) << log[1];
    EXPECT_EQ(log[2], std::string(__FILE__) + " line: " + std::to_string(line) + "  -  2 > 1 = 1");
    // A status code with its top bit set prints as a negative number.
    EXPECT_EQ(log[3], "sprite line: 251  -  lpSurface->Lock(NULL,&ddsd,DDLOCK_WAIT,NULL) = -2005532242");

    // A new run (the stream closed, as at process exit) appends its own pair.
    closeErrorLog();
    errorCheckValue(5, "second run", "runwin", 10, "Jan  2 2026", "01:02:03");
    log = lines(dir.read("gerr.log"));
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[4], "------------------- Compilation data: Jan  2 2026 time: 01:02:03 -------------------");
    EXPECT_TRUE(std::regex_match(log[5], kRunHeader));
    EXPECT_EQ(log[6], "runwin line: 10  -  second run = 5");
}

TEST_F(ErrorLogTest, HeaderCarriesTheBuildTimeOfTheFirstFailingFile) {
    errorCheckValue(1, "first", "graph", 1, "Mar  3 2026", "03:03:03");
    errorCheckValue(1, "second", "gsound", 2, "Apr  4 2026", "04:04:04");
    auto log = lines(dir.read("gerr.log"));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "------------------- Compilation data: Mar  3 2026 time: 03:03:03 -------------------");
}

TEST_F(ErrorLogTest, BareTextContinuesOnTheSameLine) {
    errorCheckValue(-1, "lpSurface->SetColorKey( DDCKEY_SRCBLT, &ddck )", "graph", 117, "Jul 11 2007", "14:00:48");
    writeErrorLogText("DDERR_GENERIC", "Jul 11 2007", "14:00:48");
    errorCheckValue(-2, "next", "graph", 118, "Jul 11 2007", "14:00:48");
    auto log = lines(dir.read("gerr.log"));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[3], "DDERR_GENERICgraph line: 118  -  next = -2");
}

TEST_F(ErrorLogTest, UnwritableLogIsSilentAndRetriedLater) {
    setErrorLogPath(dir.file("missing-folder/gerr.log").c_str());
    EXPECT_EQ(errorCheckValue(7, "lost", "runwin", 1, "Jul 11 2007", "14:00:48"), 7);
    setErrorLogPath(dir.file("gerr.log").c_str());
    errorCheckValue(8, "kept", "runwin", 2, "Jul 11 2007", "14:00:48");
    auto log = lines(dir.read("gerr.log"));
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], "runwin line: 2  -  kept = 8");
}

TEST_F(ErrorLogTest, TwoThreadsNeverInterleave) {
    auto worker = [](const char* text) {
        for (int i = 0; i < 400; ++i) errorCheckValue(i + 1, text, "gsound", i, "Jul 11 2007", "14:00:48");
    };
    std::thread a(worker, "main thread expression with some length to it");
    std::thread b(worker, "sound thread expression, also long enough to matter");
    a.join();
    b.join();
    auto log = lines(dir.read("gerr.log"));
    ASSERT_EQ(log.size(), 802u);
    EXPECT_TRUE(std::regex_match(log[0], kCompilationHeader));
    EXPECT_TRUE(std::regex_match(log[1], kRunHeader));
    const std::regex entry(R"(gsound line: \d+  -  (main thread expression with some length to it|sound thread expression, also long enough to matter) = \d+)");
    for (std::size_t i = 2; i < log.size(); ++i) EXPECT_TRUE(std::regex_match(log[i], entry)) << log[i];
}

}  // namespace
