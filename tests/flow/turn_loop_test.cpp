// The turn loop: turns pass in player order until no sector is left to
// offer. The end of the game and the passing of turns as rules are tested
// in tests/rules/turn_test.cpp.
#include <string>

#include "flow/flow.h"
#include "screens/screens.h"
#include "support/map_fixture.h"
#include "support/screen.h"

namespace {

using headless::CursesTest;

// People at every seat.
constexpr SeatPlayer PEOPLE[MAX_PLAYERS] = {};

TEST_F(CursesTest, TurnsPassInPlayerOrderUntilNoSectorIsLeft) {
    // Three open sectors among stars: each move founds the next company,
    // whose five shares show who moved; then nothing is left to offer.
    open_screen(25, 80, 1, 3);
    map_fixture::load_map(game, {
                                    "************",
                                    "*.**********",
                                    "************",
                                    "************",
                                    "*******.****",
                                    "************",
                                    "************",
                                    "************",
                                    "**********.*",
                                    "************",
                                });
    game.current_player = 1;
    set_escdelay(25);
    type(
        "1 \033"    // player 2 founds A, answers the announcement, ends trading
        "1 \033"    // player 3 founds B
        "1 \033");  // player 1 founds C
    Match match{};
    match.game = game;
    take_seats(match, PEOPLE);
    play_game(match);
    const int expected[3][NUM_COMPANIES] = {{0, 0, 5, 0, 0}, {5, 0, 0, 0, 0}, {0, 5, 0, 0, 0}};
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < NUM_COMPANIES; ++i)
            EXPECT_EQ(match.game.players[p].holdings[i], expected[p][i]) << p << " " << i;
    }
    EXPECT_EQ(match.game.current_player, 1) << "the turn passed after each trading dialog";
}

// Each seat plays its own turn, chosen once: the computer's at its strength
// needs no key but to hurry it, a person's waits for the digit; both keep
// their claim and trades in the one record of the game. Announcements go on
// by themselves only when every playing seat is the computer's.
TEST_F(CursesTest, EachSeatPlaysItsOwnTurnChosenWhenTheGameIsMade) {
    open_screen(25, 80, 1, 3);
    map_fixture::load_map(game, {
                                    "************",
                                    "*.**********",
                                    "************",
                                    "************",
                                    "*******.****",
                                    "************",
                                    "************",
                                    "************",
                                    "**********.*",
                                    "************",
                                });
    const SeatPlayer seats[MAX_PLAYERS] = {
        {true, Strength::HARD}, {false, Strength::NORMAL}, {true, Strength::EASY}, {true, Strength::NORMAL}};
    Match match{};
    match.game = game;
    take_seats(match, seats);
    const bool computer[MAX_PLAYERS] = {true, false, true, false};  // the fourth seat is empty
    for (int p = 0; p < MAX_PLAYERS; ++p) {
        EXPECT_EQ(match.table.computer[p], computer[p]) << p;
        EXPECT_EQ(match.seats[p].self, &match.players[p]) << p;
        EXPECT_EQ(match.players[p].table, &match.table) << p;
        EXPECT_EQ(match.players[p].strength, seats[p].strength) << p;
    }
    EXPECT_NE(match.seats[0].choose, match.seats[1].choose) << "a computer's seat is no person's";
    EXPECT_EQ(match.seats[0].choose, match.seats[2].choose);
    EXPECT_EQ(match.seats[1].choose, match.seats[3].choose);
    EXPECT_NE(match.seats[0].trade, match.seats[1].trade);
    EXPECT_FALSE(every_seat_computer) << "a person plays seat 2";

    // The computer at seat 1 founds a company by its one open sector;
    // keys only hurry it (it has no prompt to answer) and the founding's
    // announcement. Then the person at seat 2 claims theirs with "1".
    set_escdelay(25);
    type(std::string(12, 'k'));
    ASSERT_TRUE(play_turn(match.game, c_library_random(), match.seats[0]));
    ASSERT_GE(match.table.record.count, 1);
    EXPECT_EQ(record_line(match.table.record, 0).player, 0);
    EXPECT_EQ(record_line(match.table.record, 0).deed, Deed::FOUNDED);
    EXPECT_EQ(match.game.current_player, 1);
    const int lines = match.table.record.count;

    nodelay(stdscr, TRUE);
    while (getch() != ERR) {
    }
    nodelay(stdscr, FALSE);
    type("1 \033");
    ASSERT_TRUE(play_turn(match.game, c_library_random(), match.seats[1]));
    ASSERT_EQ(match.table.record.count, lines + 1);
    EXPECT_EQ(record_line(match.table.record, lines).player, 1);
    EXPECT_EQ(match.game.current_player, 2);

    // Every playing seat the computer's: seat 4 is empty and does not count.
    const SeatPlayer all_computers[MAX_PLAYERS] = {{true, Strength::NORMAL},
                                                   {true, Strength::NORMAL},
                                                   {true, Strength::NORMAL},
                                                   {false, Strength::NORMAL}};
    take_seats(match, all_computers);
    EXPECT_TRUE(every_seat_computer);
    EXPECT_EQ(match.table.record.count, 0) << "a game is seated with nothing recorded";
}

}  // namespace
