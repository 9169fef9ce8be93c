// vegatrade_tournament: the computer player's ladder. Each strength plays
// the reference players and each other strength, in whole games played
// in-process on the rules, with pinned seeds, each through the course of a
// game (support/match.h, rules/course.h). Each pairing plays its games
// with the seats rotated, so that every player moves first equally often,
// and reports the subject's win rate (a win is the highest net worth in the
// final standings; a tie counts as a share) with its 95% interval, and how
// long each strength thinks per turn: the processor time of its thread,
// which other work on the machine does not lengthen, and the wall-clock
// time, which it does.
//
//   vegatrade_tournament [--games N] [--only NAME] [--references]
//
// --games sets the games per pairing (400 by default, rounded up to a
// multiple of the seats); --only plays the pairings whose name holds NAME
// (or one of several names between commas);
// --references also plays the reference players against each other.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "computer/strength.h"
#include "rules/rules.h"
#include "support/match.h"
#include "support/reference_players.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kFirstSeed = 20240601;
constexpr int kDefaultGames = 400;

enum class Seat { EASY, NORMAL, STRONG, RANDOM, GREEDY, INVESTOR };

bool is_computer(Seat seat) { return seat == Seat::EASY || seat == Seat::NORMAL || seat == Seat::STRONG; }

Strength strength_of(Seat seat) {
    switch (seat) {
        case Seat::EASY: return Strength::EASY;
        case Seat::STRONG: return Strength::STRONG;
        default: return Strength::NORMAL;
    }
}

const char *seat_name(Seat seat) {
    switch (seat) {
        case Seat::EASY:
        case Seat::NORMAL:
        case Seat::STRONG: return strength_name(strength_of(seat));
        case Seat::RANDOM: return "random";
        case Seat::GREEDY: return "greedy";
        case Seat::INVESTOR: return "investor";
    }
    return "?";
}

reference::Style style_of(Seat seat) {
    switch (seat) {
        case Seat::RANDOM: return reference::Style::RANDOM;
        case Seat::GREEDY: return reference::Style::GREEDY;
        default: return reference::Style::INVESTOR;
    }
}

struct Pairing {
    std::string name;
    Seat subject;  // whose win rate is measured
    Seat opponent;
    int seats;
    double target;         // the least win rate, in percent; 0 when there is none
    double ceiling = 100;  // the most
};

struct Result {
    double wins = 0.0;  // with ties shared
    int games = 0;
    std::vector<double> think_ms;  // the subject's thinking per turn (processor), when it is a computer
    std::vector<double> wall_ms;   // the same turns on the wall clock
};

double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void fail(const char *what, int game) {
    std::fprintf(stderr, "vegatrade_tournament: %s in game %d\n", what, game);
    std::exit(1);
}

// The computer's seat with its thinking timed: each turn's choice opens a
// record, and its trades add to it.
struct TimedComputer {
    match::ComputerSeat inner;
    TurnSeat seat;
    Result *result;
    int game_number;
};

int timed_choice(void *self, const Game &game, const int offers[], int offer_count) {
    TimedComputer &timed = *static_cast<TimedComputer *>(self);
    const auto started = Clock::now();
    const double cpu_started = thread_cpu_ms();
    const int choice = timed.seat.choose(timed.seat.self, game, offers, offer_count);
    timed.result->think_ms.push_back(thread_cpu_ms() - cpu_started);
    timed.result->wall_ms.push_back(
        std::chrono::duration<double, std::milli>(Clock::now() - started).count());
    if (choice < 0 || choice >= offer_count) fail("an offer out of range", timed.game_number);
    return choice;
}

void timed_trades(void *self, Game &game) {
    TimedComputer &timed = *static_cast<TimedComputer *>(self);
    const auto started = Clock::now();
    const double cpu_started = thread_cpu_ms();
    timed.seat.trade(timed.seat.self, game);
    timed.result->think_ms.back() += thread_cpu_ms() - cpu_started;
    timed.result->wall_ms.back() += std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    if (timed.inner.untaken_trades != 0) fail("a trade the trading dialog could not take", timed.game_number);
}

