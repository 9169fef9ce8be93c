// vegatrade_rules_bench: how fast the rules resolve moves on copied games,
// as a player that looks ahead would use them. A fixed set of positions is
// played out from pinned seeds; the benchmark then copies each position and
// resolves each of its candidate sectors, over and over, and reports moves
// per second on one core, how many of the moves merged companies, and the
// heap allocations made while timing (there should be none).
//
//   vegatrade_rules_bench [--seconds S]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "rules/course.h"

namespace {

// Every allocation of the process is counted, so the timed loop can show it
// made none.
std::uint64_t allocations = 0;

struct Position {
    Game game;
    int candidates[MAP_CELLS];
    int candidate_count;
};

// Plays a game from a pinned seed through the course of a game, claiming
// random offers and buying a random company's shares now and then, and
// keeps a position every few turns with every sector that could be offered
// in it.
struct RandomSeat {
    SeededRandom *generator;
};

int random_choice(void *self, const Game &, const int[], int offer_count) {
    return seeded_random(*static_cast<RandomSeat *>(self)->generator).next() % offer_count;
}

void random_trade(void *self, Game &game) {
    const int company = seeded_random(*static_cast<RandomSeat *>(self)->generator).next() % NUM_COMPANIES;
    if (game.companies[company].size == 0) return;
    int min = 0;
    int max = 0;
    trade_range(game, company, min, max);
    apply_trade(game, company, max / 2);
}

void collect_positions(std::uint64_t seed, std::vector<Position> &positions) {
    SeededRandom generator{seed};
    RandomSeat player{&generator};
    const TurnSeat seat{random_choice, nullptr, random_trade, &player};
    Game game;
    open_game(game, seeded_random(generator));
    seat_players(game, 2 + static_cast<int>(seed % 3), 0);
    for (int turn = 0;; ++turn) {
        if (turn % 3 == 0) {
            Position position;
            position.game = game;
            position.candidate_count = 0;
            // The candidates: every open sector.
            for (int pos = 0; pos < MAP_CELLS; ++pos) {
                if (game.galaxy[pos] == SECTOR_EMPTY) position.candidates[position.candidate_count++] = pos;
            }
            positions.push_back(position);
        }
        if (!play_turn(game, seeded_random(generator), seat)) break;
    }
}

}  // namespace

void *operator new(std::size_t size) {
    ++allocations;
    if (void *block = std::malloc(size == 0 ? 1 : size)) return block;
    std::abort();
}
void operator delete(void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }

int main(int argc, char *argv[]) {
    double seconds = 2.0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
    }
    std::vector<Position> positions;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) collect_positions(seed, positions);
    long moves_per_round = 0;
    for (const Position &position : positions) moves_per_round += position.candidate_count;

    // One round resolves every candidate of every position once, each on a
    // fresh copy of its position.
    SeededRandom generator{2026};
    MoveReport report;
    long moves = 0;
    long mergers = 0;
    long splits = 0;
    std::uint64_t checksum = 0;
    const std::uint64_t allocations_before = allocations;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto elapsed = Clock::duration::zero();
    do {
        for (const Position &position : positions) {
            for (int k = 0; k < position.candidate_count; ++k) {
                Game copy = position.game;
                do_move(copy, position.candidates[k], seeded_random(generator), report);
                for (int e = 0; e < report.event_count; ++e) {
                    mergers += report.events[e].kind == EventKind::MERGED ? 1 : 0;
                    splits += report.events[e].kind == EventKind::SPLIT ? 1 : 0;
                }
                checksum += static_cast<std::uint64_t>(copy.companies[0].price) +
                            static_cast<std::uint64_t>(report.change_count);
            }
        }
        moves += moves_per_round;
        elapsed = Clock::now() - start;
    } while (elapsed < std::chrono::duration<double>(seconds));
    const std::uint64_t allocated = allocations - allocations_before;

    const double secs = std::chrono::duration<double>(elapsed).count();
    const double rate = static_cast<double>(moves) / secs;
    std::printf("Rules: moves resolved on copied games, one core\n");
    std::printf("  positions              %zu (from 40 pinned games, every third turn)\n", positions.size());
    std::printf("  moves per round        %ld (every open sector of every position)\n", moves_per_round);
    std::printf("  mergers, splits        %.1f%%, %.1f%% of the moves\n",
                100.0 * static_cast<double>(mergers) / static_cast<double>(moves),
                100.0 * static_cast<double>(splits) / static_cast<double>(moves));
    std::printf("  moves per second       %.0f   (target at least 1000000)  %s\n", rate,
                rate >= 1e6 ? "ok" : "MISSED");
    std::printf("  ns per move            %.0f   (the copy of the game included)\n", 1e9 / rate);
    std::printf("  heap allocations       %llu in %ld moves   (target 0)  %s\n",
                static_cast<unsigned long long>(allocated), moves, allocated == 0 ? "ok" : "MISSED");
    std::printf("  checksum               %llu\n", static_cast<unsigned long long>(checksum));
    return rate >= 1e6 && allocated == 0 ? 0 : 1;
}
