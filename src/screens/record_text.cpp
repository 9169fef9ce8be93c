// The words of the game's record, all in this one file: a line for each
// deed, the list of what the computers did and the record window's own
// texts. Each is one whole format, with the player's name an argument.
#include "screens/screens.h"

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
    switch (line.deed) {
        case Deed::OUTPOST: std::snprintf(out, size, "%s claimed %s: an outpost", name, sector); return;
        case Deed::SITE_LOST:
            std::snprintf(out, size, "%s claimed %s, lost to a black hole", name, sector);
            return;
        case Deed::FOUNDED:
            std::snprintf(out, size, "%s claimed %s and founded %s", name, sector, company);
            return;
        case Deed::FOUNDING_SWALLOWED:
            std::snprintf(out, size, "%s claimed %s; a black hole took new %s", name, sector, company);
            return;
        case Deed::JOINED:
            std::snprintf(out, size, "%s claimed %s, which joined %s", name, sector, company);
            return;
        case Deed::MERGED:
            std::snprintf(out, size, "%s merged %s into %s", name, company_name_of(line.absorbed), company);
            return;
        case Deed::SPLIT: std::snprintf(out, size, "%s split %s two for one", name, company); return;
        case Deed::SWALLOWED:
            std::snprintf(out, size, "%s drove %s into a black hole", name, company);
            return;
        case Deed::BOUGHT:
            if (line.shares == 1) {
                std::snprintf(out, size, "%s bought 1 share of %s", name, company);
            } else {
                std::snprintf(out, size, "%s bought %d shares of %s", name, line.shares, company);
            }
            return;
        case Deed::SOLD:
            if (line.shares == 1) {
                std::snprintf(out, size, "%s sold 1 share of %s", name, company);
            } else {
                std::snprintf(out, size, "%s sold %d shares of %s", name, line.shares, company);
            }
            return;
    }
    std::snprintf(out, size, "%s", "?");
}

const char *news_heading(bool moved_before) {
    return moved_before ? "Since your last move (R: the game's record):"
                        : "Before your first move (R: the game's record):";
}

void format_news_more(char *out, std::size_t size, int lines) {
    if (lines == 1) {
        std::snprintf(out, size, "%s", "(1 line before these is in the record: R)");
    } else {
        std::snprintf(out, size, "(%d lines before these are in the record: R)", lines);
    }
}

void format_record_title(char *out, std::size_t size, int page, int pages) {
    std::snprintf(out, size, " The game's record: page %d of %d ", page, pages);
}

const char *record_heading() {
    return "Newest first. Sector 5C: row 5 from the top, column C from the left.";
}

const char *record_empty() { return "Nothing yet: no sector has been claimed."; }

void format_record_forgotten(char *out, std::size_t size, long long lines) {
    std::snprintf(out, size, "(%lld earlier lines are no longer kept)", lines);
}

const char *record_next_footer() { return "Press any key for the next page, Escape to close..."; }
