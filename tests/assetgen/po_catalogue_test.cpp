// The translation catalogues as translators' tools write them: what counts
// as translated, and the errors a broken catalogue stops the build with.

#include <gtest/gtest.h>

#include <string>

#include "po_catalogue.h"

namespace {

TEST(PoCatalogue, ReadsWhatATranslatorsToolWrites) {
    const std::string text =
        "# German translation of Shardfall.\n"
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\n"
        "#. letters, level intro\n"
        "#: tools/assetgen/text_generator.cpp:52\n"
        "msgid \"GO!\"\n"
        "msgstr \"LOS!\"\n"
        "\n"
        "msgctxt \"options panel\"\n"
        "msgid \"Music\"\n"
        "msgstr \"Musik\"\n"
        "\n"
        "msgid \"Music\"\n"
        "msgstr \"Musikst\xC3\xBC\"\n"
        "\"ck\"\n"
        "\n"
        "msgid \"Press any key\\n\"\n"
        "\"to go on\"\n"
        "msgstr \"\\\"Weiter\\\" mit\\tTaste\\\\\"\n"
        "\n"
        "#, fuzzy\n"
        "msgid \"Really delete the player\"\n"
        "msgstr \"Spieler wirklich l\xC3\xB6schen\"\n"
        "\n"
        "msgid \"New player...\"\r\n"
        "msgstr \"\"\r\n"
        "#~ msgid \"Old text\"\n"
        "#~ msgstr \"Alter Text\"\n";
    PoCatalogue catalogue;
    std::string error;
    ASSERT_TRUE(PoCatalogue::parse(text, catalogue, error)) << "error: " << error;
    ASSERT_NE(catalogue.find("", "GO!"), nullptr);
    EXPECT_EQ(*catalogue.find("", "GO!"), "LOS!");
    EXPECT_EQ(*catalogue.find("options panel", "Music"), "Musik");
    EXPECT_EQ(*catalogue.find("", "Music"), "Musikst\xFC" "ck");  // UTF-8 in, Latin-1 out
    ASSERT_NE(catalogue.find("", "Press any key\nto go on"), nullptr);
    EXPECT_EQ(*catalogue.find("", "Press any key\nto go on"), "\"Weiter\" mit\tTaste\\");
    // Fuzzy, empty and obsolete messages leave the English text standing.
    EXPECT_EQ(catalogue.find("", "Really delete the player"), nullptr);
    EXPECT_EQ(catalogue.find("", "New player..."), nullptr);
    EXPECT_EQ(catalogue.find("", "Old text"), nullptr);
    EXPECT_EQ(catalogue.find("", ""), nullptr);
    EXPECT_EQ(catalogue.translatedCount(), 4u);
}

TEST(PoCatalogue, ABrokenCatalogueNamesItsLine) {
    const struct {
        const char* text;
        const char* error;
    } broken[] = {
        {"msgid \"A\"\nmsgstr \"\xE2\x82\xAC\"\n", "2: the translation of \"A\" holds a character outside Latin-1"},
        {"msgid \"A\"\nmsgstr \"B\n", "2: expected one quoted string"},
        {"msgid \"A\"\nmsgstr \"B\" x\n", "2: expected one quoted string"},
        {"msgid \"A\"\nmsgstr \"\\q\"\n", "2: expected one quoted string"},
        {"msgstr \"B\"\n", "1: msgstr without its msgid"},
        {"msgid \"A\"\n\nmsgid \"B\"\nmsgstr \"C\"\n", "1: a message needs a msgid and a msgstr"},
        {"msgid \"A\"\nmsgstr \"B\"\nmsgid \"A\"\nmsgstr \"C\"\n", "3: \"A\" is translated twice"},
        {"\"stray\"\n", "1: a string outside any message"},
        {"msgid \"A\"\nmsgid_plural \"As\"\n", "2: plural forms are not used"},
        {"msgid \"A\"\nmsgstr \"\xC3\"\n", "2: the translation of \"A\" holds a character outside Latin-1"},
        {"hello\n", "1: not a catalogue line: hello"},
    };
    for (const auto& b : broken) {
        PoCatalogue catalogue;
        std::string error;
        EXPECT_FALSE(PoCatalogue::parse(b.text, catalogue, error)) << b.text;
        EXPECT_EQ(error.rfind(b.error, 0), 0u) << error;
        EXPECT_EQ(catalogue.translatedCount(), 0u);
    }
}

}  // namespace
