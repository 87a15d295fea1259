// The language the desktop asks for reaches every file the game reads: the
// real program, started with a locale, reads a language's own copy of a
// file under data/lang/CODE and the shared file where the language has
// none; --lang overrides the locale, and the options panel's choice
// (kept in game.ini) stands between the two.

#include <cstdlib>
#include <filesystem>
#include <map>
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
    // The generated languages are left out: this tree has German alone.
    linkGeneratedData(kDist, dir.path(), {"lang"});
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

// The first hour's screens as the real program shows them to a player whose
// desktop speaks `lang`: the main menu, a help page, a level's intro, its
// tip and its result panel (the tip and the first move's card closed, the
// level won at once by a tester's word).
struct Journey {
    Picture menu, help, intro, tip, result;
};

Journey playInLanguage(const TempDir& dir, const std::string& lang) {
    LocaleScope locale(nullptr, nullptr, lang.c_str());
    const std::string stem = lang.substr(0, 2);
    const std::string script = "wait 300\nkey SPACE\nwait 1200\nshot " + stem + "-menu.png\nclick 447 523\nwait 1500\n" +
                               "shot " + stem + "-help.png\nkey ESC\nwait 1200\nclick 515 210\n" +
                               clickFirstEpisode(kDist) + "wait 1020\nshot " + stem +
                               "-intro.png\nwait 380\nkey ESC\nwait 100\nkey ESC\nwait 300\nshot " + stem +
                               "-tip.png\nkey SPACE\nwait 400\nkey ESC\nwait 300\nclick 720 20\nwait 300\ntype shatter\nwait 4000\nshot " + stem +
                               "-result.png\nquit\n";
    dir.write(stem + ".txt", script);
    EXPECT_EQ(run(kDist + "/shardfall", {"--headless", "--seed", "7", "--data", dir.path().string(), "--script",
                                         dir.file(stem + ".txt")}),
              0);
    auto shot = [&](const char* name) { return readPng(dir.file(stem + "-" + name + ".png")); };
    return {shot("menu"), shot("help"), shot("intro"), shot("tip"), shot("result")};
}

TEST(LanguageScenario, TheGeneratedTranslationsReachEveryScreenOfTheFirstHour) {
    ASSERT_TRUE(fs::exists(kDist + "/data/lang/de/language.ini")) << "no generated languages in " << kDist;
    std::map<std::string, Journey> journeys;
    for (const char* lang : {"C.UTF-8", "de_DE.UTF-8", "it_IT.UTF-8"}) {
        TempDir dir;
        dir.write("game.ini", "[main]\r\nname=Shardfall language scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
        linkGeneratedData(kDist, dir.path());
        journeys[lang] = playInLanguage(dir, lang);
    }
    const Journey& english = journeys["C.UTF-8"];
    ASSERT_EQ(english.menu.width, 800);
    for (const char* lang : {"de_DE.UTF-8", "it_IT.UTF-8"}) {
        const Journey& other = journeys[lang];
        // The same seed and input: only the words differ, wherever there are words.
        const std::pair<const char*, std::pair<const Picture*, const Picture*>> screens[] = {
            {"main menu", {&english.menu, &other.menu}},   {"help page", {&english.help, &other.help}},
            {"level intro", {&english.intro, &other.intro}}, {"tip", {&english.tip, &other.tip}},
            {"result panel", {&english.result, &other.result}}};
        for (const auto& [screen, pictures] : screens) {
            ASSERT_EQ(pictures.second->width, 800) << lang << " " << screen;
            EXPECT_GT(clearlyChangedPixels(*pictures.first, *pictures.second, 0, 0, 800, 600), 400)
                << lang << ": the " << screen << " looks as it does in English";
        }
    }
    // The texts those screens load are the language's own.
    for (const char* code : {"de", "it"}) {
        const std::string lang = kDist + "/data/lang/" + code;
        for (const char* key : {"levelcomplete", "go", "timeup"})
            EXPECT_NE(screenFileText(lang + "/language.ini", "game", key), screenFileText(kDist + "/data/language.ini", "game", key))
                << code << " " << key;
        EXPECT_NE(screenFileText(lang + "/menu/mainmenu.ini", "options", "name"),
                  screenFileText(kDist + "/data/menu/mainmenu.ini", "options", "name"))
            << code;
        EXPECT_NE(screenFileText(lang + "/menu/tiptile_dlg.ini", "title", "name"),
                  screenFileText(kDist + "/data/menu/tiptile_dlg.ini", "title", "name"))
            << code;
    }
}

// The player picks German on the options panel of an English game: the
// panel says the change waits for the next start, game.ini keeps it, the
// next start speaks German whatever the desktop says, and --lang still
// wins over it.
TEST(LanguageScenario, TheOptionsPanelsChoiceIsKeptAndCountsFromTheNextStart) {
    TempDir dir;
    dir.write("game.ini", "[main]\r\nname=Shardfall language scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
    dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    linkGeneratedData(kDist, dir.path());
    const std::string options = kDist + "/data/menu/options.ini";
    const int choiceX = screenFileNumber(options, "language", "x") + 60;
    const int choiceY = screenFileNumber(options, "language", "y") + 22;
    const int noteY = screenFileNumber(options, "language_note", "y");
    ASSERT_GT(choiceX, 60);
    const std::string press = "click " + std::to_string(choiceX) + " " + std::to_string(choiceY) + "\nwait 300\n";
    // Out of the way of the panel, so that no control is lit in the shots.
    const std::string rest = "move 120 580\nwait 300\n";
    dir.write("pick.txt", "wait 300\nkey SPACE\nwait 1200\nclick 440 470\nwait 1200\n" + rest + "shot open.png\n" +
                              press + press + rest + "shot picked.png\nquit\n");
    {
        LocaleScope locale(nullptr, nullptr, "C.UTF-8");
        ASSERT_EQ(run(kDist + "/shardfall", {"--headless", "--seed", "7", "--data", dir.path().string(), "--script",
                                             dir.file("pick.txt"), "--screenshot", dir.file("last.png")}),
                  0);
    }
    EXPECT_NE(dir.read("game.ini").find("Language=de"), std::string::npos) << dir.read("game.ini");
    const Picture open = readPng(dir.file("open.png")), picked = readPng(dir.file("picked.png"));
    ASSERT_EQ(open.width, 800);
    // Still English, with the note under the button; the rest of the panel as it was.
    EXPECT_GT(clearlyChangedPixels(open, picked, 220, noteY, 580, noteY + 20), 300);
    EXPECT_EQ(clearlyChangedPixels(open, picked, 220, 120, 580, choiceY - 30), 0);

    const Picture english = titleScreen(dir, "C.UTF-8", {"--lang", "en"});
    const Picture chosen = titleScreen(dir, "fr_FR.UTF-8");
    const Picture german = titleScreen(dir, "de_DE.UTF-8");
    ASSERT_EQ(chosen.width, 800);
    EXPECT_EQ(chosen.rgb, german.rgb) << "the game's choice beats the desktop's";
    EXPECT_GT(clearlyChangedPixels(english, chosen, 0, 0, 800, 600), 400);
}

}  // namespace
