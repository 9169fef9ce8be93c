// vegatrade_tournament: the computer player's ladder. Each strength plays
// the panel (the reference players random, greedy and investor, the
// planner, and every other strength), in whole games played in-process on
// the rules, with pinned seeds, each through the course of a game
// (support/match.h, rules/course.h): in two seats, head to head, and in
// four, one against three of the same. Each pairing plays its games with
// the seats rotated, so that every player moves first equally often, and
// reports the subject's win rate (a win is the highest net worth in the
// final standings; a tie counts as a share) with its 95% interval. Then one
// rating per player, a Bradley-Terry fit over every two-seat pairing, as
// one line from the weakest to the strongest, and how long each strength
// and the planner think per turn: the processor time of its thread, which
// other work on the machine does not lengthen, and the wall-clock time,
// which it does. The games of a pairing are shared out over threads; each
// game is played alone, so the results do not depend on how many.
//
//   vegatrade_tournament [--games N] [--only NAME] [--references] [--threads N]
//
// --games sets the games per pairing (400 by default, rounded up to a
// multiple of the seats); --only plays the pairings whose name holds NAME
// (or one of several names between commas); --references also plays each
// panel player against three of each one before it (random, greedy,
// investor, planner); --threads sets the threads (the machine's processors
// by default).
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "computer/strength.h"
#include "rules/rules.h"
#include "support/match.h"
#include "support/planner.h"
#include "support/reference_players.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kFirstSeed = 20240601;
constexpr int kDefaultGames = 400;
constexpr double kThinkingLimitMs = 50.0;

// A player of the tournament: a reference player, the planner, or the
// computer at one of its strengths.
enum class Kind { REFERENCE, PLANNER, COMPUTER };

struct Entrant {
    Kind kind;
    reference::Style style;  // REFERENCE only
    Strength strength;       // COMPUTER only
    std::string name;
    bool timed() const { return kind != Kind::REFERENCE; }
};

// The panel first (random, greedy, investor, planner), then every strength
// in its order, as strength.h enumerates them.
std::vector<Entrant> all_entrants() {
    std::vector<Entrant> players;
    for (const reference::Style style :
         {reference::Style::RANDOM, reference::Style::GREEDY, reference::Style::INVESTOR}) {
        players.push_back({Kind::REFERENCE, style, Strength::NORMAL, reference::style_name(style)});
    }
    players.push_back({Kind::PLANNER, reference::Style::RANDOM, Strength::NORMAL, "planner"});
    for (int s = 0; s < NUM_STRENGTHS; ++s) {
        const auto strength = static_cast<Strength>(s);
        players.push_back({Kind::COMPUTER, reference::Style::RANDOM, strength, strength_name(strength)});
    }
    return players;
}

constexpr int kPanel = 4;  // the first players: random, greedy, investor, planner

struct Pairing {
    std::string name;
    int subject;  // whose win rate is measured, an index into the players
    int opponent;
    int seats;
    double target = 0;     // the least win rate, in percent; 0 when there is none
    double ceiling = 100;  // the most
};

// One timed turn: a player's choice and trades.
struct Thought {
    int player;
    bool subject;
    double cpu_ms;
    double wall_ms;
};

struct GameResult {
    double share = 0.0;  // the subject's share of the win
    std::vector<Thought> thoughts;
};