// Plays one game with `kinds[j]` in seat j and adds the subject's share of
// the win (seat `subject_seat`) to `result`.
void play(std::uint64_t seed, const Seat kinds[], int seats, int subject_seat, int game_number,
          Result &result) {
    TimedComputer computer{{}, {}, &result, game_number};
    match::ComputerSeat computers[MAX_PLAYERS];
    reference::Seat references[MAX_PLAYERS];
    TurnSeat players[MAX_PLAYERS];
    for (int j = 0; j < seats; ++j) {
        if (is_computer(kinds[j]) && j == subject_seat) {
            computer.inner.strength = strength_of(kinds[j]);
            computer.seat = match::turn_seat(computer.inner);
            players[j] = TurnSeat{timed_choice, nullptr, timed_trades, &computer};
        } else if (is_computer(kinds[j])) {
            // Only the subject is timed; another computer seat plays untimed.
            computers[j].strength = strength_of(kinds[j]);
            players[j] = match::turn_seat(computers[j]);
        } else {
            references[j] = reference::Seat{style_of(kinds[j]), match::seat_generator(seed, j)};
            players[j] = reference::turn_seat(references[j]);
        }
    }
    const Game game = match::play(seed, players, seats);
    result.wins += match::win_share(game, subject_seat);
    ++result.games;
}

// The subject takes each seat in turn: game g seats it at g mod seats, on
// the galaxy of seed g / seats, so every seed is played from every seat.
Result play_pairing(const Pairing &pairing, int games) {
    Result result;
    const int rounds = (games + pairing.seats - 1) / pairing.seats;
    for (int round = 0; round < rounds; ++round) {
        for (int seat = 0; seat < pairing.seats; ++seat) {
            Seat kinds[MAX_PLAYERS];
            for (int j = 0; j < pairing.seats; ++j) kinds[j] = j == seat ? pairing.subject : pairing.opponent;
            play(kFirstSeed + static_cast<std::uint64_t>(round), kinds, pairing.seats, seat,
                 round * pairing.seats + seat, result);
        }
    }
    return result;
}

// The Wilson score interval of a rate at 95%.
void wilson(double wins, int games, double &low, double &high) {
    const double z = 1.96;
    const double n = games;
    const double p = wins / n;
    const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
    const double spread = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
    low = centre - spread;
    high = centre + spread;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// The ladder: each strength against each reference player, then each
// strength against each weaker one, in two seats and in four (the subject
// against three of the same opponent). The targets are the floors the
// strengths are built to: normal's against the reference players (strong
// is held to them too), easy's band against greedy, strong's against normal.
void add_ladder(std::vector<Pairing> &pairings) {
    struct Rung {
        Seat subject;
        Seat opponent;
        double two_seats;  // target in two seats, percent
        double four_seats;
        double ceiling = 100;  // in two seats
    };
    const Rung rungs[] = {
        {Seat::EASY, Seat::RANDOM, 0, 0},       {Seat::EASY, Seat::GREEDY, 40, 0, 60},
        {Seat::EASY, Seat::INVESTOR, 0, 0},     {Seat::NORMAL, Seat::RANDOM, 99, 0},
        {Seat::NORMAL, Seat::GREEDY, 90, 60},   {Seat::NORMAL, Seat::INVESTOR, 75, 45},
        {Seat::STRONG, Seat::RANDOM, 99, 0},    {Seat::STRONG, Seat::GREEDY, 90, 60},
        {Seat::STRONG, Seat::INVESTOR, 75, 45}, {Seat::NORMAL, Seat::EASY, 0, 0},
        {Seat::STRONG, Seat::EASY, 0, 0},       {Seat::STRONG, Seat::NORMAL, 60, 35},
    };
    for (const Rung &rung : rungs) {
        const std::string subject = seat_name(rung.subject);
        const std::string opponent = seat_name(rung.opponent);
        pairings.push_back(
            {subject + " vs " + opponent, rung.subject, rung.opponent, 2, rung.two_seats, rung.ceiling});
        pairings.push_back({subject + " vs 3 " + opponent, rung.subject, rung.opponent, 4, rung.four_seats});
    }
}

// Whether `name` holds one of the comma-separated names in `only`.
bool chosen(const std::string &name, const std::string &only) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = only.find(',', start);
        if (name.find(only.substr(start, end - start)) != std::string::npos) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

}  // namespace

