// Galaxy and moves on the screen: the map, the move offers and the move
// prompt, and the announcements of what a move did (the rules that decide
// it are in src/rules).
#pragma once

#include "game/state.h"
#include "rules/rules.h"

// Where a sector's symbol stands in the map window.
constexpr int sector_row(int pos) { return pos / map_width + 1; }
constexpr int sector_column(int pos) { return (pos % map_width) * 3 + 2; }

// map.cpp
attr_t sector_attr(int symbol);
void draw_map();
void draw_sector(int pos, int symbol);

// offers.cpp
void mark_offers(const int offers[NUM_MOVES], int count);
int get_move(const int offers[NUM_MOVES], int offer_count);

// move.cpp
void show_move(const MoveReport &report);
void announce_new_company(int company);

// merge.cpp
void announce_merger(int survivor, int absorbed);
void show_stock_exchange(const Event &merger);

// black_hole.cpp
void announce_lost_site();
void announce_swallowed_company(const Event &event);
