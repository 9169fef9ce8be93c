// Turns played on a game and kept in its table's record, for the tests of
// the screens that show the record.
#pragma once

#include <utility>
#include <vector>

#include "rules/course.h"
#include "screens/screens.h"

namespace record_fixture {

// The current player claims `pos` with the rules, trades `trades` (company,
// amount) and passes the turn, all kept in the record.
inline void turn(Game &game, GameRecord &record, int pos,
                 const std::vector<std::pair<int, int>> &trades = {}) {
    MoveReport report;
    claim_sector(game, pos, c_library_random(), report);
    record_claim(record, game, report);
    for (const auto &[company, amount] : trades) {
        apply_trade(game, company, amount);
        record_trade(record, game, company, amount);
    }
    end_turn(game);
}

}  // namespace record_fixture
