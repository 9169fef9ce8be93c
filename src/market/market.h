// Stock market: dividends, splits, trading, standings, the company panel
// and the company report.
#pragma once

#include "game/state.h"

// dividends.cpp
void pay_dividends();

// split.cpp
void split_stock(int company);

// trade.cpp
void trade_stock();

// standings.cpp
int by_net_worth(const void *a, const void *b);
void show_standings(const char *title);

// panel.cpp
void show_coinfo();

// report.cpp
void more_coinfo();
