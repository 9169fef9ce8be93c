// Messages in the player's language. Every text the game shows a player is
// written in English in the sources and goes through gettext in the text
// domain "vegatrade": _() translates a message where it is used, N_() marks
// one in a table (or one whose room is checked) for translation where it is
// shown, and P_() translates one that counts something. Without a catalog for the player's language gettext
// gives the English text back, byte for byte.
#pragma once

#include <libintl.h>

#include <cstddef>

#define VEGATRADE_TEXT_DOMAIN "vegatrade"
#define _(msgid) dgettext(VEGATRADE_TEXT_DOMAIN, msgid)
#define N_(msgid) msgid
// The form of a message that counts `n` things, in the language's plural.
#define P_(singular, plural, n) dngettext(VEGATRADE_TEXT_DOMAIN, singular, plural, n)

// Takes the character type and the messages from the environment (nothing
// else: numbers keep one format) and finds the catalogs where the game is
// installed. In a locale whose character type is not UTF-8 the messages stay
// English: a translation could not be shown there.
void start_messages();

// catalog_check.cpp
// Whether every catalog of this game in `folder` that gettext may read for
// the languages asked for is whole; a damaged one must leave the game in
// English.
bool catalogs_sound(const char *folder);

// The folder the catalogs are looked up in: beside the running executable,
// where the build and the installation put them, or else the folder the game
// was configured to be installed with.
const char *catalog_folder();

// The translation of `msgid` when it takes at most `columns` screen columns,
// else `msgid` itself: a translation too long for its room is never cut or
// drawn over a border.
const char *translation_within(const char *msgid, int columns);

// Formats the translation of `format` into `out` (`size` bytes), or `format`
// itself when the translation's text would take more than `columns` screen
// columns. Returns the columns the text takes.
[[gnu::format(printf, 4, 5)]] int format_within(char *out, std::size_t size, int columns, const char *format,
                                                ...);
