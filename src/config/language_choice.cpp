#include "config/language_choice.h"

#include <cctype>

namespace {

std::string lower(std::string_view text) {
    std::string out;
    for (char c : text) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string languageOfLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    const std::size_t end = locale.find_first_of(".@");
    const std::string_view name = locale.substr(0, end);
    const std::size_t split = name.find_first_of("_-");
    const std::string language = lower(name.substr(0, split));
    if (language == "pt") return "pt_BR";  // our one Portuguese
    for (const Language& l : kLanguages) {
        if (language == l.code) return l.code;
    }
    return {};
}

std::string languageFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (!value || !*value) continue;
        const std::string code = languageOfLocale(value);
        return code.empty() ? kEnglish : code;
    }
    return kEnglish;
}

std::string languageFolder(std::string_view code) {
    if (code.empty() || code == kEnglish) return {};
    return "data\\lang\\" + std::string(code);
}
