#pragma once
// A translation catalogue (po/CODE.po) as translators' tools write it: the
// gettext PO format, UTF-8. Only what a translator's file holds is read:
//
//   # translator comment          #. extracted comment     #: source place
//   #, fuzzy                      (flags: a fuzzy message counts as missing)
//   msgctxt "where it is shown"   (optional; tells apart two equal texts)
//   msgid "English text"
//   msgstr "translation"
//
// A string may continue on the following lines ("..." "..."), with the
// escapes \n \t \" \\. The entry with an empty msgid is the header. A
// message whose translation is empty is untranslated: the English text
// stands. The game's fonts are 8-bit Latin-1, so every translation is
// turned from UTF-8 into Latin-1 here; a character outside Latin-1 is an
// error that names its line and message.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>

class PoCatalogue {
public:
    // Reads a catalogue's text; false with `error` ("LINE: what") when it
    // is not one. `out` is then empty.
    static bool parse(std::string_view text, PoCatalogue& out, std::string& error);

    // The Latin-1 translation of an English text in a context (empty for
    // none), or nullptr when the catalogue has none: missing, empty or fuzzy.
    const std::string* find(std::string_view context, std::string_view english) const;

    std::size_t translatedCount() const { return translations_.size(); }

private:
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> translations_;
};