int main(int argc, char **argv) {
    int games = kDefaultGames;
    const char *only = nullptr;
    bool references = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--games") == 0 && i + 1 < argc) {
            games = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        } else if (std::strcmp(argv[i], "--references") == 0) {
            references = true;
        } else {
            std::fprintf(stderr, "usage: %s [--games N] [--only NAME] [--references]\n", argv[0]);
            return 2;
        }
    }
    if (games < 1) games = 1;

    std::vector<Pairing> pairings;
    add_ladder(pairings);
    if (references) {
        pairings.push_back({"greedy vs random", Seat::GREEDY, Seat::RANDOM, 2, 0});
        pairings.push_back({"investor vs greedy", Seat::INVESTOR, Seat::GREEDY, 2, 0});
    }

    std::printf(
        "| pairing | seats | games | win rate | 95%% interval | target | met | think median / worst ms "
        "(processor) |\n");
    std::printf("|---|---:|---:|---:|---|---:|---|---:|\n");
    Result thinking_of[NUM_STRENGTHS];  // every timed turn of each strength
    bool all_met = true;
    const auto started = Clock::now();
    for (const Pairing &pairing : pairings) {
        if (only != nullptr && !chosen(pairing.name, only)) continue;
        const Result result = play_pairing(pairing, games);
        double low = 0.0;
        double high = 0.0;
        wilson(result.wins, result.games, low, high);
        const double rate = 100.0 * result.wins / result.games;
        const bool met = pairing.target == 0 || (rate >= pairing.target && rate <= pairing.ceiling);
        all_met = all_met && met;
        char target[32] = "-";
        if (pairing.ceiling < 100) {
            std::snprintf(target, sizeof target, "%.0f%% to %.0f%%", pairing.target, pairing.ceiling);
        } else if (pairing.target > 0) {
            std::snprintf(target, sizeof target, "%.0f%%", pairing.target);
        }
        char thinking[48] = "-";
        if (!result.think_ms.empty()) {
            std::snprintf(thinking, sizeof thinking, "%.2f / %.2f", percentile(result.think_ms, 0.5),
                          percentile(result.think_ms, 1.0));
            Result &all = thinking_of[static_cast<int>(strength_of(pairing.subject))];
            all.think_ms.insert(all.think_ms.end(), result.think_ms.begin(), result.think_ms.end());
            all.wall_ms.insert(all.wall_ms.end(), result.wall_ms.begin(), result.wall_ms.end());
        }
        std::printf("| %s | %d | %d | %.1f%% | %.1f%% to %.1f%% | %s | %s | %s |\n", pairing.name.c_str(),
                    pairing.seats, result.games, rate, 100.0 * low, 100.0 * high, target,
                    pairing.target == 0 ? "-" : (met ? "yes" : "NO"), thinking);
        std::fflush(stdout);
    }

    std::printf(
        "\nThinking per turn (limit 50 ms):\n\n"
        "| strength | turns | processor median / 99.9th percentile / worst ms | wall clock median / worst ms "
        "|\n|---|---:|---:|---:|\n");
    bool fast = true;
    for (const Strength strength : {Strength::EASY, Strength::NORMAL, Strength::STRONG}) {
        const Result &all = thinking_of[static_cast<int>(strength)];
        if (all.think_ms.empty()) continue;
        const double worst = percentile(all.think_ms, 1.0);
        fast = fast && worst <= 50.0;
        std::printf("| %s | %zu | %.2f / %.2f / %.2f | %.2f / %.2f |\n", strength_name(strength),
                    all.think_ms.size(), percentile(all.think_ms, 0.5), percentile(all.think_ms, 0.999),
                    worst, percentile(all.wall_ms, 0.5), percentile(all.wall_ms, 1.0));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::printf("\nRun time %.0f s.\n", seconds);
    return all_met && fast ? 0 : 1;
}
