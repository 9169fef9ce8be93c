// The words of the game's record, all in this one file: a line for each
// deed, the list of what the computers did and the record window's own
// texts. Each is one whole format, with the player's name an argument. A
// line of the record wraps where it is wider than its window, so only the
// headings and titles have a room that a translation must keep to.
#include "screens/screens.h"
#include "terminal/messages.h"

#include <cstdio>
#include <cstring>

namespace {

// A sector by its row, counted from 1 at the top, and its column, lettered
// from A at the left: "5C".
void format_sector(char *out, std::size_t size, int pos) {
    std::snprintf(out, size, "%d%c", pos / map_width + 1, static_cast<char>('A' + pos % map_width));
}

const char *company_name_of(const Game &game, int company) {
    return company >= 0 && company < NUM_COMPANIES ? game.companies[company].name : "?";
}

}  // namespace

void format_record_line(const Game &game, char *out, std::size_t size, const RecordLine &line) {
    const char *name = line.player >= 0 && line.player < MAX_PLAYERS ? game.players[line.player].name : "?";
    char sector[8];
    format_sector(sector, sizeof sector, line.pos);
    const char *company = company_name_of(game, line.company);
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
            std::snprintf(out, size, _("%s merged %s into %s"), name, company_name_of(game, line.absorbed),
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

namespace {

// A company's name in brief: its first word, without the comma or stop
// after it ("Beetlejuice" for "Beetlejuice, Ltd.").
void short_company_name(char *out, std::size_t size, const Game &played, int company) {
    const char *name = company >= 0 && company < NUM_COMPANIES ? played.companies[company].name : "?";
    std::size_t length = std::strcspn(name, " ");
    while (length > 1 && (name[length - 1] == ',' || name[length - 1] == '.')) --length;
    std::snprintf(out, size, "%.*s", static_cast<int>(length), name);
}

// Adds `piece` to `out` after what it holds: the first trade after the
// claim, or a further piece of a list.
void join_piece(char *out, std::size_t size, bool first_trade, const char *piece) {
    char before[8 * NAME_SIZE];
    std::snprintf(before, sizeof before, "%s", out);
    if (first_trade) {
        // TRANSLATORS: joins a computer's claim and its first trade in the
        // list at the move prompt.
        std::snprintf(out, size, _("%s; %s"), before, piece);
    } else {
        // TRANSLATORS: joins the pieces of a computer's turn in the list at
        // the move prompt: what its claim set off, one trade after another.
        std::snprintf(out, size, _("%s, %s"), before, piece);
    }
}

// The claim of a computer's turn in brief: the computer's name, the sector
// and what became of it, or the merger it made.
void format_claim_brief(char *out, std::size_t size, const char *name, const char *sector, Deed deed,
                        const char *company, const char *absorbed) {
    switch (deed) {
        case Deed::MERGED:
            // TRANSLATORS: the list at a person's move prompt tells each
            // computer's turn on one line, its claim first: the computer's
            // name, the sector (its row and column, as "5C") and companies'
            // names in brief (their first word). A line too long for the
            // window wraps. Here the claim merged the first company into the
            // second.
            std::snprintf(out, size, _("%s %s merged %s into %s"), name, sector, absorbed, company);
            return;
        case Deed::OUTPOST:
            // TRANSLATORS: a computer's claim that became an outpost.
            std::snprintf(out, size, _("%s %s: an outpost"), name, sector);
            return;
        case Deed::SITE_LOST:
            // TRANSLATORS: a computer's claim lost to a black hole.
            std::snprintf(out, size, _("%s %s: lost to a black hole"), name, sector);
            return;
        case Deed::FOUNDED:
            // TRANSLATORS: a computer's claim that founded a company.
            std::snprintf(out, size, _("%s %s founded %s"), name, sector, company);
            return;
        case Deed::FOUNDING_SWALLOWED:
            // TRANSLATORS: a computer's claim that founded a company a black
            // hole took at once.
            std::snprintf(out, size, _("%s %s: new %s lost to a black hole"), name, sector, company);
            return;
        default:
            // TRANSLATORS: a computer's claim that joined a company.
            std::snprintf(out, size, _("%s %s joined %s"), name, sector, company);
            return;
    }
}

// A further deed of a computer's turn in brief, after its claim; false for
// a deed that is not told there.
bool format_deed_brief(char *out, std::size_t size, const RecordLine &line, const char *company,
                       const char *absorbed) {
    const auto count = static_cast<unsigned long>(line.shares > 0 ? line.shares : 0);
    switch (line.deed) {
        case Deed::MERGED:
            // TRANSLATORS: a further merger of a computer's claim, in the list
            // at the move prompt: the absorbed company and the survivor.
            std::snprintf(out, size, _("merged %s into %s"), absorbed, company);
            return true;
        case Deed::SPLIT:
            // TRANSLATORS: a split a computer's claim set off, in the list at
            // the move prompt: the company.
            std::snprintf(out, size, _("split %s"), company);
            return true;
        case Deed::SWALLOWED:
            // TRANSLATORS: a company a computer's claim drove into a black
            // hole, in the list at the move prompt.
            std::snprintf(out, size, _("%s lost to a black hole"), company);
            return true;
        case Deed::BOUGHT:
            // TRANSLATORS: a computer's trade in the list at the move
            // prompt: the shares and the company's name in brief.
            std::snprintf(out, size, P_("bought %d %s", "bought %d %s", count), line.shares, company);
            return true;
        case Deed::SOLD:
            // TRANSLATORS: a computer's trade in the list at the move
            // prompt: the shares and the company's name in brief.
            std::snprintf(out, size, P_("sold %d %s", "sold %d %s", count), line.shares, company);
            return true;
        default: return false;
    }
}

}  // namespace

void format_turn_brief(char *out, std::size_t size, const GameRecord &record, int first, int end,
                       const Game &played) {
    const RecordLine &claim = record_line(record, first);
    const char *name =
        claim.player >= 0 && claim.player < MAX_PLAYERS ? played.players[claim.player].name : "?";
    char sector[8];
    format_sector(sector, sizeof sector, claim.pos);
    // A merger tells what the claim did better than the sector it joined.
    int merger = -1;
    for (int index = first; index < end && merger < 0; ++index) {
        if (record_line(record, index).deed == Deed::MERGED) merger = index;
    }
    const RecordLine &head = record_line(record, merger >= 0 ? merger : first);
    char company[NAME_SIZE];
    char absorbed[NAME_SIZE];
    short_company_name(company, sizeof company, played, head.company);
    short_company_name(absorbed, sizeof absorbed, played, head.absorbed);
    format_claim_brief(out, size, name, sector, head.deed, company, absorbed);

    bool traded = false;
    char piece[2 * NAME_SIZE];
    for (int index = first + 1; index < end; ++index) {
        const RecordLine &line = record_line(record, index);
        if (index == merger) continue;
        short_company_name(company, sizeof company, played, line.company);
        short_company_name(absorbed, sizeof absorbed, played, line.absorbed);
        if (!format_deed_brief(piece, sizeof piece, line, company, absorbed)) continue;
        const bool trade = line.deed == Deed::BOUGHT || line.deed == Deed::SOLD;
        join_piece(out, size, trade && !traded, piece);
        traded = traded || trade;
    }
}

void format_news_more(char *out, std::size_t size, int turns) {
    std::snprintf(out, size,
                  // TRANSLATORS: the first line of the list at the move prompt
                  // when the computers' older turns did not fit: at most 75
                  // columns. R stays R.
                  P_("(%d turn before these is in the record: R)",
                     "(%d turns before these are in the record: R)", static_cast<unsigned long>(turns)),
                  turns);
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
