#pragma once

#include <QString>

#include <array>
#include <string_view>

// The keyless scrambling of journal entries: every lower-case letter a to z
// becomes its token, and back. The table is the same for every user; it hides
// an entry from a glance, not from anyone who tries.
//
// Every token begins and ends with "_", holds no letter, no "__" and no other
// token, so a token can never be read across the seam between two others and
// text without digits, "_" or the tokens' punctuation comes back unchanged.
inline constexpr std::array<std::u16string_view, 26> ScrambleTokens = {
    u"_837144_",        u"_5165_",   u"_019_",          u"_58!236_",   u"_4182490_", u"_85063_",   u"_7367573_",
    u"_9368998681056_", u"_23403_",  u"_9950_",         u"_6694_",     u"_6552086199_", u"_747304_", u"_881_",
    u"_2926488_",       u"_62335_",  u"_402_917_",      u"_5167_",     u"_12183_",   u"_987039_",  u"_1764_093_",
    u"_#%*+=_",         u"_41471_",  u"_419990619304_", u"_4927014_",  u"_8514564_",
};

// Replaces each lower-case letter a to z by its token; nothing else changes.
QString ScrambleText(const QString &text);

// Replaces the tokens by their letters, token "a" everywhere first, then "b",
// and so on, each left to right without looking at a replaced place again.
QString UnscrambleText(const QString &text);
