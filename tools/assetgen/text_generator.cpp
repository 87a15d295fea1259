// The game's texts and tuning: "data\language.ini" [game] with every text
// the game shows from it, and "data\common.ini" [properties] with the
// board's speeds.
//
// Texts drawn with the big letters ("data\letters\%c.tga") use only the
// characters that exist there: A-Z, 0-9, - ! ? . , ' : + and space; their
// spaces stay spaces (30 pixels each). The others are drawn with the
// bitmap fonts, which hold all of Latin-1, and are written with the fonts'
// word gap between their words (text_layout.h).

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "generators.h"
#include "platform/latin1_text.h"
#include "screens/letter_files.h"
#include "text_layout.h"

namespace {

enum class SetIn { Letters, Font };

struct Text {
    const char* key;
    const char* value;
    SetIn setIn;
    const char* where;  // a comment for whoever edits the file
};

const std::vector<Text>& gameTexts() {
    static const std::vector<Text> texts = {
        // The combo banner (combo font, centred at the board's middle).
        {"combo", "Combo!", SetIn::Font, "combo banner, third wave of a move"},
        {"supercombo", "Super combo!", SetIn::Font, "combo banner, fifth wave"},
        {"ultracombo", "Ultra combo!", SetIn::Font, "combo banner, seventh wave"},
        {"unbelievable", "Unbelievable!", SetIn::Font, "combo banner, ninth wave"},
        {"gembonus", "Gem bonus!", SetIn::Font, "combo banner, the gem collector is full"},
        // Big letters, over the board: they end left of the side panel.
        {"levelcomplete", "LEVEL COMPLETE!", SetIn::Letters, "letters, level result banner (from x = 40)"},
        {"puzzlesolved", "PUZZLE SOLVED!", SetIn::Letters, "letters, puzzle result banner (from x = 120)"},
        {"bonus", "TIME BONUS", SetIn::Letters, "letters, label over the counted time bonus (centred on x = 400)"},
        {"nomoves", "NO MOVES!", SetIn::Letters, "letters, puzzle dead end (centred on x = 430)"},
        {"level", "LEVEL", SetIn::Letters, "letters, level intro: followed by the level number (from x = 196)"},
        {"puzzle", "PUZZLE", SetIn::Letters, "letters, puzzle intro: followed by the puzzle number (from x = 176)"},
        {"go", "GO!", SetIn::Letters, "letters, level intro"},
        {"timeup", "TIME UP!", SetIn::Letters, "letters, time-up and game-over screens"},
        // Fonts.
        {"pressanykey", "Press any key to go on", SetIn::Font, "dark font, puzzle result"},
        {"createnewplayer", "New player...", SetIn::Font, "static font, first row of the player list (228 px)"},
        {"areyousure1", "Really delete the player", SetIn::Font, "delete dialog question, followed by the name"},
        {"playerlistfull", "The list is full: delete a player first.", SetIn::Font,
         "name dialog, when a twentieth player is typed (static font, 380 px)"},
        {"dontshowtips", "Don't show tips again", SetIn::Font, "help font, beside the tips' check box"},
        {"empty", "Empty", SetIn::Font, "static font, a free place in the high-score table"},
        {"restart", "Restart", SetIn::Font, "quest map, prompt on a played episode"},
        {"start", "Start", SetIn::Font, "quest map, prompt on a new episode"},
        {"newgame", "New game", SetIn::Font, "quest map, caption of the continue button after a won quest"},
        {"continue", "Continue", SetIn::Font, "quest map, caption of the continue button"},
        {"gridspace", "Space", SetIn::Font, "name dialog's letter grid, the space cell (static font, 162 px)"},
        {"griddelete", "Delete", SetIn::Font, "name dialog's letter grid, the delete cell (static font, 189 px)"},
        {"griddone", "Done", SetIn::Font, "name dialog's letter grid, the done cell (static font, 189 px)"},
        {"thousands", ",", SetIn::Font,
         "one character between the thousands of a score (1,000): a comma, a point, or a space"},
        {"languageauto", "Automatic", SetIn::Font,
         "options panel, the language button while the game follows the desktop's language (menu font, 190 px)"},
        {"savefailed", "Your progress could not be saved:", SetIn::Font,
         "a band at the foot of the game when a save fails; the system's reason follows (static font, 760 px "
         "with the reason)"},
    };
    return texts;
}

// The board's speeds (the board works in 20 ms steps, cells are 48 pixels).
// A plain move of three takes about half a second from the drag until the
// board takes the next one: 80 ms of swap, 220 of burst (the line is found,
// shrinks away and frees its cells), 180 to 220 of fall and birth.
const std::vector<std::pair<const char*, const char*>>& boardSpeeds() {
    static const std::vector<std::pair<const char*, const char*>> speeds = {
        // Pixels per ms: a swap crosses one cell in four steps.
        {"kest_velocity", "0.65"},
        // Pixels per ms: a fall starts at this speed per row dropped and
        // speeds up under the board's gravity to at most 0.7: one or two
        // rows land in 160 ms, three in 200, a whole column of eight in 500.
        {"fall_velocity", "0.3"},
        // Pixels per ms: a removed piece shrinks from 44 pixels to nothing
        // in seven steps, under its sparks.
        {"dying_velocity", "0.25"},
        // Milliseconds a new piece takes to grow in; the short delays that
        // make new pieces appear from the top left first shrink with it.
        {"birth_time", "100"},
    };
    return speeds;
}

// The characters the big letters exist for (letter_generator.cpp), in
// either case: the shared set, and the accented capitals a language's own
// set adds. There is no capital sharp s: German writes SS in capitals.
bool inLetterSet(const std::string& text, std::string& missing) {
    for (const char c : text) {
        const char upper = static_cast<char>(letterCapital(static_cast<unsigned char>(c)));
        if (upper != ' ' && kBigLetterSet.find(upper) == std::string_view::npos &&
            kBigLetterAccents.find(upper) == std::string_view::npos)
            missing += c;
    }
    return missing.empty();
}

}  // namespace

