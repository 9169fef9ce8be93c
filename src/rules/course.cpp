// The course of a game: its start and the order of a turn. (Rules; the
// turn loop that plays it on the screens is src/flow/turn_loop.cpp; the
// title screen reads the players and src/flow/seating.cpp seats them.)
#include "rules/course.h"

void open_game(Game &game, Random random) {
    new_game(game);
    generate_galaxy(game, random);
}

void seat_players(Game &game, int players, Random random) {
    seat_players(game, players, random.next() % players);
}

void seat_players(Game &game, int players, int first) {
    game.num_players = players;
    game.current_player = first;
}

void claim_sector(Game &game, int pos, Random random, MoveReport &report) {
    do_move(game, pos, random, report);
    pay_dividends(game);
}

bool play_turn(Game &game, Random random, const TurnSeat &seat) {
    int offers[NUM_MOVES];
    const int offer_count = draw_offers(game, random, offers);
    if (offer_count == 0) return false;
    const int choice = seat.choose(seat.self, game, offers, offer_count);
    MoveReport report;
    claim_sector(game, offers[choice], random, report);
    if (seat.show != nullptr) seat.show(seat.self, game, report);
    return finish_turn(game, seat);
}

bool finish_turn(Game &game, const TurnSeat &seat) {
    if (game_over(game)) return false;
    seat.trade(seat.self, game);
    end_turn(game);
    return true;
}
