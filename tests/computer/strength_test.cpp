// The computer's strengths: the order a player goes through them, what
// every strength keeps (legal choices, the game's generator untouched, the
// same choices for the same game, no claim into a black hole of its own),
// and the ladder: each strength's band and its step above the one below.
#include "computer/strength.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "rules/rules.h"
#include "rules/rules_fixture.h"
#include "support/match.h"
#include "support/reference_players.h"

namespace {

using rules_test::at;
using rules_test::game_from_map;

constexpr Strength kStrengths[] = {Strength::EASY, Strength::CASUAL, Strength::NORMAL, Strength::HARD};

// Makes the planned trades, each checked against the range it is made in.
void make_trades(Game &game, const Trade trades[], int count) {
    bool bought = false;
    for (int t = 0; t < count; ++t) {
        const Trade &trade = trades[t];
        ASSERT_NE(game.companies[trade.company].size, 0);
        int low = 0;
        int high = 0;
        trade_range(game, trade.company, low, high);
        ASSERT_NE(trade.amount, 0);
        ASSERT_GE(trade.amount, low);
        ASSERT_LE(trade.amount, high);
        ASSERT_FALSE(bought && trade.amount < 0) << "a sale after a purchase";
        bought = bought || trade.amount > 0;
        apply_trade(game, trade.company, trade.amount);
    }
}

// One turn of the current player at `strength`: offers drawn from `driver`,
// the claim, its dividend and the trades. False once the game is over.
bool play_turn(Game &game, Strength strength, SeededRandom &driver) {
    int offers[NUM_MOVES];
    const int count = draw_offers(game, seeded_random(driver), offers);
    if (count == 0) return false;
    const int choice = choose_move(game, offers, count, strength);
    EXPECT_GE(choice, 0);
    EXPECT_LT(choice, count);
    MoveReport report;
    do_move(game, offers[choice], seeded_random(driver), report);
    pay_dividends(game);
    if (game_over(game)) return false;
    Trade trades[MAX_TRADES];
    make_trades(game, trades, plan_trades(game, trades, MAX_TRADES, strength));
    end_turn(game);
    return true;
}

// A new game of `seats` players on the galaxy of `seed`.
Game new_galaxy(std::uint64_t seed, int seats, SeededRandom &driver) {
    Game game;
    new_game(game);
    driver = SeededRandom{seed};
    generate_galaxy(game, seeded_random(driver));
    game.num_players = seats;
    game.current_player = 0;
    return game;
}

TEST(Strength, EachTabGivesTheNextHarderAndTheHardestTheEasiestAgain) {
    Strength strength = EASIEST;
    std::vector<std::string> seen;
    for (int tab = 0; tab < 6; ++tab) {
        seen.push_back(strength_name(strength));
        strength = next_strength(strength);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"easy", "casual", "normal", "hard", "easy", "casual"}));
    EXPECT_EQ(strength_name(HARDEST), std::string("hard"));
}

// Positions met in a game played by normal computers, every third turn, in
// two and four seats: early, crowded and late ones.
std::vector<Game> positions() {
    std::vector<Game> found;
    for (const int seats : {2, 4}) {
        SeededRandom driver{};
        Game game = new_galaxy(20240601u + static_cast<std::uint64_t>(seats), seats, driver);
        for (int turn = 0;; ++turn) {
            if (turn % 3 == 0) found.push_back(game);
            if (!play_turn(game, Strength::NORMAL, driver)) break;
        }
    }
    return found;
}

TEST(Strength, EveryStrengthChoosesLegallyAloneAndAlike) {
    const std::vector<Game> games = positions();
    ASSERT_GE(games.size(), 10u);
    for (const Strength strength : kStrengths) {
        SCOPED_TRACE(strength_name(strength));
        for (std::size_t g = 0; g < games.size(); ++g) {
            SCOPED_TRACE(g);
            const Game &game = games[g];
            SeededRandom draws{g};
            int offers[NUM_MOVES];
            const int count = draw_offers(game, seeded_random(draws), offers);
            if (count == 0) continue;

            std::srand(static_cast<unsigned>(g));
            const int expected = std::rand();
            std::srand(static_cast<unsigned>(g));
            const int move = choose_move(game, offers, count, strength);
            Trade trades[MAX_TRADES];
            const int planned = plan_trades(game, trades, MAX_TRADES, strength);
            EXPECT_EQ(std::rand(), expected) << "drew from the game's generator";

            EXPECT_GE(move, 0);
            EXPECT_LT(move, count);
            Game after = game;
            make_trades(after, trades, planned);
            EXPECT_EQ(choose_move(game, offers, count, strength), move);
            Trade again[MAX_TRADES];
            ASSERT_EQ(plan_trades(game, again, MAX_TRADES, strength), planned);
            for (int t = 0; t < planned; ++t) {
                EXPECT_EQ(again[t].company, trades[t].company);
                EXPECT_EQ(again[t].amount, trades[t].amount);
            }
            if (strength == Strength::NORMAL) {
                EXPECT_EQ(choose_move(game, offers, count), move) << "normal is the computer of computer.h";
            }
        }
    }
}

