// Every screen of the game: the one game being played and the layout's
// windows it is shown in, the colours, the map, the move prompt and the
// announcements of a move, the trading dialog, the standings, the company
// panel and report, the help, the quit question, the keys every prompt
// serves, the computer's pauses, the title screen and the end of the game.
// The rules that decide what the screens show are in src/rules.
#pragma once

#include <curses.h>

#include "computer/strength.h"
#include "rules/record.h"
#include "rules/rules.h"
#include "terminal/messages.h"
#include "terminal/terminal.h"

#include <array>
#include <cstddef>

constexpr const char *VERSION = "1.2.2";
constexpr const char *VERSION_DATE = "29-Mar-1997";

// The three lines of the warranty notice (58, 54 and 54 characters),
// translated where they are shown.
inline constexpr const char *NOTICE_LINES[3] = {
    // TRANSLATORS: the warranty notice, three lines under the title screen
    // and after the version banner: at most 76 columns each.
    N_("This program is free software, and comes with NO WARRANTY."),
    // TRANSLATORS: the notice's second line: at most 76 columns.
    N_("You may share and change it under the MIT License; see"),
    // TRANSLATORS: the notice's last line: at most 76 columns. It names the
    // licence file as the package installs it; keep the path.
    N_("/usr/share/doc/vegatrade/copyright (or /usr/local/...)"),
};

// state.cpp
// The game being played; every screen shows it.
extern Game game;

// The seats the computer plays, by player index, and the strength each of
// them plays at.
extern bool computer_seat[MAX_PLAYERS];
extern Strength computer_strength[MAX_PLAYERS];

// The record of the game being played, filled by the turn loop (claims)
// and the trading dialog (trades).
extern GameRecord game_record;

// The three windows of the main screen.
extern WINDOW *map_window;
extern WINDOW *general_window;
extern WINDOW *coinfo_window;

// A name fits the line editor whole.
static_assert(NAME_SIZE <= LINE_EDITOR_ENTRIES);

// The longest name a player may type, in screen columns.
constexpr int MAX_NAME_LEN = 20;

// Colour pair numbers, in the order init_colors defines them.
enum ColorPair : short {
    PAIR_BLUE = 1,     // company A, general border, title-bar rule, dialog borders
    PAIR_RED = 2,      // company D, quit-window border
    PAIR_GREEN = 3,    // company B
    PAIR_YELLOW = 4,   // company C, stars, title-screen border, quit question
    PAIR_MAGENTA = 5,  // company E
    PAIR_CYAN = 6,     // outposts
    PAIR_WHITE = 7,    // open space, map border
    PAIR_YELLOW_ON_BLUE = 8,
    PAIR_WHITE_ON_BLUE = 9,
    PAIR_BLACK_ON_YELLOW = 10,
    PAIR_BLACK_ON_WHITE = 11,
    PAIR_BLACK_ON_RED = 12,
    PAIR_BLACK_ON_BLUE = 13,
    PAIR_BLACK_ON_GREEN = 14,
};

constexpr attr_t pair_attr(ColorPair pair) { return static_cast<attr_t>(COLOR_PAIR(pair)); }

// The colour attribute of each company's letter and name.
inline constexpr std::array<attr_t, NUM_COMPANIES> company_attr = {
    A_BOLD | pair_attr(PAIR_BLUE), pair_attr(PAIR_GREEN), pair_attr(PAIR_YELLOW), pair_attr(PAIR_RED),
    pair_attr(PAIR_MAGENTA)};

// The attribute of a company's name: its colour, or nothing in monochrome.
attr_t company_name_attr(int company);

// Chooses between a colour and a monochrome attribute by use_color.
inline attr_t scheme_attr(attr_t colour, attr_t mono) { return use_color ? colour : mono; }

// colors.cpp
void init_colors();

// layout.cpp
void general_header(const char *title, int blink);
void redraw_all();
void wait_key(int row);
WINDOW *open_dialog(int rows, int columns, attr_t border, const char *failure);
int wait_dialog_key(WINDOW *dialog);
void delete_dialog(WINDOW *dialog);
void close_dialog(WINDOW *dialog);
void format_cash_title(char *title, std::size_t size, const Player &player);

