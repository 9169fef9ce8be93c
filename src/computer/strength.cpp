// Choosing a strength.
#include "computer/strength.h"

#include "computer/thinking.h"

Strength next_strength(Strength strength) {
    switch (strength) {
        case Strength::NORMAL: return Strength::STRONG;
        case Strength::STRONG: return Strength::EASY;
        case Strength::EASY: return Strength::NORMAL;
    }
    return Strength::NORMAL;
}

const char *strength_name(Strength strength) {
    switch (strength) {
        case Strength::EASY: return "easy";
        case Strength::NORMAL: return "normal";
        case Strength::STRONG: return "strong";
    }
    return "normal";
}

int choose_move(const Game &game, const int offers[], int offer_count, Strength strength) {
    switch (strength) {
        case Strength::EASY: return easy_move(game, offers, offer_count);
        case Strength::STRONG: return strong_move(game, offers, offer_count);
        case Strength::NORMAL: break;
    }
    return choose_move(game, offers, offer_count);
}

int plan_trades(const Game &game, Trade trades[], int max, Strength strength) {
    switch (strength) {
        case Strength::EASY: return easy_trades(game, trades, max);
        case Strength::STRONG: return strong_trades(game, trades, max);
        case Strength::NORMAL: break;
    }
    return plan_trades(game, trades, max);
}
