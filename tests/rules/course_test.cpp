// The course of a game: its start, a claim with its dividend, and the
// order of a turn's steps.
#include <climits>
#include <string>
#include <vector>

#include "rules/course.h"
#include "rules_fixture.h"

namespace {

using rules_test::at;
using rules_test::events_text;
using rules_test::game_from_map;
using rules_test::ScriptedRandom;

TEST(Start, OpenGameIsANewGameOnAGalaxyDrawnFromTheGenerator) {
    Game game = game_from_map({"AB*.@"}, 3);
    game.players[1].cash = 12;
    game.players[2].holdings[0] = 40;
    ScriptedRandom draws;
    for (int n = 0; n < MAP_CELLS; ++n) draws.values.push_back(n == 1 ? 60 : 59);
    open_game(game, draws.random());
    EXPECT_EQ(draws.draws, static_cast<std::size_t>(MAP_CELLS));
    EXPECT_EQ(rules_test::map_text(game), "\n@\n\n\n\n\n\n\n\n\n")
        << "draw 1 is the second sector of column 0";
    for (const Company &company : game.companies) EXPECT_EQ(company.size, 0) << company.name;
    for (const Player &player : game.players) {
        EXPECT_EQ(player.cash, STARTING_CASH);
        for (const int holding : player.holdings) EXPECT_EQ(holding, 0);
    }
}

TEST(Start, TheFirstPlayerIsOneDrawModuloThePlayers) {
    const struct {
        int players;
        int draw;
        int first;
    } cases[] = {
        {1, 12345, 0}, {2, 7, 1}, {3, 7, 1}, {4, 7, 3}, {4, 8, 0}, {3, RAND_MAX, RAND_MAX % 3},
    };
    for (const auto &c : cases) {
        Game game = game_from_map({});
        ScriptedRandom draws{{c.draw}};
        seat_players(game, c.players, draws.random());
        EXPECT_EQ(game.num_players, c.players);
        EXPECT_EQ(game.current_player, c.first) << c.players << " players, draw " << c.draw;
        EXPECT_EQ(draws.draws, 1u);
    }
    Game game = game_from_map({});
    seat_players(game, 3, 2);
    EXPECT_EQ(game.num_players, 3);
    EXPECT_EQ(game.current_player, 2);
}

TEST(Claim, TheMoveThenTheMoversDividendAtThePricesItLeft) {
    const struct {
        const char *what;
        std::vector<std::string> map;
        int pos;
        int holdings[NUM_COMPANIES];
        const char *events;
        int cash;  // the mover's, from STARTING_CASH
    } cases[] = {
        // Founded beside a star at $600: 5% of 5 x $600.
        {"a founding pays on the founder's shares", {"*."}, at(0, 1), {}, "founded A", STARTING_CASH + 150},
        // A grows to $1000 + $100: 5% of 10 x $1100.
        {"growth pays at the new price", {"A."}, at(0, 1), {10}, "grew A", STARTING_CASH + 550},
        {"an outpost pays on what is held", {"A...."}, at(0, 4), {10}, "outpost", STARTING_CASH + 500},
        // $1000 + $100 - $500 x 3 beside three black holes: A is swallowed first.
        {"a swallowed company pays nothing",
         {".@", "A.@", ".@"},
         at(1, 1),
         {10},
         "grew A; swallowed A",
         STARTING_CASH},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Game game = game_from_map(c.map);
        if (game.companies[0].size != 0) game.companies[0].price = 1000;
        for (int i = 0; i < NUM_COMPANIES; ++i) game.players[0].holdings[i] = c.holdings[i];
        ScriptedRandom no_draws;
        MoveReport report;
        claim_sector(game, c.pos, no_draws.random(), report);
        EXPECT_EQ(events_text(report), c.events);
        EXPECT_EQ(game.players[0].cash, c.cash);
        EXPECT_EQ(game.players[1].cash, STARTING_CASH) << "only the mover is paid";
    }
}

// A seat that writes down each step of its turn, with what it saw.
struct Recorder {
    int choice = 0;
    std::string steps;
    std::vector<int> offers;
    std::string events;
    int cash_shown = -1;
    int mover_at_trade = -1;

