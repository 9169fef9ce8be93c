// Galaxy and moves: the map, the move offers, move resolution, mergers and
// black holes.
#pragma once

#include "game/state.h"

// The four neighbours of a sector; there are no diagonals and no wrapping.
enum Direction { NORTH, SOUTH, WEST, EAST };

// neighbors.cpp
int neighbor_pos(int pos, Direction direction);
int neighbor_symbol(int pos, Direction direction);
bool is_founding_site(int pos);

// map.cpp
attr_t sector_attr(int symbol);
void draw_map();
void draw_sector(int pos, int symbol);
void set_sector(int pos, char symbol);

// offers.cpp
int count_move_candidates();
int draw_offers(int offers[NUM_MOVES]);
int get_move();

// move.cpp
void do_move(int pos);
void neighbor_effects(int company, int pos, int north, int south, int west, int east);
int next_free_company();
void announce_new_company(int company);

// merge.cpp
void merge(int *first, int *second, int *third, int *fourth);
void announce_merger(int survivor, int absorbed);
void merge_stock(int survivor, int absorbed);

// black_hole.cpp
void black_hole(int company, int detail);
