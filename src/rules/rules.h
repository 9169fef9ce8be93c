// The rules of vegatrade as free functions on a Game: a claimed sector and
// everything it sets off, dividends, splits, trades, the offers, the end of
// the game and the players' worth. A move reports what happened, in order,
// as plain data; the screens show that report. Nothing here draws or reads
// a key.
#pragma once

#include <cstdint>

#include "rules/game.h"

// The four neighbours of a sector; there are no diagonals and no wrapping.
enum Direction { NORTH, SOUTH, WEST, EAST };

// What one step of a move did, in the order it happened.
enum class EventKind : std::uint8_t {
    OUTPOST,             // the sector became an outpost
    SITE_LOST,           // a lone sector next to a black hole was lost to it
    FOUNDED,             // `company` was founded; the mover holds its founder's shares
    FOUNDING_SWALLOWED,  // `company` was founded and at once swallowed by a black hole
    GREW,                // `company` took the sector (and any outposts beside it)
    MERGED,              // `absorbed` was merged into `company` and its stock exchanged
    SPLIT,               // `company`'s stock split two-for-one
    SWALLOWED,           // `company` was swallowed by a black hole with every share in it
};

// What one company's price and size, and the mover's holding in it, were
// right after an event; the company is active when `size` is not 0.
struct CompanyStatus {
    int price;
    int size;
    int holding;
};

// What a merger did to one player: the absorbed company's shares exchanged
// for the survivor's, and the bonus paid for them.
struct ShareExchange {
    int old_shares;  // in the absorbed company
    int new_shares;  // of the survivor, for the old ones
    int total;       // the player's holding in the survivor after the exchange
    int bonus;
};

struct Event {
    EventKind kind;
    int company;   // the company the event is about; the survivor of a merger
    int absorbed;  // a merger's absorbed company
    // The sectors this event changed: changes[first_change .. end_change) of the report.
    int first_change;
    int end_change;
    // The companies and the mover's holdings right after the event.
    CompanyStatus companies[NUM_COMPANIES];
    // A merger's exchange, one per player in the game.
    ShareExchange exchange[MAX_PLAYERS];
};

// A sector that took a new symbol.
struct SectorChange {
    std::uint8_t pos;
    char symbol;
};

// Up to three mergers, each with a split, then the claimed sector's own
// outcome and a split or a black hole after it.
constexpr int MAX_EVENTS = 10;
// Each merger relabels at most the whole map, and so does a black hole.
constexpr int MAX_SECTOR_CHANGES = 5 * MAP_CELLS;

// What a move did. Only the first `event_count` events and the first
// `change_count` changes hold anything.
struct MoveReport {
    int pos;
    int event_count;
    int change_count;
    Event events[MAX_EVENTS];
    SectorChange changes[MAX_SECTOR_CHANGES];
};

// galaxy.cpp
void new_game(Game &game);
void generate_galaxy(Game &game, Random random);

// neighbors.cpp
int neighbor_pos(int pos, Direction direction);
int neighbor_symbol(const Game &game, int pos, Direction direction);
bool is_founding_site(const Game &game, int pos);

// offers.cpp
bool is_move_candidate(const Game &game, int pos);
int count_move_candidates(const Game &game);
int draw_offers(const Game &game, Random random, int offers[NUM_MOVES]);

// move.cpp
void do_move(Game &game, int pos, Random random, MoveReport &report);
int next_free_company(const Game &game);

// merge.cpp
int choose_survivor(const Game &game, int a, int b, Random random);
void merge(Game &game, int survivor, int absorbed, MoveReport &report);
int merger_bonus(std::int64_t absorbed_price, int old_shares, std::int64_t held);

// black_hole.cpp
void lose_site(Game &game, int pos, MoveReport &report);
void swallow_company(Game &game, int company, MoveReport &report);

// split.cpp
void split_stock(Game &game, int company, MoveReport &report);

// dividends.cpp
int pay_dividends(Game &game);

// The longest amount, in characters with its sign, that a player may always
// type in the trading dialog: its amount field is never narrower. The ends
// of a trade's range may be typed as n and m whatever their length.
constexpr int TYPED_AMOUNT_LENGTH = 8;

// trade.cpp
void trade_range(const Game &game, int company, int &min, int &max);
void apply_trade(Game &game, int company, int amount);
bool typeable_amount(int amount, int min, int max);

// worth.cpp: worth is computed whole in 64 bits, never stored, so it is
// exact; only sums beyond the 64-bit range (out of play) stop at its ends.
std::int64_t stock_value(const Game &game, int player);
std::int64_t net_worth(const Game &game, int player);
std::int64_t company_worth(const Game &game, int company);
void rank_players(const Game &game, int order[MAX_PLAYERS]);

// end.cpp
int count_occupied(const Game &game);
std::int64_t company_sectors(const Game &game);
bool game_over(const Game &game);
int sectors_remaining(const Game &game);
void end_turn(Game &game);
