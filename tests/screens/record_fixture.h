// Turns played on the game being shown and kept in its record, for the
// tests of the screens that show the record.
#pragma once

#include <utility>
#include <vector>

#include "rules/course.h"
#include "screens/screens.h"

namespace record_fixture {

// The current player claims `pos` with the rules, trades `trades` (company,
// amount) and passes the turn, all kept in the record.
inline void turn(int pos, const std::vector<std::pair<int, int>> &trades = {}) {
    MoveReport report;
    claim_sector(game, pos, c_library_random(), report);
    record_claim(game_record, game, report);
    for (const auto &[company, amount] : trades) {
        apply_trade(game, company, amount);
        record_trade(game_record, game, company, amount);
    }
    end_turn(game);
}

}  // namespace record_fixture