double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double wall_ms_since(Clock::time_point started) {
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

[[noreturn]] void fail(const char *what, const std::string &pairing, int game) {
    std::fflush(stdout);
    std::fprintf(stderr, "vegatrade_tournament: %s in game %d of %s\n", what, game, pairing.c_str());
    std::_Exit(1);
}

// A seat whose thinking is timed: each turn's choice opens a record, and its
// trades add to it. A computer's trades are checked as the trading dialog
// would take them.
struct TimedSeat {
    TurnSeat inner;
    int player;
    bool subject;
    const match::ComputerSeat *computer;  // null for the planner
    GameResult *result;
    const std::string *pairing;
    int game_number;
};

int timed_choice(void *self, const Game &game, const int offers[], int offer_count) {
    TimedSeat &timed = *static_cast<TimedSeat *>(self);
    const auto started = Clock::now();
    const double cpu_started = thread_cpu_ms();
    const int choice = timed.inner.choose(timed.inner.self, game, offers, offer_count);
    timed.result->thoughts.push_back(
        {timed.player, timed.subject, thread_cpu_ms() - cpu_started, wall_ms_since(started)});
    if (choice < 0 || choice >= offer_count) fail("an offer out of range", *timed.pairing, timed.game_number);
    return choice;
}

void timed_trades(void *self, Game &game) {
    TimedSeat &timed = *static_cast<TimedSeat *>(self);
    const auto started = Clock::now();
    const double cpu_started = thread_cpu_ms();
    timed.inner.trade(timed.inner.self, game);
    Thought &thought = timed.result->thoughts.back();
    thought.cpu_ms += thread_cpu_ms() - cpu_started;
    thought.wall_ms += wall_ms_since(started);
    if (timed.computer != nullptr && timed.computer->untaken_trades != 0) {
        fail("a trade the trading dialog could not take", *timed.pairing, timed.game_number);
    }
}

// Plays game `game_number` of `pairing`: the subject takes each seat in
// turn, game g seating it at g mod seats on the galaxy of seed g / seats, so
// every seed is played from every seat.
GameResult play_game(const std::vector<Entrant> &players, const Pairing &pairing, int game_number) {
    const int subject_seat = game_number % pairing.seats;
    const std::uint64_t seed = kFirstSeed + static_cast<std::uint64_t>(game_number / pairing.seats);
    GameResult result;
    match::ComputerSeat computers[MAX_PLAYERS];
    reference::Seat references[MAX_PLAYERS];
    planner::Seat planners[MAX_PLAYERS];
    TimedSeat timed[MAX_PLAYERS];
    TurnSeat seats[MAX_PLAYERS];
    for (int j = 0; j < pairing.seats; ++j) {
        const int index = j == subject_seat ? pairing.subject : pairing.opponent;
        const Entrant &player = players[static_cast<std::size_t>(index)];
        TurnSeat inner{};
        switch (player.kind) {
            case Kind::REFERENCE:
                references[j] = reference::Seat{player.style, match::seat_generator(seed, j)};
                seats[j] = reference::turn_seat(references[j]);
                continue;
            case Kind::PLANNER: inner = planner::turn_seat(planners[j]); break;
            case Kind::COMPUTER:
                computers[j].strength = player.strength;
                inner = match::turn_seat(computers[j]);
                break;
        }
        timed[j] = TimedSeat{inner,
                             index,
                             j == subject_seat,
                             player.kind == Kind::COMPUTER ? &computers[j] : nullptr,
                             &result,
                             &pairing.name,
                             game_number};
        seats[j] = TurnSeat{timed_choice, nullptr, timed_trades, &timed[j]};
    }
    result.share = match::win_share(match::play(seed, seats, pairing.seats), subject_seat);
    return result;
}

// Plays the pairing's games on `threads` threads, each taking the next game
// not yet taken; the results stand in game order.
std::vector<GameResult> play_pairing(const std::vector<Entrant> &players, const Pairing &pairing, int games,
                                     int threads) {
    const int count = (games + pairing.seats - 1) / pairing.seats * pairing.seats;
    std::vector<GameResult> results(static_cast<std::size_t>(count));
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int g = next++; g < count; g = next++)
            results[static_cast<std::size_t>(g)] = play_game(players, pairing, g);
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (std::thread &worker : workers) worker.join();
    return results;
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

// The floors the strengths are built to, by name: easy's band against
// greedy; casual beats greedy and loses to investor more often than it
// wins; normal's against the reference players (hard is held to them too);
// each strength's step above the one below; and the planner's against
// investor, the least a careful yardstick must show. A pairing without a
// row has no target.
struct Target {
    const char *subject;
    const char *opponent;
    int seats;
    double least;
    double most = 100;
};
constexpr Target kTargets[] = {
    {"easy", "greedy", 2, 40, 60}, {"casual", "greedy", 2, 60},   {"casual", "investor", 2, 10, 50},
    {"casual", "easy", 2, 60},     {"normal", "random", 2, 99},   {"normal", "greedy", 2, 90},
    {"normal", "greedy", 4, 60},   {"normal", "investor", 2, 75}, {"normal", "investor", 4, 45},
    {"normal", "casual", 2, 60},   {"hard", "random", 2, 99},     {"hard", "greedy", 2, 90},
    {"hard", "greedy", 4, 60},     {"hard", "investor", 2, 75},   {"hard", "investor", 4, 45},
    {"hard", "normal", 2, 65},     {"hard", "normal", 4, 35},     {"planner", "investor", 2, 75},
};

Pairing make_pairing(const std::vector<Entrant> &players, int subject, int opponent, int seats) {
    const std::string &a = players[static_cast<std::size_t>(subject)].name;
    const std::string &b = players[static_cast<std::size_t>(opponent)].name;
    Pairing pairing{a + (seats == 2 ? " vs " : " vs 3 ") + b, subject, opponent, seats};
    for (const Target &target : kTargets) {
        if (a == target.subject && b == target.opponent && seats == target.seats) {
            pairing.target = target.least;
            pairing.ceiling = target.most;
        }
    }
    return pairing;
}

// The panel's players against each other in two seats (their place on the
// ladder), then each strength against the panel and against every other
// strength: in two seats once per pair (the later strength named first), in
// four seats each against three of the other.
std::vector<Pairing> all_pairings(const std::vector<Entrant> &players, bool references) {
    std::vector<Pairing> pairings;
    const int count = static_cast<int>(players.size());
    for (int a = 1; a < kPanel; ++a) {
        for (int b = 0; b < a; ++b) pairings.push_back(make_pairing(players, a, b, 2));
    }
    if (references) {
        for (int a = 1; a < kPanel; ++a) {
            for (int b = 0; b < a; ++b) pairings.push_back(make_pairing(players, a, b, 4));
        }
    }
    for (int s = kPanel; s < count; ++s) {
        for (int p = 0; p < kPanel; ++p) {
            pairings.push_back(make_pairing(players, s, p, 2));
            pairings.push_back(make_pairing(players, s, p, 4));
        }
        for (int t = kPanel; t < s; ++t) {
            pairings.push_back(make_pairing(players, s, t, 2));
            pairings.push_back(make_pairing(players, s, t, 4));
            pairings.push_back(make_pairing(players, t, s, 4));
        }
    }
    return pairings;
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

struct Played {
    const Pairing *pairing;
    double wins;
    int games;
};

// Bradley-Terry strengths over the two-seat pairings, by the usual
// minorisation-maximisation steps. Each pairing also counts one drawn game
// (half a win each way), so that a player who never wins, or never loses,
// keeps a finite rating. Returns Elo-scale ratings (400 log10 of the
// strength), -1e9 for a player without two-seat games; `connected` tells
// whether the games join every rated player to every other.
std::vector<double> ratings(const std::vector<Played> &played, int count, bool &connected) {
    const auto n = static_cast<std::size_t>(count);
    std::vector<std::vector<double>> wins(n, std::vector<double>(n, 0.0));
    std::vector<std::vector<double>> games(n, std::vector<double>(n, 0.0));
    for (const Played &p : played) {
        if (p.pairing->seats != 2) continue;
        const auto a = static_cast<std::size_t>(p.pairing->subject);
        const auto b = static_cast<std::size_t>(p.pairing->opponent);
        wins[a][b] += p.wins + 0.5;
        wins[b][a] += p.games - p.wins + 0.5;
        games[a][b] += p.games + 1;
        games[b][a] += p.games + 1;
    }
    std::vector<bool> rated(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) rated[i] = rated[i] || games[i][j] > 0;
    }
    // Connected: every rated player is reached from the first.
    std::vector<bool> reached(n, false);
    std::vector<std::size_t> stack;
    for (std::size_t i = 0; i < n && stack.empty(); ++i) {
        if (rated[i]) {
            reached[i] = true;
            stack.push_back(i);
        }
    }
    while (!stack.empty()) {
        const std::size_t i = stack.back();
        stack.pop_back();
        for (std::size_t j = 0; j < n; ++j) {
            if (games[i][j] > 0 && !reached[j]) {
                reached[j] = true;
                stack.push_back(j);
            }
        }
    }
    connected = true;
    for (std::size_t i = 0; i < n; ++i) connected = connected && (!rated[i] || reached[i]);

    std::vector<double> strength(n, 1.0);
    for (int step = 0; step < 10000; ++step) {
        double change = 0.0;
        std::vector<double> next(n, 1.0);
        for (std::size_t i = 0; i < n; ++i) {
            if (!rated[i]) continue;
            double won = 0.0;
            double weight = 0.0;
            for (std::size_t j = 0; j < n; ++j) {
                if (games[i][j] == 0) continue;
                won += wins[i][j];
                weight += games[i][j] / (strength[i] + strength[j]);
            }
            next[i] = won / weight;
        }
        // Scaled so that the rated players' strengths multiply to 1.
        double log_sum = 0.0;
        int rated_count = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (!rated[i]) continue;
            log_sum += std::log(next[i]);
            ++rated_count;
        }
        const double scale = std::exp(-log_sum / rated_count);
        for (std::size_t i = 0; i < n; ++i) {
            if (!rated[i]) continue;
            next[i] *= scale;
            change = std::max(change, std::fabs(std::log(next[i] / strength[i])));
        }
        strength = next;
        if (change < 1e-10) break;
    }
    std::vector<double> elo(n, -1e9);
    for (std::size_t i = 0; i < n; ++i) {
        if (rated[i]) elo[i] = 400.0 * std::log10(strength[i]);
    }
    return elo;
}

