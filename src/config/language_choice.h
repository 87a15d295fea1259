#pragma once
// Which language the game speaks: English, or one of the translations the
// data tree carries beside the English files. The choice comes from the
// command line (--lang CODE), else from the desktop's locale: LC_ALL, then
// LC_MESSAGES, then LANG, the first that is set and not empty, as every
// program on the desktop reads them. "de_DE.UTF-8" is German, "pt_BR"
// Brazilian Portuguese; "C", "POSIX" and anything unknown are English.

#include <string>
#include <string_view>

struct Language {
    const char* code;  // as the data tree's folder names it: "de", "pt_BR"
    const char* name;  // in its own language, 8-bit Latin-1 as the fonts are
};

inline constexpr Language kLanguages[] = {
    {"en", "English"},
    {"de", "Deutsch"},
    {"fr", "Fran\xE7" "ais"},
    {"es", "Espa\xF1ol"},
    {"it", "Italiano"},
    {"pt_BR", "Portugu\xEAs"},
    {"nl", "Nederlands"},
};
inline constexpr const char* kEnglish = "en";

// The code of the language a locale name asks for ("de_DE.UTF-8@euro" ->
// "de"; any Portuguese -> "pt_BR"), or empty when none of ours matches.
std::string languageOfLocale(std::string_view locale);

// The language the environment asks for: the first of the three variables
// that is set and not empty decides; English when it names none of ours.
std::string languageFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang);

// The folder of a language's own files in the data tree ("data\lang\de"),
// or empty for English, whose files are the tree's own.
std::string languageFolder(std::string_view code);
