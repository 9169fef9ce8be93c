// The generators the rules draw from: the C library's, which the game being
// played uses, and seeded ones of their own for copies of the game.
#include <cstdlib>

#include "rules/game.h"

namespace {

int draw_rand(void *) { return std::rand(); }

int draw_seeded(void *state) {
    SeededRandom &generator = *static_cast<SeededRandom *>(state);
    generator.state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = generator.state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<int>(z >> 33);  // 0 to 2^31 - 1, as rand() gives
}

}  // namespace

Random c_library_random() { return Random{draw_rand, nullptr}; }

Random seeded_random(SeededRandom &generator) { return Random{draw_seeded, &generator}; }