std::string accentedLettersUsed(AssetTree& tree) {
    std::string used;
    for (const Text& t : gameTexts()) {
        if (t.setIn != SetIn::Letters) continue;
        for (const char c : tree.say(t.key, t.value, t.where)) {
            const char upper = static_cast<char>(letterCapital(static_cast<unsigned char>(c)));
            if (kBigLetterAccents.find(upper) != std::string_view::npos && used.find(upper) == std::string::npos)
                used += upper;
        }
    }
    return used;
}

void generateTexts(AssetTree& tree) {
    std::string language =
        "; Every text the game shows from this file. Keys are read by the game;\r\n"
        "; texts in big letters may use A-Z, 0-9, - ! ? . , ' : + and space.\r\n"
        "; Texts drawn in a font part their words with byte 0xA0, the fonts'\r\n"
        "; word gap (a plain space there is half a line high, three letters).\r\n"
        "[game]\r\n";
    for (const Text& t : gameTexts()) {
        const std::string text = tree.say(t.key, t.value, t.where);
        std::string missing;
        if (t.setIn == SetIn::Letters && !inLetterSet(text, missing)) {
            std::fprintf(stderr, "assetgen: %s\"%s\" (%s) uses characters the big letters lack: %s\n",
                         tree.language().empty() ? "" : (tree.language() + ": ").c_str(),
                         platform::latin1ToUtf8(text).c_str(), t.key, platform::latin1ToUtf8(missing).c_str());
            tree.reportFailure();
        }
        language += "; " + std::string(t.where) + "\r\n";
        language += std::string(t.key) + "=" + (t.setIn == SetIn::Font ? withWordGaps(text) : text) + "\r\n";
    }
    tree.writeText("data\\language.ini", language);
    tree.describe("ini", "data\\language.ini", "sections=1 keys=" + std::to_string(gameTexts().size()));

    std::string common =
        "; Board tuning, read when the board is built. Speeds in pixels per millisecond,\r\n"
        "; the birth time in milliseconds.\r\n"
        "[properties]\r\n";
    for (const auto& [key, value] : boardSpeeds()) common += std::string(key) + "=" + value + "\r\n";
    tree.writeText("data\\common.ini", common);
    tree.describe("ini", "data\\common.ini", "sections=1 keys=" + std::to_string(boardSpeeds().size()));
}
