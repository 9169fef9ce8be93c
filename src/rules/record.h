// The record of a game: every turn in order, who moved, the sector claimed
// and what it became, the mergers, splits and black holes the claim set off,
// and each trade of the turn. A plain value beside the game, filled from what
// the rules report (a move's report, the trades made); the screens show it.
// No curses, no text: the screens word each line.
#pragma once

#include <cstdint>

#include "rules/rules.h"

// What one line of the record tells.
enum class Deed : std::uint8_t {
    OUTPOST,             // the claimed sector became an outpost
    SITE_LOST,           // the claimed sector was lost to a black hole
    FOUNDED,             // the claim founded `company`
    FOUNDING_SWALLOWED,  // the claim founded `company`, at once swallowed by a black hole
    JOINED,              // the claimed sector joined `company`
    MERGED,              // the claim merged `absorbed` into `company`
    SPLIT,               // the claim split `company`'s stock two for one
    SWALLOWED,           // the claim drove `company` into a black hole
    BOUGHT,              // the mover bought `shares` of `company`
    SOLD,                // the mover sold `shares` of `company`
};

struct RecordLine {
    int turn;  // the turn it belongs to, counted from 1
    Deed deed;
    std::int8_t player;    // the mover
    std::uint8_t pos;      // the claimed sector (on every line of a turn)
    std::int8_t company;   // the company it is about, or -1
    std::int8_t absorbed;  // a merger's absorbed company, or -1
    int shares;            // a trade's shares, always positive
};

// A turn writes its claim's line, at most MAX_EVENTS lines of what the claim
// set off, and a line per trade: the computer makes at most two trades per
// company. The record keeps as many lines as turns that fill every sector of
// the map would write. A lost site leaves the map as it was and a person may
// trade as often as they like, so a game has no hard bound on its lines:
// once the record is full, each new line takes the place of the oldest.
constexpr int RECORD_LINES_PER_TURN = 1 + MAX_EVENTS + 2 * NUM_COMPANIES;
constexpr int RECORD_CAPACITY = MAP_CELLS * RECORD_LINES_PER_TURN;

// Every player's net worth after each turn, for the chart of the game: a
// point per turn, each player's worth exact, and whether a merger came in
// it. Before the first turn every player has the starting cash. Lost sites
// and swallowed companies give sectors back to open space, so a game's
// turns have no hard bound, though a game of twice as many turns as the
// map has sectors is beyond any seen: should the points fill, every second
// one gives way (the points then stand two turns apart, then four, ...),
// so the whole game is always drawn.
constexpr int WORTH_POINTS = 4 * MAP_CELLS;

struct WorthPoint {
    int turn;     // the turn after which the worths were taken
    bool merger;  // a merger came in this turn (or, once points give way, since the point before)
    std::int64_t worth[MAX_PLAYERS];
};

struct GameRecord {
    RecordLine lines[RECORD_CAPACITY];  // a ring: `count` lines from `oldest`
    int oldest;
    int count;
    int turns;                        // the turns recorded so far
    long long forgotten;              // the oldest lines that gave way to newer ones
    WorthPoint points[WORTH_POINTS];  // oldest first
    int point_count;
    int point_step;  // the turns between points kept: 1, or a power of two once points gave way
};

// An empty record, for a new game.
void clear_record(GameRecord &record);

// Starts the current player's turn with what their claim did: the claim's
// own line, then a line for each merger, split and black hole, in the order
// the move report gives them; and every player's worth after it.
void record_claim(GameRecord &record, const Game &game, const MoveReport &report);

// A trade of the current player in the turn recorded last; a trade of no
// shares is not recorded. The worths after the turn are taken again.
void record_trade(GameRecord &record, const Game &game, int company, int amount);

// The lines kept, oldest first: index 0 to record.count - 1.
const RecordLine &record_line(const GameRecord &record, int index);

// The worth points kept, oldest first: index 0 to record.point_count - 1.
const WorthPoint &worth_point(const GameRecord &record, int index);