// One column of a table of figures under a header (the standings, the
// company panel and report, a merger's stock table). The caller gives the
// column as the table stands at figures that fit, and its widest figure;
// lay_out_columns gives it its place.
struct TableColumn {
    int nominal;  // columns from its start to the next column's start (the last: to the table's end)
    int room;     // columns its figures may take before the next column must move
    int least;    // the fewest columns from its start to the next column's that its header needs
    int width;    // columns its widest figure takes
    int start;    // where it starts (set by lay_out_columns)
};
constexpr int MAX_TABLE_COLUMNS = 8;
int lay_out_columns(TableColumn columns[], int count, int first, int limit);

// A column's header word: its English message, translated where it is
// shown, and where it stands from its column's start.
struct HeaderWord {
    const char *word;
    int offset;
};
void fit_header_words(TableColumn columns[], const HeaderWord words[], int count);
void draw_table_header(WINDOW *window, int row, int left, int end, chtype fill, attr_t attr,
                       const TableColumn columns[], const HeaderWord words[], int count);

// title_screen.cpp
void setup_players();

// Where a sector's symbol stands in the map window.
constexpr int sector_row(int pos) { return pos / map_width + 1; }
constexpr int sector_column(int pos) { return (pos % map_width) * 3 + 2; }

// map.cpp
attr_t sector_attr(int symbol);
void draw_map();
void draw_sector(int pos, int symbol);

// move_prompt.cpp
void mark_offers(const int offers[NUM_MOVES], int count);
int get_move(const int offers[NUM_MOVES], int offer_count);

// move_news.cpp
void show_move(const MoveReport &report);
void announce_new_company(int company);

// merger_news.cpp
void announce_merger(int survivor, int absorbed);
void show_stock_exchange(const Event &merger);

// black_hole_news.cpp
void announce_lost_site();
void announce_swallowed_company(const Event &event);

// split_news.cpp
void announce_split(const Event &split);

// trading.cpp
void trade_stock();

// standings.cpp
// The final standings take Ctrl-L as a repaint, as announcements do.
void show_standings(const char *title, bool final = false);

// company_panel.cpp
void show_coinfo();
void show_panel(const CompanyStatus companies[NUM_COMPANIES]);

// company_report.cpp
void more_coinfo();

// help.cpp
enum class HelpFrom { MOVE_PROMPT, TRADING };
void show_help(HelpFrom from);

// pager.cpp
// A window shown a page at a time, over the main screen: `draw` writes page
// `number` (from 1) inside the frame that show_pages draws (border, title,
// footer).
struct PagedWindow {
    int rows;
    int columns;
    const char *failure;  // the fatal message when the window cannot be made
    void (*title)(char *out, std::size_t size, int number, int count);
    int page_count;
    void (*draw)(WINDOW *window, int number, const void *context);
    const void *context;
};
void show_pages(const PagedWindow &paged);

// record_text.cpp: every text of the game's record.
void format_record_line(char *out, std::size_t size, const RecordLine &line);
const char *news_heading(bool moved_before);
void format_news_more(char *out, std::size_t size, int lines);
void format_record_title(char *out, std::size_t size, int page, int pages);
const char *record_heading();
const char *record_empty();
void format_record_forgotten(char *out, std::size_t size, long long lines);

// record_window.cpp
// Whether any seat is the computer's: only then is the record shown.
bool any_computer_seat();
// The rows a text takes written from a column within `width` columns: it
// breaks before a blank where it must, each further row indented by two.
int wrapped_rows(const char *text, int width);
void put_wrapped(WINDOW *window, int row, int column, int width, const char *text, attr_t attr = A_NORMAL);
void show_record();

// computer_news.cpp
// At a person's move prompt in a game with computer seats: what each
// computer did since that person's last move, in the general window's rows
// below the prompt.
void show_computer_news();

// quit_question.cpp
void confirm_quit();
[[noreturn]] void quit_before_game();

// computer_pause.cpp
// How long each step of a computer's turn stays on the screen at least, and
// an announcement when nobody at the terminal plays.
constexpr int OFFERS_PAUSE_MS = 1000;
constexpr int STEP_PAUSE_MS = 400;
constexpr int ANNOUNCEMENT_PAUSE_MS = 1500;
void computer_pause(int milliseconds, HelpFrom from = HelpFrom::MOVE_PROMPT);
bool every_seat_computer();

// hotkeys.cpp
// What a key did at the move prompt or in the trading dialog.
enum class Hotkey {
    NONE,       // not one of the keys both take
    REPAINTED,  // Ctrl-L repainted the screen
    SHOWN,      // a window (standings, company report, quit question) came and went
};
Hotkey serve_hotkey(int key, HelpFrom from);

// shutdown.cpp
const char *version_banner();
void shutdown();
void close_game();
