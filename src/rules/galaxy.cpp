// A new game: the companies and players at their starting values, and a
// random galaxy. (Rules; src/flow/init.cpp makes the game being played.)
#include <cstdio>
#include <cstdlib>

#include "rules/rules.h"

namespace {

constexpr const char *COMPANY_NAMES[NUM_COMPANIES] = {
    "Altair Starways", "Beetlejuice, Ltd.", "Capella Freight Co.", "Denebola Shippers", "Eridani Expediters",
};

}  // namespace

// Every company named and inactive, every player record (the number of
// players is not known yet) nameless with the starting cash.
void new_game(Game &game) {
    game = Game{};
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        Company &company = game.companies[i];
        std::snprintf(company.name, sizeof company.name, "%s", COMPANY_NAMES[i]);
    }
    for (Player &player : game.players) player.cash = STARTING_CASH;
    for (char &sector : game.galaxy) sector = SECTOR_EMPTY;
}

// Draws every sector, column by column, one value % 60 each: a black hole
// for 0, a star for 1 to 3, open space otherwise.
void generate_galaxy(Game &game, Random random) {
    for (int column = 0; column < map_width; ++column) {
        for (int row = 0; row < map_height; ++row) {
            const int value = random.next() % 60;
            char &sector = game.galaxy[row * map_width + column];
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
