// The language the desktop asks for reaches every file the game reads: the
// real program, started with a locale, reads a language's own copy of a
// file under data/lang/CODE and the shared file where the language has
// none; --lang overrides the locale.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

const std::string kDist = SHARDFALL_DIST_DIR;

using namespace realprogram;
namespace fs = std::filesystem;

// Sets the locale's three variables for the programs this test starts, and
// puts back what was there.
class LocaleScope {
public:
    LocaleScope(const char* lcAll, const char* lcMessages, const char* lang) {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        set("LC_ALL", lcAll);
        set("LC_MESSAGES", lcMessages);
        set("LANG", lang);
    }
    ~LocaleScope() {
        for (int i = 0; i < 3; ++i) set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    static void set(const char* name, const char* value) {
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    std::vector<std::optional<std::string>> saved_;
};

// The title screen a third of a second in, as a player with this locale
// and these options sees it.
Picture titleScreen(const TempDir& dir, const char* lang, std::vector<std::string> options = {}) {
    LocaleScope locale(nullptr, nullptr, lang);
    const std::string shot = dir.file(std::string("title-") + lang + std::to_string(options.size()) + ".png");
    std::vector<std::string> args = {"--headless", "--data", dir.path().string(), "--run-ms", "300",
                                     "--screenshot", shot};
    args.insert(args.end(), options.begin(), options.end());
    EXPECT_EQ(run(kDist + "/shardfall", args), 0);
    return readPng(shot);
}

TEST(LanguageScenario, TheLocaleChoosesTheLanguagesOwnFilesAndTheSharedOnesFillIn) {
    ASSERT_TRUE(fs::exists(kDist + "/data/menu/logo_back.jpg")) << "no generated data in " << kDist;
    TempDir dir;
    dir.write("game.ini", "[main]\r\nname=Shardfall language scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
    dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    // The shared tree, and a German title picture of its own (the main
    // menu's background stands in for it: any picture that differs will do).
    fs::create_directory(dir.path() / "data");
    for (const auto& entry : fs::directory_iterator(kDist + "/data"))
        fs::create_symlink(fs::absolute(entry.path()), dir.path() / "data" / entry.path().filename());
    fs::create_directories(dir.path() / "data/lang/de/menu");
    fs::copy_file(kDist + "/data/menu/mainmenu_back.jpg", dir.path() / "data/lang/de/menu/logo_back.jpg");

    const Picture english = titleScreen(dir, "en_US.UTF-8");
    const Picture german = titleScreen(dir, "de_DE.UTF-8");
    const Picture french = titleScreen(dir, "fr_FR.UTF-8");  // no French files: all shared
    const Picture overridden = titleScreen(dir, "de_DE.UTF-8", {"--lang", "en"});
    ASSERT_EQ(english.width, 800);
    ASSERT_EQ(german.width, 800);
    EXPECT_GT(clearlyChangedPixels(english, german, 0, 0, 800, 400), 20000);
    EXPECT_EQ(french.rgb, english.rgb);
    EXPECT_EQ(overridden.rgb, english.rgb);
}

}  // namespace