// The ladder as one line, from the weakest to the strongest, the weakest at
// 0 and the step to each next player between them.
void print_ladder(const std::vector<Entrant> &players, const std::vector<double> &elo) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (elo[i] > -1e8) order.push_back(i);
    }
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return elo[a] < elo[b]; });
    const double base = elo[order.front()];
    std::printf(
        "\nLadder (Bradley-Terry over the two-seat games, Elo scale, the weakest at 0; the step between "
        "neighbours in brackets):\n\n");
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k > 0) std::printf(" (+%.0f) ", elo[order[k]] - elo[order[k - 1]]);
        std::printf("%s %.0f", players[order[k]].name.c_str(), elo[order[k]] - base);
    }
    std::printf("\n");
}

// Whether the strengths, in their order, rise: on the ladder, and against
// each panel player and seat count that every strength played. Against one
// opponent the rates are shown with <, = or > between neighbours; a step
// holds when the stronger wins more, or both win every game (there is no
// more to win).
void print_ladder_checks(const std::vector<Entrant> &players, const std::vector<double> &elo,
                         const std::vector<Played> &played) {
    const int count = static_cast<int>(players.size());
    std::string names;
    bool rising = true;
    bool all_rated = true;
    for (int s = kPanel; s < count; ++s) {
        names += (s > kPanel ? ", " : "") + players[static_cast<std::size_t>(s)].name;
        all_rated = all_rated && elo[static_cast<std::size_t>(s)] > -1e8;
        if (s > kPanel) {
            rising = rising && elo[static_cast<std::size_t>(s)] > elo[static_cast<std::size_t>(s - 1)];
        }
    }
    std::printf("\nThe strengths in their order (%s):\n", names.c_str());
    if (all_rated) std::printf("- rise on the ladder: %s\n", rising ? "yes" : "NO");
    for (int p = 0; p < kPanel; ++p) {
        for (const int seats : {2, 4}) {
            std::string rates;
            bool complete = true;
            bool up = true;
            double previous = 0.0;
            for (int s = kPanel; s < count; ++s) {
                double wins = -1.0;
                int games = 0;
                for (const Played &result : played) {
                    if (result.pairing->subject == s && result.pairing->opponent == p &&
                        result.pairing->seats == seats) {
                        wins = result.wins;
                        games = result.games;
                    }
                }
                if (wins < 0) {
                    complete = false;
                    break;
                }
                const double rate = 100.0 * wins / games;
                // Compared as printed, to a tenth, so the sign agrees with the figures.
                const double shown = std::round(rate * 10.0) / 10.0;
                char text[24];
                if (s == kPanel) {
                    std::snprintf(text, sizeof text, "%.1f%%", rate);
                } else {
                    const char sign = shown > previous ? '<' : shown < previous ? '>' : '=';
                    up = up && (sign == '<' || (sign == '=' && shown == 100.0));
                    std::snprintf(text, sizeof text, " %c %.1f%%", sign, rate);
                }
                previous = shown;
                rates += text;
            }
            if (!complete) continue;
            std::printf("- against %s%s: %s, %s\n", seats == 2 ? "" : "3 ",
                        players[static_cast<std::size_t>(p)].name.c_str(), rates.c_str(),
                        up ? "rising" : "NOT rising");
        }
    }
}

}  // namespace

