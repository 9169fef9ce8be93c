// Choosing a strength.
#include "computer/strength.h"

#include "computer/thinking.h"

Strength next_strength(Strength strength) {
    return strength == HARDEST ? EASIEST : static_cast<Strength>(static_cast<int>(strength) + 1);
}

const char *strength_name(Strength strength) {
    switch (strength) {
        case Strength::EASY: return "easy";
        case Strength::CASUAL: return "casual";
        case Strength::NORMAL: return "normal";
        case Strength::HARD: return "hard";
    }
    return "normal";
}

int choose_move(const Game &game, const int offers[], int offer_count, Strength strength) {
    switch (strength) {
        case Strength::EASY: return easy_move(game, offers, offer_count);
        case Strength::CASUAL: return casual_move(game, offers, offer_count);
        case Strength::HARD: return hard_move(game, offers, offer_count);
        case Strength::NORMAL: break;
    }
    return choose_move(game, offers, offer_count);
}

int plan_trades(const Game &game, Trade trades[], int max, Strength strength) {
    switch (strength) {
        case Strength::EASY: return easy_trades(game, trades, max);
        case Strength::CASUAL: return casual_trades(game, trades, max);
        case Strength::HARD: return hard_trades(game, trades, max);
        case Strength::NORMAL: break;
    }
    return plan_trades(game, trades, max);
}
