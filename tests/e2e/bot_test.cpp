// Whole games played by the bot through the terminal, for every number of
// players, in colour and in monochrome. Each test case plays
// VEGATRADE_BOT_GAMES games (default 2) with the seeds VEGATRADE_BOT_SEED,
// VEGATRADE_BOT_SEED + 1, ... (default 1997; "random" draws one), so a
// longer soak is the same test with larger numbers:
//
//   VEGATRADE_BOT_GAMES=50 VEGATRADE_BOT_SEED=random ctest -R BotGames -j2
//
// and a failure, which names its seed, replays with that seed and one game.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

#include "support/bot.h"

namespace e2e {
namespace {

struct GameSetup {
    int players;
    bool monochrome;
};

std::string setup_name(const GameSetup &setup) {
    return std::to_string(setup.players) + (setup.players == 1 ? "Player" : "Players") +
           (setup.monochrome ? "Monochrome" : "Colour");
}

void PrintTo(const GameSetup &setup, std::ostream *os) { *os << setup_name(setup); }

int games_per_setup() {
    const char *text = std::getenv("VEGATRADE_BOT_GAMES");
    const int games = text != nullptr ? std::atoi(text) : 2;
    return games > 0 ? games : 1;
}

std::uint32_t first_seed() {
    const char *text = std::getenv("VEGATRADE_BOT_SEED");
    if (text == nullptr || *text == '\0') return 1997;
    if (std::string(text) == "random") return std::random_device{}();
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
}

class BotGames : public ::testing::TestWithParam<GameSetup> {};

TEST_P(BotGames, PlayToTheEndAsTheRulesSay) {
    const GameSetup &setup = GetParam();
    const std::uint32_t seed = first_seed();
    const int games = games_per_setup();
    for (int game = 0; game < games; ++game) {
        BotOptions options;
        options.players = setup.players;
        options.monochrome = setup.monochrome;
        options.seed = seed + static_cast<std::uint32_t>(game);
        Bot bot(options);
        const auto start = std::chrono::steady_clock::now();
        const ::testing::AssertionResult played = bot.play();
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("%s; %lld ms\n", bot.summary().c_str(), static_cast<long long>(ms));
        ASSERT_TRUE(played) << "replay: VEGATRADE_BOT_SEED=" << options.seed
                            << " VEGATRADE_BOT_GAMES=1 e2e_tests --gtest_filter='*BotGames*/"
                            << setup_name(setup) << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(Setups, BotGames,
                         ::testing::Values(GameSetup{1, false}, GameSetup{2, false}, GameSetup{3, false},
                                           GameSetup{4, false}, GameSetup{1, true}, GameSetup{2, true},
                                           GameSetup{3, true}, GameSetup{4, true}),
                         [](const auto &param_info) { return setup_name(param_info.param); });

}  // namespace
}  // namespace e2e
