#pragma once
// The template catalogue translators start from (po/shardfall.pot): every
// text the generator puts before the player, as the gettext tools expect
// it. The generator lists the texts as it says them, so the template holds
// exactly what the game shows, each with where it is shown.

#include <string>
#include <vector>

// One text to translate: its English (UTF-8), the context that tells it
// apart (the key the game reads it by) and a note for the translator on
// where it is shown and how much room it has.
struct Message {
    std::string context;
    std::string english;
    std::string comment;
};

// The template's text: a header without dates (the same texts give the
// same bytes), then one entry per message in the order given.
std::string templateCatalogue(const std::vector<Message>& messages);
