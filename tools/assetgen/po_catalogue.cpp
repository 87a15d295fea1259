#include "po_catalogue.h"

#include <cstdint>

#include "platform/latin1_text.h"

namespace {

enum class Field { None, Context, Id, Translation };

// One entry as it is read: the field a continuation line adds to, and
// where each began.
struct Entry {
    std::string context, id, translation;
    bool hasContext = false, hasId = false, hasTranslation = false, fuzzy = false;
    int idLine = 0, translationLine = 0;
    Field last = Field::None;
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A quoted string with its escapes, and nothing after it; false when the
// line does not hold exactly that.
bool quoted(std::string_view s, std::string& out) {
    s = trimmed(s);
    if (s.size() < 2 || s.front() != '"') return false;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') return i + 1 == s.size();
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            default: return false;
        }
    }
    return false;
}

std::string at(int line, const std::string& what) { return std::to_string(line) + ": " + what; }

// A message named in an error: its first 60 bytes in quotes.
std::string quote(const std::string& message) {
    std::string out(1, '"');
    out.append(message, 0, 60);
    out += '"';
    return out;
}

class Reader {
public:
    explicit Reader(std::map<std::pair<std::string, std::string>, std::string, std::less<>>& into) : into_(into) {}

    bool line(std::string_view text, int number, std::string& error) {
        const std::string_view s = trimmed(text);
        if (s.empty()) return true;
        if (s[0] == '#') {
            // "#~" keeps an obsolete message, commented out; "#," the flags.
            if (s.size() > 1 && s[1] == ',' && s.find("fuzzy") != std::string_view::npos) fuzzyNext_ = true;
            return true;
        }
        if (s[0] == '"') return continuation(s, number, error);
        const std::size_t space = s.find_first_of(" \t");
        const std::string_view keyword = s.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? std::string_view() : s.substr(space);
        if (keyword == "msgctxt" || keyword == "msgid") {
            if ((keyword == "msgctxt" || entry_.hasId) && !finish(error)) return false;
            if (keyword == "msgctxt") return begin(Field::Context, entry_.context, rest, number, error);
            entry_.idLine = number;
            return begin(Field::Id, entry_.id, rest, number, error);
        }
        if (keyword == "msgstr") {
            if (!entry_.hasId || entry_.hasTranslation) {
                error = at(number, "msgstr without its msgid");
                return false;
            }
            entry_.translationLine = number;
            return begin(Field::Translation, entry_.translation, rest, number, error);
        }
        if (keyword == "msgid_plural" || keyword.rfind("msgstr[", 0) == 0) {
            error = at(number, "plural forms are not used by the game's texts");
            return false;
        }
        error = at(number, "not a catalogue line: " + std::string(s.substr(0, 40)));
        return false;
    }

    // The last entry; false when it is incomplete or does not fit.
    bool finish(std::string& error) {
        Entry done = std::move(entry_);
        entry_ = Entry{};
        if (!done.hasId && !done.hasContext) return true;
        if (!done.hasId || !done.hasTranslation) {
            error = at(done.hasId ? done.idLine : done.translationLine, "a message needs a msgid and a msgstr");
            return false;
        }
        if (done.id.empty()) return true;  // the header
        if (done.fuzzy || done.translation.empty()) return true;
        std::string latin1;
        if (!platform::utf8ToLatin1Exactly(done.translation, latin1)) {
            error = at(done.translationLine, "the translation of " + quote(done.id) +
                                                 " holds a character outside Latin-1, which the game's fonts lack");
            return false;
        }
        auto key = std::make_pair(std::move(done.context), std::move(done.id));
        if (into_.count(key)) {
            error = at(done.idLine, quote(key.second) + " is translated twice");
            return false;
        }
        into_.emplace(std::move(key), std::move(latin1));
        return true;
    }

private:
    bool begin(Field field, std::string& value, std::string_view rest, int number, std::string& error) {
        if (!quoted(rest, value)) {
            error = at(number, "expected one quoted string");
            return false;
        }
        entry_.last = field;
        if (field == Field::Context) entry_.hasContext = true;
        if (field == Field::Id) entry_.hasId = true;
        if (field == Field::Translation) entry_.hasTranslation = true;
        if (field != Field::Translation) entry_.fuzzy = entry_.fuzzy || fuzzyNext_;
        fuzzyNext_ = false;
        return true;
    }

    bool continuation(std::string_view s, int number, std::string& error) {
        std::string* value = entry_.last == Field::Context ? &entry_.context
                             : entry_.last == Field::Id    ? &entry_.id
                             : entry_.last == Field::Translation ? &entry_.translation
                                                                 : nullptr;
        if (!value) {
            error = at(number, "a string outside any message");
            return false;
        }
        if (!quoted(s, *value)) {
            error = at(number, "expected one quoted string");
            return false;
        }
        return true;
    }

    std::map<std::pair<std::string, std::string>, std::string, std::less<>>& into_;
    Entry entry_;
    bool fuzzyNext_ = false;
};

}  // namespace

bool PoCatalogue::parse(std::string_view text, PoCatalogue& out, std::string& error) {
    out = PoCatalogue{};
    PoCatalogue read;
    Reader reader(read.translations_);
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (!reader.line(text.substr(start, end - start), ++number, error)) return false;
        start = end + 1;
    }
    if (!reader.finish(error)) return false;
    out = std::move(read);
    return true;
}

const std::string* PoCatalogue::find(std::string_view context, std::string_view english) const {
    const auto it = translations_.find(std::make_pair(std::string(context), std::string(english)));
    return it == translations_.end() ? nullptr : &it->second;
}
