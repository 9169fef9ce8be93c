// Stock market on the screen: split announcements, the trading dialog, the
// standings, the company panel and the company report (the rules that
// decide them are in src/rules).
#pragma once

#include "game/state.h"
#include "rules/rules.h"

// split.cpp
void announce_split(const Event &split);

// trade.cpp
void trade_stock();

// standings.cpp
// The final standings take Ctrl-L as a repaint, as announcements do.
void show_standings(const char *title, bool final = false);

// panel.cpp
void show_coinfo();
void show_panel(const PanelLine lines[NUM_COMPANIES]);

// report.cpp
void more_coinfo();
