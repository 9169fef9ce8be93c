// Every screen of the game: the layout's windows, the colours, the map, the
// move prompt and the announcements of a move, the trading dialog, the
// standings, the company panel and report, the help, the quit question, the
// keys every prompt serves and the end of the game. Each is passed the game
// it shows or changes, which the game's flow owns. The title screen and the
// computer's seat are declared in screens/seats.h. The rules that decide
// what the screens show are in src/rules.
#pragma once

#include <curses.h>

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

// What the screens keep and show beside the game being played: the record
// of every turn, filled by the turn loop (claims) and the trading dialog
// (trades), and which seats the computer plays. The game's flow owns it
// with the game.
struct Table {
    GameRecord record;
    bool computer[MAX_PLAYERS];  // by player index
};

// state.cpp: what stays global in the screens, each for its reason.
// The map's window; global, as curses' screen is: a repaint or an exit reaches it from anywhere.
extern WINDOW *map_window;
// The general window (prompts, trading, announcements); global, as the map's window is.
extern WINDOW *general_window;
// The company panel's window; global, as the map's window is.
extern WINDOW *coinfo_window;
// Every seat the computer's, so announcements go on by themselves; global: each one's pause reads it.
extern bool every_seat_computer;

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

// Where a sector's symbol stands in the map window.
constexpr int sector_row(int pos) { return pos / map_width + 1; }
constexpr int sector_column(int pos) { return (pos % map_width) * 3 + 2; }

// map.cpp
attr_t sector_attr(int symbol);
void draw_map(const Game &game);
void draw_sector(int pos, int symbol);

// move_prompt.cpp
// The offers marked with their digits on the map, and taken off again.
void mark_offers(const int offers[NUM_MOVES], int count);
void clear_offers(const int offers[NUM_MOVES], int count);
// The prompt under the mover's name and cash, and the company panel for the
// mover; returns the column after the prompt, where the digit stands.
int show_move_prompt(const Game &game, int offer_count);
// A person's move: the offers marked, the prompt, and the digit typed,
// the hotkeys served meanwhile; returns the index of the offer chosen.
int get_move(const Game &game, const Table &table, const int offers[NUM_MOVES], int offer_count);

// move_news.cpp
void show_move(const Game &game, const MoveReport &report);
void announce_new_company(const Game &game, int company);

// merger_news.cpp
void announce_merger(const Game &game, int survivor, int absorbed);
void show_stock_exchange(const Game &game, const Event &merger);

// black_hole_news.cpp
void announce_lost_site();
void announce_swallowed_company(const Game &game, const Event &event);

// split_news.cpp
void announce_split(const Game &game, const Event &split);

// trading.cpp
// The trading dialog on the general window: the active companies listed
// under the mover's name and cash, one of them selected.
struct TradingDialog {
    const Game *game;  // the game it shows
    int active[NUM_COMPANIES];
    int count;
    int selected;
};
// The amount prompt on the selected company's row, and its bounds.
struct AmountPrompt {
    int company;
    int row;
    int min = 0;
    int max = 0;
    int field_column;  // where the amount is typed
    int field;         // the columns the amount may take
    int used;          // the columns the prompt and the amount take
};
// Opens the dialog, the first company selected; false, with nothing drawn,
// when no company is active.
bool open_trading(const Game &game, TradingDialog &dialog);
void move_selection(TradingDialog &dialog, int step);
void put_cursor_back(const TradingDialog &dialog);
AmountPrompt show_amount_prompt(const TradingDialog &dialog);
void type_amount(const AmountPrompt &prompt, int amount);
void finish_trade(const TradingDialog &dialog, const AmountPrompt &prompt, int amount);
// A person's trades, each kept in the table's record, until Escape.
void trade_stock(Game &game, Table &table);

// standings.cpp
// The standings of `game`. Given the game's record they are the final
// standings: they name the winner, open the record (R) and the chart (G)
// over themselves, and take Ctrl-L as a repaint, as announcements do; any
// other key closes them.
void show_standings(const Game &game, const char *title, const GameRecord *final_record = nullptr);
// The line under the final standings that names the winner (or the tied
// winners) and by how much, within `room` columns where it can be.
void format_winner_line(char *out, std::size_t size, int room, const Game &played);

// company_panel.cpp
// The company panel: each active company's price and the mover's holdings.
void show_coinfo(const Game &game);
void show_panel(const Game &game, const CompanyStatus companies[NUM_COMPANIES]);

// company_report.cpp
// The detailed company report: each active company's price, size and worth.
void more_coinfo(const Game &game);

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
void format_record_line(const Game &game, char *out, std::size_t size, const RecordLine &line);
const char *news_heading(bool moved_before);
// A computer's turn in brief, on one line: its claim and what became of it,
// what that set off and its trades; the turn is the record's lines `first`
// to `end` - 1.
void format_turn_brief(char *out, std::size_t size, const GameRecord &record, int first, int end,
                       const Game &played);
void format_news_more(char *out, std::size_t size, int turns);
void format_record_title(char *out, std::size_t size, int page, int pages);
const char *record_heading();
const char *record_empty();
void format_record_forgotten(char *out, std::size_t size, long long lines);

// record_window.cpp
// Whether any seat is the computer's: only then is the record shown.
bool any_computer_seat(const Table &table);
// The rows a text takes written from a column within `width` columns: it
// breaks before a blank where it must, each further row indented by two.
int wrapped_rows(const char *text, int width);
void put_wrapped(WINDOW *window, int row, int column, int width, const char *text, attr_t attr = A_NORMAL);
void show_record(const Game &game, const GameRecord &record);

// worth_chart.cpp
// The chart of every player's net worth by turn, on a page of a paged
// window, and alone in a window of its own.
void draw_chart_page(WINDOW *window, const Game &played, const GameRecord &record);
void show_worth_chart(const Game &played, const GameRecord &record);

// computer_news.cpp
// At a person's move prompt in a game with computer seats: what each
// computer did since that person's last move, in the general window's rows
// below the prompt.
void show_computer_news(const Game &game, const Table &table);

// quit_question.cpp
void confirm_quit(const Game &game, const GameRecord &record);
[[noreturn]] void quit_before_game();

// How long each step of a computer's turn stays on the screen at least, and
// an announcement when nobody at the terminal plays.
constexpr int OFFERS_PAUSE_MS = 1000;
constexpr int STEP_PAUSE_MS = 400;
constexpr int ANNOUNCEMENT_PAUSE_MS = 1500;

// hotkeys.cpp
// What a key did at the move prompt or in the trading dialog.
enum class Hotkey {
    NONE,       // not one of the keys both take
    REPAINTED,  // Ctrl-L repainted the screen
    SHOWN,      // a window (standings, company report, quit question) came and went
};
// The windows they open show `game` and the table's record.
Hotkey serve_hotkey(int key, HelpFrom from, const Game &game, const Table &table);

// shutdown.cpp
const char *version_banner();
void shutdown(const Game &game, const GameRecord &record);
void close_game();
