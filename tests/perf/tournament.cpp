// vegatrade_tournament: the computer player against the reference players,
// in whole games played in-process on the rules, with pinned seeds, each
// through the course of a game (support/match.h, rules/course.h). Each
// pairing plays its games with the seats rotated, so that every player
// moves first equally often, and reports the computer's win rate (a win is
// the highest net worth in the final standings; a tie counts as a share)
// with its 95% interval, and how long the computer thinks per turn: the
// processor time of its thread, which other work on the machine does not
// lengthen, and the wall-clock time, which it does.
//
//   vegatrade_tournament [--games N] [--only NAME] [--references]
//
// --games sets the games per pairing (1000 by default, rounded up to a
// multiple of the seats); --only plays the pairings whose name holds NAME;
// --references also plays the reference players against each other.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "rules/rules.h"
#include "support/match.h"
#include "support/reference_players.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kFirstSeed = 20240601;
constexpr int kDefaultGames = 1000;

enum class Seat { COMPUTER, RANDOM, GREEDY, INVESTOR };

reference::Style style_of(Seat seat) {
    switch (seat) {
        case Seat::RANDOM: return reference::Style::RANDOM;
        case Seat::GREEDY: return reference::Style::GREEDY;
        default: return reference::Style::INVESTOR;
    }
}

struct Pairing {
    const char *name;
    Seat subject;  // whose win rate is measured
    Seat opponent;
    int seats;
    double target;  // percent; 0 when there is none
};

struct Result {
    double wins = 0.0;  // with ties shared
    int games = 0;
    std::vector<double> think_ms;  // the subject's thinking per turn (processor), when it is the computer
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
    computer.seat = match::turn_seat(computer.inner);
    reference::Seat references[MAX_PLAYERS];
    TurnSeat players[MAX_PLAYERS];
    for (int j = 0; j < seats; ++j) {
        if (kinds[j] == Seat::COMPUTER) {
            // Only the subject is timed; another computer seat plays untimed.
            players[j] = j == subject_seat ? TurnSeat{timed_choice, nullptr, timed_trades, &computer}
                                           : match::turn_seat(computer.inner);
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

    std::vector<Pairing> pairings = {
        {"computer vs random", Seat::COMPUTER, Seat::RANDOM, 2, 99},
        {"computer vs greedy", Seat::COMPUTER, Seat::GREEDY, 2, 90},
        {"computer vs investor", Seat::COMPUTER, Seat::INVESTOR, 2, 75},
        {"computer vs 3 greedy", Seat::COMPUTER, Seat::GREEDY, 4, 60},
        {"computer vs 3 investors", Seat::COMPUTER, Seat::INVESTOR, 4, 45},
    };
    if (references) {
        pairings.push_back({"greedy vs random", Seat::GREEDY, Seat::RANDOM, 2, 0});
        pairings.push_back({"investor vs greedy", Seat::INVESTOR, Seat::GREEDY, 2, 0});
    }

    std::printf(
        "| pairing | seats | games | win rate | 95%% interval | target | met | think median / worst ms "
        "(processor) |\n");
    std::printf("|---|---:|---:|---:|---|---:|---|---:|\n");
    std::vector<double> all_thinking;
    std::vector<double> all_wall;
    bool all_met = true;
    const auto started = Clock::now();
    for (const Pairing &pairing : pairings) {
        if (only != nullptr && std::strstr(pairing.name, only) == nullptr) continue;
        const Result result = play_pairing(pairing, games);
        double low = 0.0;
        double high = 0.0;
        wilson(result.wins, result.games, low, high);
        const double rate = 100.0 * result.wins / result.games;
        const bool met = pairing.target == 0 || rate >= pairing.target;
        all_met = all_met && met;
        char target[16] = "-";
        if (pairing.target > 0) std::snprintf(target, sizeof target, "%.0f%%", pairing.target);
        char thinking[48] = "-";
        if (!result.think_ms.empty()) {
            std::snprintf(thinking, sizeof thinking, "%.2f / %.2f", percentile(result.think_ms, 0.5),
                          percentile(result.think_ms, 1.0));
            all_thinking.insert(all_thinking.end(), result.think_ms.begin(), result.think_ms.end());
            all_wall.insert(all_wall.end(), result.wall_ms.begin(), result.wall_ms.end());
        }
        std::printf("| %s | %d | %d | %.1f%% | %.1f%% to %.1f%% | %s | %s | %s |\n", pairing.name,
                    pairing.seats, result.games, rate, 100.0 * low, 100.0 * high, target,
                    pairing.target == 0 ? "-" : (met ? "yes" : "NO"), thinking);
        std::fflush(stdout);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::printf(
        "\nComputer's thinking per turn, processor time: median %.2f ms, 99.9th percentile %.2f ms, worst "
        "%.2f ms "
        "over %zu turns (limit 50 ms).\n",
        percentile(all_thinking, 0.5), percentile(all_thinking, 0.999), percentile(all_thinking, 1.0),
        all_thinking.size());
    std::printf("On the wall clock: median %.2f ms, 99.9th percentile %.2f ms, worst %.2f ms.\n",
                percentile(all_wall, 0.5), percentile(all_wall, 0.999), percentile(all_wall, 1.0));
    std::printf("Run time %.0f s.\n", seconds);
    const bool fast = percentile(all_thinking, 1.0) <= 50.0;
    return all_met && fast ? 0 : 1;
}
