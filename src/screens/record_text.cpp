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
    // TRANSLATORS: a line of the game's record: the player's name, the
    // sector (its row and column, as "5C") and a company's name. Keep it
    // within 75 columns with a name of 20 where you can; a longer line wraps.
    switch (line.deed) {
        case Deed::OUTPOST: std::snprintf(out, size, _("%s claimed %s: an outpost"), name, sector); return;
        case Deed::SITE_LOST:
            std::snprintf(out, size, _("%s claimed %s, lost to a black hole"), name, sector);
            return;
        case Deed::FOUNDED:
            std::snprintf(out, size, _("%s claimed %s and founded %s"), name, sector, company);
            return;
        case Deed::FOUNDING_SWALLOWED:
            std::snprintf(out, size, _("%s claimed %s; a black hole took new %s"), name, sector, company);
            return;
        case Deed::JOINED:
            std::snprintf(out, size, _("%s claimed %s, which joined %s"), name, sector, company);
            return;
        case Deed::MERGED:
            std::snprintf(out, size, _("%s merged %s into %s"), name, company_name_of(line.absorbed),
                          company);
            return;
        case Deed::SPLIT: std::snprintf(out, size, _("%s split %s two for one"), name, company); return;
        case Deed::SWALLOWED:
            std::snprintf(out, size, _("%s drove %s into a black hole"), name, company);
            return;
        case Deed::BOUGHT:
            std::snprintf(out, size, P_("%s bought %d share of %s", "%s bought %d shares of %s", count), name,
                          line.shares, company);
            return;
        case Deed::SOLD:
            std::snprintf(out, size, P_("%s sold %d share of %s", "%s sold %d shares of %s", count), name,
                          line.shares, company);
            return;
    }
    std::snprintf(out, size, "%s", "?");
}

const char *news_heading(bool moved_before) {
    // TRANSLATORS: the heading of what the computers did, above the list at
    // a person's move prompt: at most 75 columns. R stays R.
    return moved_before ? _("Since your last move (R: the game's record):")
                        : _("Before your first move (R: the game's record):");
}

void format_news_more(char *out, std::size_t size, int lines) {
    // TRANSLATORS: the first line of the list at the move prompt when older
    // lines did not fit: at most 75 columns. R stays R.
    std::snprintf(out, size,
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
    // TRANSLATORS: the record window's last line once its oldest lines gave
    // way: at most 60 columns without the figure.
    std::snprintf(out, size,
                  P_("(%lld earlier line is no longer kept)", "(%lld earlier lines are no longer kept)",
                     static_cast<unsigned long>(lines)),
                  lines);
}
