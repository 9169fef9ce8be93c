// The words of the game's record: a line for each deed, the sector named by
// its row and column, and every line within the general window's width
// with the longest name a player may have and the longest company names.
#include <cstdio>
#include <string>

#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"

namespace {

using RecordTextTest = headless::CursesTest;
using map_fixture::at;

std::string line_text(const Game &game, const RecordLine &line) {
    char text[4 * NAME_SIZE];
    format_record_line(game, text, sizeof text, line);
    return text;
}

RecordLine line(Deed deed, int pos, int company, int absorbed = -1, int shares = 0) {
    return RecordLine{1,
                      deed,
                      1,
                      static_cast<std::uint8_t>(pos),
                      static_cast<std::int8_t>(company),
                      static_cast<std::int8_t>(absorbed),
                      shares};
}

TEST_F(RecordTextTest, EachDeedHasItsLine) {
    std::snprintf(game.players[1].name, NAME_SIZE, "Deneb (strong)");
    const struct {
        RecordLine line;
        const char *text;
    } cases[] = {
        {line(Deed::OUTPOST, at(0, 0), -1), "Deneb (strong) claimed 1A: an outpost"},
        {line(Deed::SITE_LOST, at(9, 11), -1), "Deneb (strong) claimed 10L, lost to a black hole"},
        {line(Deed::FOUNDED, at(4, 2), 2), "Deneb (strong) claimed 5C and founded Capella Freight Co."},
        {line(Deed::FOUNDING_SWALLOWED, at(4, 2), 0),
         "Deneb (strong) claimed 5C; a black hole took new Altair Starways"},
        {line(Deed::JOINED, at(2, 7), 4), "Deneb (strong) claimed 3H, which joined Eridani Expediters"},
        {line(Deed::MERGED, at(2, 7), 1, 3),
         "Deneb (strong) merged Denebola Shippers into Beetlejuice, Ltd."},
        {line(Deed::SPLIT, at(2, 7), 1), "Deneb (strong) split Beetlejuice, Ltd. two for one"},
        {line(Deed::SWALLOWED, at(2, 7), 1), "Deneb (strong) drove Beetlejuice, Ltd. into a black hole"},
        {line(Deed::BOUGHT, at(2, 7), 0, -1, 1), "Deneb (strong) bought 1 share of Altair Starways"},
        {line(Deed::BOUGHT, at(2, 7), 0, -1, 25), "Deneb (strong) bought 25 shares of Altair Starways"},
        {line(Deed::SOLD, at(2, 7), 0, -1, 1), "Deneb (strong) sold 1 share of Altair Starways"},
        {line(Deed::SOLD, at(2, 7), 0, -1, 2147483647),
         "Deneb (strong) sold 2147483647 shares of Altair Starways"},
    };
    for (const auto &c : cases) EXPECT_EQ(line_text(game, c.line), c.text);
}

// With a 20-column name, the widest sector, the widest amount and the two
// longest company names, every line fits the 75 columns of the general
// window's rows after their margin, and of the record window's.
TEST_F(RecordTextTest, EveryLineFitsTheWindowsAtItsWidest) {
    std::snprintf(game.players[1].name, NAME_SIZE, "Twenty Characters!!!");
    int longest = 0;
    int second = 0;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const int width = text_width(game.companies[i].name);
        if (width > text_width(game.companies[longest].name)) longest = i;
    }
    second = longest == 0 ? 1 : 0;
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        if (i != longest && text_width(game.companies[i].name) > text_width(game.companies[second].name))
            second = i;
    }
    constexpr Deed deeds[] = {Deed::OUTPOST, Deed::SITE_LOST, Deed::FOUNDED, Deed::FOUNDING_SWALLOWED,
                              Deed::JOINED,  Deed::MERGED,    Deed::SPLIT,   Deed::SWALLOWED,
                              Deed::BOUGHT,  Deed::SOLD};
    const int width = getmaxx(general_window) - 3;
    EXPECT_EQ(width, 75);
    for (const Deed deed : deeds) {
        const std::string text = line_text(game, line(deed, at(9, 11), longest, second, 2147483647));
        EXPECT_LE(text_width(text.c_str()), width) << text;
    }
}

}  // namespace