    TurnSeat seat() { return TurnSeat{choose, show, trade, this}; }

    static int choose(void *self, const Game &, const int offers[], int offer_count) {
        auto &recorder = *static_cast<Recorder *>(self);
        recorder.steps += "choose ";
        recorder.offers.assign(offers, offers + offer_count);
        return recorder.choice;
    }
    static void show(void *self, const Game &game, const MoveReport &report) {
        auto &recorder = *static_cast<Recorder *>(self);
        recorder.steps += "show ";
        recorder.events = events_text(report);
        recorder.cash_shown = game.players[game.current_player].cash;
    }
    static void trade(void *self, Game &game) {
        auto &recorder = *static_cast<Recorder *>(self);
        recorder.steps += "trade ";
        recorder.mover_at_trade = game.current_player;
        game.players[game.current_player].cash -= 1;  // a trade the turn must keep
    }
};

std::vector<std::string> company_rows(int sectors) {
    std::vector<std::string> rows;
    for (; sectors >= map_width; sectors -= map_width) rows.push_back(std::string(map_width, 'A'));
    rows.push_back(std::string(static_cast<std::size_t>(sectors), 'A'));
    return rows;
}

TEST(Turn, OffersChoiceClaimShowTradesAndTheNextPlayerInThatOrder) {
    std::vector<std::string> no_open(map_height, std::string(map_width, '@'));
    const struct {
        const char *what;
        std::vector<std::string> map;
        int holding;  // the mover's shares of A, at $1000
        std::vector<int> draws;
        int choice;
        bool goes_on;
        const char *steps;
        std::vector<int> offers;
        const char *events;
        int cash;  // the mover's when the claim is shown; one less after its trade
        int next;  // the player to move after the turn
    } cases[] = {
        {"a turn: the offers drawn, the claim and its dividend shown, then trades and the next player",
         {"AA.", "", "", "", "", "....@"},
         10,
         {2, 60, 61, 64 + MAP_CELLS, 62, 63},  // sector 64 is a black hole
         0,
         true,
         "choose show trade ",
         {at(0, 2), at(5, 0), at(5, 1), at(5, 2), at(5, 3)},
         "grew A",
         STARTING_CASH + 550,
         1},
        {"a merger's tie is drawn from the same generator, after the offers",
         {"AA.BB", "", "", "", "", "", "", "", "", "@"},
         0,
         {100, 2, 50, 60, 70, 1},
         1,
         true,
         "choose show trade ",
         {at(8, 4), at(0, 2), at(4, 2), at(5, 0), at(5, 10)},
         "merged A into B; grew B",
         STARTING_CASH,
         1},
        {"a claim that ends the game is shown, and nobody trades",
         company_rows(64),
         0,
         {64, 70, 80, 90, 100},
         0,
         false,
         "choose show ",
         {64, 70, 80, 90, 100},
         "grew A",
         STARTING_CASH,
         0},
        {"no sector to offer: the game ends before a choice", no_open, 0, {}, 0, false, "", {}, "", -1, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Game game = game_from_map(c.map);
        game.companies[0].price = 1000;
        game.companies[1].price = 1000;
        game.players[0].holdings[0] = c.holding;
        ScriptedRandom draws{c.draws};
        Recorder recorder;
        recorder.choice = c.choice;
        EXPECT_EQ(play_turn(game, draws.random(), recorder.seat()), c.goes_on);
        EXPECT_EQ(draws.draws, c.draws.size()) << "every draw from the turn's generator";
        EXPECT_EQ(recorder.steps, c.steps);
        EXPECT_EQ(recorder.offers, c.offers);
        EXPECT_EQ(recorder.events, c.events);
        EXPECT_EQ(recorder.cash_shown, c.cash) << "the dividend is paid before the claim is shown";
        if (recorder.mover_at_trade >= 0) {
            EXPECT_EQ(recorder.mover_at_trade, 0) << "the mover trades before the turn passes";
            EXPECT_EQ(game.players[0].cash, c.cash - 1);
        }
        EXPECT_EQ(game.current_player, c.next);
    }
}

}  // namespace
