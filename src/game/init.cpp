// Creating the game state: screen size, the galaxy, companies, players and
// the three windows of the main screen.
#include "game/game.h"
#include "ui/ui.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char *COMPANY_NAMES[NUM_COMPANIES] = {
    "Altair Starways", "Beetlejuice, Ltd.", "Capella Freight Co.", "Denebola Shippers", "Eridani Expediters",
};

void init_companies() {
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        std::snprintf(companies[i].name, sizeof companies[i].name, "%s", COMPANY_NAMES[i]);
        companies[i].price = 0;
        companies[i].size = 0;
    }
}

void init_players() {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        Player &player = players[i];
        player.name[0] = '\0';
        for (int &holding : player.holdings) holding = 0;
        player.stock_value = 0;
        player.cash = STARTING_CASH;
    }
}

// The three windows of the main screen: map and company panel side by side
// under the title bar, the general window below them. The sizes are formed
// in 64 bits: a layout size near INT_MIN must not wrap to a valid one.
void create_windows() {
    const std::int64_t lines = screen_lines;
    const std::int64_t columns = screen_cols;
    map_window = create_window(map_height + 2, map_width * 3 + 2, 1, 1, "vegatrade: can't create map window\n");
    general_window = create_window(clamp_int(lines - map_height - 4), clamp_int(columns - 2), map_height + 3, 1,
                                   "vegatrade: can't create general window\n");
    coinfo_window = create_window(map_height + 2, clamp_int(columns - map_width * 3 - 4), 1, map_width * 3 + 3,
                                  "vegatrade: can't create coinfo window\n");
}

}  // namespace

// The layout size: LINES and COLUMNS from the environment when both are
// set, else 25 rows by 80 columns. The terminal's own size is not used.
void read_screen_size() {
    const char *lines = std::getenv("LINES");
    const char *columns = lines != nullptr ? std::getenv("COLUMNS") : nullptr;
    if (lines != nullptr && columns != nullptr) {
        screen_lines = parse_int(lines);
        screen_cols = parse_int(columns);
    } else {
        screen_lines = 25;
        screen_cols = 80;
    }
}

// Draws every sector, column by column, one rand() % 60 each: a black hole
// for 0, a star for 1 to 3, open space otherwise.
void generate_galaxy() {
    for (int column = 0; column < map_width; ++column) {
        for (int row = 0; row < map_height; ++row) {
            const int value = std::rand() % 60;
            char &sector = galaxy[row * map_width + column];
            if (value == 0) {
                sector = SECTOR_BLACK_HOLE;
            } else if (value <= 3) {
                sector = SECTOR_STAR;
            } else {
                sector = SECTOR_EMPTY;
            }
        }
    }
}

// Builds the whole game state once; any failure ends the program.
void init_game() {
    read_screen_size();
    const auto cells = static_cast<std::size_t>(map_width * map_height);
    galaxy = static_cast<char *>(std::malloc(cells));
    if (galaxy == nullptr) fatal("vegatrade: error mallocing space for map\n");
    companies = static_cast<Company *>(std::calloc(NUM_COMPANIES, sizeof(Company)));
    if (companies == nullptr) fatal("vegatrade: error mallocing space for companies\n");
    players = static_cast<Player *>(std::calloc(MAX_PLAYERS, sizeof(Player)));
    if (players == nullptr) fatal("vegatrade: error mallocing space for players\n");
    generate_galaxy();
    init_companies();
    init_players();
    create_windows();
    require_layout_fits();
    keypad(stdscr, TRUE);
    keypad(general_window, TRUE);
}