TEST(Strength, NoneSendsItsOwnCompanyIntoABlackHoleWhileAnotherOfferIsOpen) {
    // Growing A at (1,3) meets the black hole at (1,4): price 300 + 100 - 500.
    // The other offers only place outposts. The cash changes the game, and
    // with it the easy strength's draws, which sometimes take an offer at
    // random.
    Game game = game_from_map({"............", ".AA.@.......", "............"});
    game.companies[0].price = 300;
    game.players[0].holdings[0] = 20;
    for (const Strength strength : kStrengths) {
        SCOPED_TRACE(strength_name(strength));
        std::set<int> claimed;
        for (int cash = 0; cash < 12; ++cash) {
            game.players[0].cash = cash;
            for (const int first : {0, 1, 2, 3, 4}) {
                std::vector<int> offers = {at(6, 1), at(6, 5), at(6, 9), at(9, 3)};
                offers.insert(offers.begin() + first, at(1, 3));
                const int choice = choose_move(game, offers.data(), NUM_MOVES, strength);
                EXPECT_NE(choice, first) << "cash " << cash;
                claimed.insert(offers[static_cast<std::size_t>(choice)]);
            }
        }
        if (strength == Strength::EASY) {
            EXPECT_GE(claimed.size(), 2u) << "easy never chose at random";
        }
    }
}

// The ladder, guarded on pinned games played as the tournament plays them
// (support/match.h: the same seeds, each galaxy from every seat in turn).
// A player of a pairing is a strength or a reference player.
struct Player {
    bool computer;
    Strength strength;
    reference::Style style;
};

constexpr Player computer(Strength strength) { return {true, strength, reference::Style::RANDOM}; }
constexpr Player panel(reference::Style style) { return {false, Strength::NORMAL, style}; }

std::string player_name(const Player &player) {
    return player.computer ? strength_name(player.strength) : reference::style_name(player.style);
}

// The subject's share of the wins over `games` two-seat games against
// `opponent`: game g seats the subject at g mod 2, on the galaxy of the
// tournament's seed g / 2.
double share_of(const Player &subject, const Player &opponent, int games) {
    constexpr std::uint64_t kFirstSeed = 20240601;  // the tournament's
    double wins = 0.0;
    for (int g = 0; g < games; ++g) {
        const std::uint64_t seed = kFirstSeed + static_cast<std::uint64_t>(g / 2);
        const int seat = g % 2;
        match::ComputerSeat computers[2];
        reference::Seat references[2];
        TurnSeat players[2];
        for (int j = 0; j < 2; ++j) {
            const Player &player = j == seat ? subject : opponent;
            if (player.computer) {
                computers[j].strength = player.strength;
                players[j] = match::turn_seat(computers[j]);
            } else {
                references[j] = reference::Seat{player.style, match::seat_generator(seed, j)};
                players[j] = reference::turn_seat(references[j]);
            }
        }
        wins += match::win_share(match::play(seed, players, 2), seat);
    }
    return wins / games;
}

// Each strength's band on its games, and each step: a strength beats the
// one below it head to head, and does better than it on the same games
// against the panel player that tells them apart (greedy and investor for
// the two easiest, investor above). Easy taking a random offer every turn
// wins 22% of its games against greedy, and taking its worst none, both
// below its band; hard judging as normal does would win half its games
// against normal and as many as normal against investor.
TEST(StrengthGuard, EveryStrengthKeepsItsBandAndItsStepAboveTheOneBelow) {
    using reference::Style;
    const struct {
        Player subject;
        Player opponent;
        int games;  // even: each galaxy from both seats
        double floor;
        double ceiling;
    } bands[] = {
        // the easiest: greedy wins about half its games
        {computer(Strength::EASY), panel(Style::GREEDY), 60, 0.35, 0.65},
        // for one who knows the rules: beats greedy clearly, loses to investor
        {computer(Strength::CASUAL), panel(Style::GREEDY), 60, 0.7, 1.0},
        {computer(Strength::CASUAL), panel(Style::INVESTOR), 60, 0.0, 0.5},
        // each step beats the one below
        {computer(Strength::CASUAL), computer(Strength::EASY), 60, 0.7, 1.0},
        {computer(Strength::NORMAL), computer(Strength::CASUAL), 20, 0.8, 1.0},
        {computer(Strength::HARD), computer(Strength::NORMAL), 24, 0.6, 1.0},
    };
    for (const auto &band : bands) {
        const double share = share_of(band.subject, band.opponent, band.games);
        const std::string pairing = player_name(band.subject) + " vs " + player_name(band.opponent);
        EXPECT_GE(share, band.floor) << pairing << ": " << 100 * share << "% of " << band.games << " games";
        EXPECT_LE(share, band.ceiling) << pairing << ": " << 100 * share << "% of " << band.games << " games";
    }
    // On the same games against the panel, each strength better than the
    // one below.
    const struct {
        Player panel;
        Strength lower;
        Strength upper;
        int games;
    } steps[] = {
        {panel(Style::GREEDY), Strength::EASY, Strength::CASUAL, 60},
        {panel(Style::INVESTOR), Strength::EASY, Strength::CASUAL, 60},
        {panel(Style::INVESTOR), Strength::CASUAL, Strength::NORMAL, 40},
        {panel(Style::INVESTOR), Strength::NORMAL, Strength::HARD, 16},
    };
    for (const auto &step : steps) {
        const double lower = share_of(computer(step.lower), step.panel, step.games);
        const double upper = share_of(computer(step.upper), step.panel, step.games);
        const std::string message = std::string(strength_name(step.upper)) + " " + std::to_string(upper) +
                                    " and " + strength_name(step.lower) + " " + std::to_string(lower) +
                                    " vs " + player_name(step.panel) + " over " + std::to_string(step.games) +
                                    " games";
        EXPECT_GT(upper, lower) << message;
    }
}

}  // namespace
