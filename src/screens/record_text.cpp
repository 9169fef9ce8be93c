// The words of the game's record, all in this one file: a line for each
// deed, the list of what the computers did and the record window's own
// texts. Each is one whole format, with the player's name an argument. A
// line of the record wraps where it is wider than its window, so only the
// headings and titles have a room that a translation must keep to.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>

namespace {

// A sector by its row, counted from 1 at the top, and its column, lettered
// from A at the left: "5C".
void format_sector(char *out, std::size_t size, int pos) {
    std::snprintf(out, size, "%d%c", pos / map_width + 1, static_cast<char>('A' + pos % map_width));
}

const char *company_name_of(int company) {
    return company >= 0 && company < NUM_COMPANIES ? game.companies[company].name : "?";
}

}  // namespace

void format_record_line(char *out, std::size_t size, const RecordLine &line) {
    const char *name = line.player >= 0 && line.player < MAX_PLAYERS ? game.players[line.player].name : "?";
    char sector[8];
    format_sector(sector, sizeof sector, line.pos);
    const char *company = company_name_of(line.company);
    const auto count = static_cast<unsigned long>(line.shares > 0 ? line.shares : 0);
    // Each line names the player first (at most 20 columns), then the sector
    // as "5C" (row 5 from the top, column C from the left) and a company's
    // name (such as "Altair Starways"). A line longer than its window wraps.
    switch (line.deed) {
        case Deed::OUTPOST:
            // TRANSLATORS: a line of the game's record (and of the list at the
            // move prompt): the player's name and the sector claimed ("5C"),
            // which became an outpost. Within 75 columns with a 20-column name
            // where you can; a longer line wraps.
            std::snprintf(out, size, _("%s claimed %s: an outpost"), name, sector);
            return;
        case Deed::SITE_LOST:
            // TRANSLATORS: a line of the game's record: the player's name and
            // the sector claimed ("5C"), which a neighbouring black hole took
            // at once; no company existed. Within 75 columns where you can.
            std::snprintf(out, size, _("%s claimed %s, lost to a black hole"), name, sector);
            return;
        case Deed::FOUNDED:
            // TRANSLATORS: a line of the game's record: the player's name, the
            // sector claimed ("5C") and the company it founded (its name).
            // Within 75 columns where you can.
            std::snprintf(out, size, _("%s claimed %s and founded %s"), name, sector, company);
            return;
        case Deed::FOUNDING_SWALLOWED:
            // TRANSLATORS: a line of the game's record: the player's name, the
            // sector claimed ("5C") and the company it founded, whose price a
            // black hole took to nothing at once. Within 75 columns where you can.
            std::snprintf(out, size, _("%s claimed %s; a black hole took new %s"), name, sector, company);
            return;
        case Deed::JOINED:
            // TRANSLATORS: a line of the game's record: the player's name, the
            // sector claimed ("5C") and the company the sector became part of.
            // Within 75 columns where you can.
            std::snprintf(out, size, _("%s claimed %s, which joined %s"), name, sector, company);
            return;
        case Deed::MERGED:
            // TRANSLATORS: a line of the game's record: the player whose claim
            // set off the merger, the company absorbed, then the company that
            // took it over. Within 75 columns where you can.
            std::snprintf(out, size, _("%s merged %s into %s"), name, company_name_of(line.absorbed),
                          company);
            return;
        case Deed::SPLIT:
            // TRANSLATORS: a line of the game's record: the player whose claim
            // set it off, then the company whose stock split two for one (its
            // price halved, every holding doubled). Within 75 columns where you can.
            std::snprintf(out, size, _("%s split %s two for one"), name, company);
            return;
        case Deed::SWALLOWED:
            // TRANSLATORS: a line of the game's record: the player whose claim
            // set it off, then the company a black hole swallowed (its price
            // fell to $0; every share of it is lost). Within 75 columns where you can.
            std::snprintf(out, size, _("%s drove %s into a black hole"), name, company);
            return;
        case Deed::BOUGHT:
            std::snprintf(out, size,
                          // TRANSLATORS: a line of the game's record: the player's
                          // name, the number of shares bought and the company's
                          // name. Within 75 columns where you can.
                          P_("%s bought %d share of %s", "%s bought %d shares of %s", count), name,
                          line.shares, company);
            return;
        case Deed::SOLD:
            std::snprintf(out, size,
                          // TRANSLATORS: a line of the game's record: the player's
                          // name, the number of shares sold and the company's name.
                          // Within 75 columns where you can.
                          P_("%s sold %d share of %s", "%s sold %d shares of %s", count), name, line.shares,
                          company);
            return;
    }
    std::snprintf(out, size, "%s", "?");
}

const char *news_heading(bool moved_before) {
    if (moved_before) {
        // TRANSLATORS: the heading of what the computers did since this
        // person's last move, above the list at their move prompt: at most 75
        // columns. R is the key that opens the record; it stays R.
        return _("Since your last move (R: the game's record):");
    }
    // TRANSLATORS: the same heading at a person's first move of the game,
    // when the computers moved before them: at most 75 columns. R stays R.
    return _("Before your first move (R: the game's record):");
}

void format_news_more(char *out, std::size_t size, int lines) {
    std::snprintf(out, size,
                  // TRANSLATORS: the first line of the list at the move prompt
                  // when older lines did not fit: %d is how many lines are left
                  // out. At most 75 columns. R is the key of the record; it stays R.
                  P_("(%d line before these is in the record: R)",
                     "(%d lines before these are in the record: R)", static_cast<unsigned long>(lines)),
                  lines);
}

void format_record_title(char *out, std::size_t size, int page, int pages) {
    // TRANSLATORS: the record window's title on its top border, with the
    // page's number and the pages': at most 60 columns without the figures.
    std::snprintf(out, size, _(" The game's record: page %d of %d "), page, pages);
}

const char *record_heading() {
    // TRANSLATORS: the record window's heading: at most 75 columns. The
    // example sector, 5C, is the 5th row from the top and the 3rd column.
    return _("Newest first. Sector 5C: row 5 from the top, column C from the left.");
}

// TRANSLATORS: the record window's only line before any claim: at most 75 columns.
const char *record_empty() { return _("Nothing yet: no sector has been claimed."); }

void format_record_forgotten(char *out, std::size_t size, long long lines) {
    std::snprintf(out, size,
                  // TRANSLATORS: the record window's last line once its oldest
                  // lines gave way: %lld is how many. At most 60 columns
                  // without the figure.
                  P_("(%lld earlier line is no longer kept)", "(%lld earlier lines are no longer kept)",
                     static_cast<unsigned long>(lines)),
                  lines);
}