int main(int argc, char **argv) {
    int games = kDefaultGames;
    const char *only = nullptr;
    bool references = false;
    int threads = static_cast<int>(std::thread::hardware_concurrency());
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--games") == 0 && i + 1 < argc) {
            games = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        } else if (std::strcmp(argv[i], "--references") == 0) {
            references = true;
        } else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
            threads = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--games N] [--only NAME] [--references] [--threads N]\n",
                         argv[0]);
            return 2;
        }
    }
    games = std::max(games, 1);
    threads = std::max(threads, 1);

    const std::vector<Entrant> players = all_entrants();
    const std::vector<Pairing> pairings = all_pairings(players, references);

    std::printf(
        "| pairing | seats | games | win rate | 95%% interval | target | met | think median / worst ms "
        "(processor) |\n");
    std::printf("|---|---:|---:|---:|---|---:|---|---:|\n");
    std::vector<std::vector<double>> cpu_of(players.size());  // every timed turn of each player
    std::vector<std::vector<double>> wall_of(players.size());
    std::vector<Played> played;
    bool all_met = true;
    const auto started = Clock::now();
    for (const Pairing &pairing : pairings) {
        if (only != nullptr && !chosen(pairing.name, only)) continue;
        const std::vector<GameResult> results = play_pairing(players, pairing, games, threads);
        double wins = 0.0;
        std::vector<double> subject_ms;
        for (const GameResult &result : results) {
            wins += result.share;
            for (const Thought &thought : result.thoughts) {
                cpu_of[static_cast<std::size_t>(thought.player)].push_back(thought.cpu_ms);
                wall_of[static_cast<std::size_t>(thought.player)].push_back(thought.wall_ms);
                if (thought.subject) subject_ms.push_back(thought.cpu_ms);
            }
        }
        const int count = static_cast<int>(results.size());
        played.push_back({&pairing, wins, count});
        double low = 0.0;
        double high = 0.0;
        wilson(wins, count, low, high);
        const double rate = 100.0 * wins / count;
        const bool met = pairing.target == 0 || (rate >= pairing.target && rate <= pairing.ceiling);
        all_met = all_met && met;
        char target[32] = "-";
        if (pairing.ceiling < 100) {
            std::snprintf(target, sizeof target, "%.0f%% to %.0f%%", pairing.target, pairing.ceiling);
        } else if (pairing.target > 0) {
            std::snprintf(target, sizeof target, "%.0f%%", pairing.target);
        }
        char thinking[48] = "-";
        if (!subject_ms.empty()) {
            std::snprintf(thinking, sizeof thinking, "%.2f / %.2f", percentile(subject_ms, 0.5),
                          percentile(subject_ms, 1.0));
        }
        std::printf("| %s | %d | %d | %.1f%% | %.1f%% to %.1f%% | %s | %s | %s |\n", pairing.name.c_str(),
                    pairing.seats, count, rate, 100.0 * low, 100.0 * high, target,
                    pairing.target == 0 ? "-" : (met ? "yes" : "NO"), thinking);
        std::fflush(stdout);
    }

    bool connected = true;
    const std::vector<double> elo = ratings(played, static_cast<int>(players.size()), connected);
    if (connected) {
        print_ladder(players, elo);
    } else {
        std::printf("\nNo ladder: the two-seat games played do not join every player to the others.\n");
    }
    print_ladder_checks(players, elo, played);

    std::printf(
        "\nThinking per turn, every turn played in these games (limit %.0f ms for the strengths):\n\n"
        "| player | turns | processor median / 99.9th percentile / worst ms | wall clock median / worst ms "
        "|\n|---|---:|---:|---:|\n",
        kThinkingLimitMs);
    bool fast = true;
    for (std::size_t i = 0; i < players.size(); ++i) {
        if (!players[i].timed() || cpu_of[i].empty()) continue;
        const double worst = percentile(cpu_of[i], 1.0);
        if (players[i].kind == Kind::COMPUTER) fast = fast && worst <= kThinkingLimitMs;
        std::printf("| %s | %zu | %.2f / %.2f / %.2f | %.2f / %.2f |\n", players[i].name.c_str(),
                    cpu_of[i].size(), percentile(cpu_of[i], 0.5), percentile(cpu_of[i], 0.999), worst,
                    percentile(wall_of[i], 0.5), percentile(wall_of[i], 1.0));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::printf("\nRun time %.0f s on %d threads.\n", seconds, threads);
    return all_met && fast ? 0 : 1;
}
