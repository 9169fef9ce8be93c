// The one reader of the game's screens for every test that plays through
// the terminal (the drivers, the bot, the reliability tests): which screen
// waits for a key, whose turn it is and their cash, the offers on the map,
// the amount prompt's range, what an announcement tells. Each screen is
// known by what is least likely to change: a window's title, a prompt's
// shape; each such text stands once, in screen_reader.cpp.
//
//   if (e2e::screen_of(t) == e2e::Screen::Move) t.type(std::to_string(e2e::offers_on_map(t)[0].digit));
//
// It reads the English screens. Readers see the screen as of the terminal's
// last pump; wait for the game to ask for a key first, so it is complete.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/terminal.h"

namespace e2e {

// Screen places of the default layout.
inline constexpr int MAP_TOP = 1;       // map window's top border row
inline constexpr int GENERAL_TOP = 13;  // general window's top border row
inline constexpr int PROMPT_ROW = 15;   // the move prompt's row
inline constexpr int PANEL_LEFT = 39;   // company panel's first column

// The map: 12 columns of sectors by 10 rows; a sector's pos is row * 12 + column.
inline constexpr int MAP_COLUMNS = 12;
inline constexpr int MAP_ROWS = 10;
inline constexpr int MAP_SECTORS = MAP_COLUMNS * MAP_ROWS;

// The screen cell of a sector at map row r, column c.
inline Position sector_cell(int r, int c) { return {MAP_TOP + 1 + r, 1 + c * 3 + 2}; }

// The screen that waits for a key, the topmost where windows overlap.
enum class Screen {
    Unknown,
    Number,        // the number of players
    Name,          // a player's name in the line editor
    Move,          // the move prompt
    Trade,         // the trading dialog's list of companies
    Amount,        // the trading dialog's amount prompt
    Announcement,  // news of a move in the general window, or a merger's stock table
    Standings,     // the current standings
    Report,        // the detailed company report
    Help,          // a page of the help
    Record,        // a page of the game's record
    Quit,          // the quit question
    Final,         // the final standings
};

// A screen's name for messages and test names: "move prompt", "trading list", ...
const char *screen_name(Screen screen);
std::ostream &operator<<(std::ostream &os, Screen screen);

Screen screen_of(const Terminal &t);

// Waits until screen_of(t) is `screen`.
::testing::AssertionResult wait_for_screen(Terminal &t, Screen screen, Millis timeout = kDefaultTimeout);

// Whether the move prompt is up (and nothing over it).
bool at_move_prompt(const Terminal &t);

// What an announcement tells.
enum class News {
    None,               // no announcement stands
    Founding,           // a new company
    Merger,             // one company merged into another
    StockTransactions,  // the merger's stock table
    Split,              // a company's stock split
    LostSite,           // a lone sector lost to a black hole
    LostFounding,       // a company lost to a black hole as it was founded
    CompanyLost,        // an existing company lost to a black hole
    Other,              // an announcement of no kind above
};

// A kind's name for tallies and messages: "new company", "merger", ...
const char *news_name(News news);

struct Announcement {
    News kind = News::None;
    std::string company;  // the company it names: the new, split or lost one, the absorbed one
    std::string into;     // a merger's survivor
    int title_row = -1;   // the screen row of the general window's title
};

// The announcement that stands, if any.
Announcement announcement_of(const Terminal &t);

// Whose turn it is: the name and cash in the general window's title.
struct Turn {
    std::string player;
    long long cash = 0;
    int row = -1;  // the title's screen row
};
std::optional<Turn> turn_of(const Terminal &t);

// The move prompt: whose it is, how many offers it names ([1-k]), and what
// follows it (the digit a computer typed).
struct MovePrompt {
    std::string player;
    int offers = 0;
    std::string typed;
    int row = -1;
};
std::optional<MovePrompt> move_prompt_of(const Terminal &t);

// The map's symbols by pos, an offer's digit (1 to 5) as the open space
// under it ('?' for a cell that holds no one symbol).
std::string map_of(const Terminal &t);

// A digit on the map: the offer it marks and its sector.
struct Offer {
    int digit = 0;
    int pos = 0;
    bool marked = false;  // drawn in reverse video, as offers are
};
// Every digit 1 to 9 on the map, in map order.
std::vector<Offer> offers_on_map(const Terminal &t);

// The trading dialog's amount prompt: its range and where it stands.
struct AmountPrompt {
    long long min = 0;
    long long max = 0;
    int row = -1;
    int column = -1;       // where the prompt's text begins
    int echo_column = -1;  // where the typed amount begins
};
std::optional<AmountPrompt> amount_prompt_of(const Terminal &t);

// Whether the company panel lists a company.
bool any_company_active(const Terminal &t);

// The companies the trading dialog lists, in order.
std::vector<std::string> trading_list_of(const Terminal &t);

// One company row of the panel.
struct PanelRow {
    std::string name;
    long long price = 0;
    long long holding = 0;
    int row = -1;
};
// The panel's companies; nullopt when a row reads as none (the text of the
// row that failed is put in `unread`).
std::optional<std::vector<PanelRow>> panel_of(const Terminal &t, std::string *unread = nullptr);

// The number (1 to 4) of the player whose name the title screen asks for, or 0.
int name_prompt_of(const Terminal &t);
// Waits until the title screen asks for the name of player `player`.
::testing::AssertionResult wait_for_name_prompt(Terminal &t, int player, Millis timeout = kDefaultTimeout);

}  // namespace e2e
