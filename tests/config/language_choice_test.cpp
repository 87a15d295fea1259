#include "config/language_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguageChoice, TheLocaleNamesTheLanguageAndAnythingElseIsEnglish) {
    EXPECT_EQ(languageOfLocale("de_DE.UTF-8"), "de");
    EXPECT_EQ(languageOfLocale("fr_CA.ISO-8859-1@euro"), "fr");
    EXPECT_EQ(languageOfLocale("es"), "es");
    EXPECT_EQ(languageOfLocale("NL_be"), "nl");
    EXPECT_EQ(languageOfLocale("pt_BR.UTF-8"), "pt_BR");
    EXPECT_EQ(languageOfLocale("pt_PT"), "pt_BR");  // our one Portuguese beats English
    EXPECT_EQ(languageOfLocale("pt-br"), "pt_BR");
    EXPECT_EQ(languageOfLocale("en_GB.UTF-8"), "en");
    for (const char* other : {"C", "POSIX", "C.UTF-8", "sv_SE", "", "_DE", "."})
        EXPECT_EQ(languageOfLocale(other), "") << other;

    // LC_ALL, then LC_MESSAGES, then LANG: the first that is set decides,
    // also when it names a language we do not have.
    EXPECT_EQ(languageFromEnvironment(nullptr, nullptr, "it_IT.UTF-8"), "it");
    EXPECT_EQ(languageFromEnvironment("", "nl_NL", "it_IT"), "nl");
    EXPECT_EQ(languageFromEnvironment("de_AT", "nl_NL", "it_IT"), "de");
    EXPECT_EQ(languageFromEnvironment("C", "nl_NL", "it_IT"), "en");
    EXPECT_EQ(languageFromEnvironment(nullptr, nullptr, nullptr), "en");

    EXPECT_EQ(languageFolder("pt_BR"), "data\\lang\\pt_BR");
    EXPECT_EQ(languageFolder("en"), "");
}

}  // namespace
