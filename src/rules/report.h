// How the rules write a move's report: each event is opened, the sectors it
// changes are recorded as they change, and it is closed with the companies
// as they stand after it. Private to src/rules.
#pragma once

#include <cstddef>

#include "rules/rules.h"

inline Event &open_event(MoveReport &report, EventKind kind, int company) {
    Event &event = report.events[report.event_count++];
    event.kind = kind;
    event.company = company;
    event.absorbed = -1;
    event.first_change = report.change_count;
    event.end_change = report.change_count;
    return event;
}

// Gives a sector a new symbol, as part of the event opened last.
inline void change_sector(Game &game, MoveReport &report, int pos, char symbol) {
    game.galaxy[pos] = symbol;
    report.changes[report.change_count++] = SectorChange{static_cast<std::uint8_t>(pos), symbol};
    report.events[report.event_count - 1].end_change = report.change_count;
}

// Gives every sector of one symbol another, as part of the event opened last.
inline void relabel_sectors(Game &game, MoveReport &report, char from, char to) {
    for (int pos = 0; pos < MAP_CELLS; ++pos) {
        if (game.galaxy[pos] == from) change_sector(game, report, pos, to);
    }
}

inline void close_event(const Game &game, Event &event) {
    const Player &mover = game.players[game.current_player];
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        const Company &company = game.companies[i];
        event.companies[i] = CompanyStatus{company.price, company.size, mover.holdings[i]};
    }
}

// Empties a company's sectors and ends it, with every player's shares in
// it, as part of the event opened last (black_hole.cpp).
void wipe_company(Game &game, int company, MoveReport &report);
