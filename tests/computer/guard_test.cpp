// The computer player's strength, guarded: a fixed set of pinned games on
// the rules alone against the reference players, played as the tournament
// plays them (scripts/bench --tournament, support/match.h: the same seeds,
// each galaxy from every seat), must give the computer at least the share
// of wins whose floor is the low end of the tournament's 95% interval for
// that pairing (docs/performance.md), and every trade it plans must be one
// the trading dialog takes. Weighing risk linearly instead of by the
// logarithm, or taking the opponents' claims as pure chance, costs about a
// dozen of these games; dropping the clamp of a planned amount to its range
// plans trades out of it.
#include <gtest/gtest.h>

#include <cstdint>

#include "support/match.h"
#include "support/reference_players.h"

namespace {

constexpr std::uint64_t FIRST_SEED = 20240601;  // the tournament's

struct Pairing {
    const char *name;
    reference::Style opponent;
    int seats;
    int games;     // a multiple of the seats: each galaxy is played from every seat
    double floor;  // the least share of the games the computer must win
};

// The computer's share of the wins over the pairing's games: game g seats
// it at g mod seats, on the galaxy of seed g / seats.
double computer_share(const Pairing &pairing, int &untaken_trades) {
    double wins = 0.0;
    for (int game = 0; game < pairing.games; ++game) {
        const std::uint64_t seed = FIRST_SEED + static_cast<std::uint64_t>(game / pairing.seats);
        const int subject = game % pairing.seats;
        match::ComputerSeat computer;
        reference::Seat references[MAX_PLAYERS];
        TurnSeat players[MAX_PLAYERS];
        for (int j = 0; j < pairing.seats; ++j) {
            references[j] = reference::Seat{pairing.opponent, match::seat_generator(seed, j)};
            players[j] = j == subject ? match::turn_seat(computer) : reference::turn_seat(references[j]);
        }
        wins += match::win_share(match::play(seed, players, pairing.seats), subject);
        untaken_trades += computer.untaken_trades;
    }
    return wins / pairing.games;
}

TEST(StrengthGuard, TheComputerKeepsItsShareOfWinsAgainstTheReferencePlayers) {
    // Three opponents at a table: the pairings where the computer's model of
    // its opponents and its weighing of risk count most for their cost.
    const Pairing pairings[] = {
        {"computer vs 3 greedy", reference::Style::GREEDY, 4, 160, 0.939},
        {"computer vs 3 investors", reference::Style::INVESTOR, 4, 40, 0.704},
    };
    for (const Pairing &pairing : pairings) {
        int untaken_trades = 0;
        const double share = computer_share(pairing, untaken_trades);
        EXPECT_GE(share, pairing.floor)
            << pairing.name << ": the computer won " << 100 * share << "% of " << pairing.games
            << " games, below the floor of " << 100 * pairing.floor << "%";
        EXPECT_EQ(untaken_trades, 0) << pairing.name << ": planned trades the trading dialog could not take";
    }
}

}  // namespace
