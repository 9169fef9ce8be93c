// The soak: whole games played at random to their end, in colour and in
// monochrome with one to four players, and a monkey that types random keys
// at every kind of prompt and then quits, in the C locale and in a UTF-8
// one. Nothing may crash, hang, write to standard error (a sanitizer report)
// or leave the terminal changed.
//
// VEGATRADE_SOAK_GAMES and VEGATRADE_SOAK_KEYS size the run (scripts/reliability).
#include <csignal>
#include <sstream>

#include "reliability/driver.h"
#include "support/bot.h"
#include "support/game_driver.h"

namespace reliability {
namespace {

struct GameSet {
    int players;
    bool colour;
};

std::ostream &operator<<(std::ostream &os, const GameSet &set) {
    return os << set.players << (set.colour ? " colour" : " mono");
}

std::string describe(const Tally &tally) {
    std::ostringstream out;
    out << "finished=" << tally.games_finished << " quit=" << tally.games_quit << " keys=" << tally.keys
        << " random_keys=" << tally.random_keys << " turns=" << tally.turns;
    for (const auto &[kind, count] : tally.announcements) out << " [" << kind << "]=" << count;
    for (const auto &[stage, count] : tally.monkey_stages) out << " {" << stage << "}=" << count;
    return out.str();
}

// What the game wrote while curses held the terminal: everything before
// curses first leaves the alternate screen. From there the terminal's echo
// is on again, so keys a burst typed once the terminal was restored are
// echoed by the terminal itself, raw bytes included; only the banner after
// them comes from the game.
std::string written_by_game(const std::string &output) {
    return output.substr(0, output.find("\033[?1049l"));
}

// Checks how a game ended: the allowed status, nothing on standard error,
// and the terminal modes as they were.
void check_ending(Terminal &t, std::initializer_list<int> allowed, Tally &tally) {
    const auto status = t.wait_exit(Millis{10000});
    ASSERT_TRUE(status.has_value()) << "hang: no exit\n" << t.dump();
    bool expected = false;
    for (int code : allowed) expected = expected || *status == e2e::ExitStatus::exited(code);
    // A monkey's burst may go on while the game leaves raw mode on its way
    // out: once the terminal is restored its Ctrl-C or Ctrl-\ signals the
    // exiting program, as a shell would, and the signal's default action
    // ends it, before or after the banner, writing nothing more.
    const bool restored = t.output_bytes().find("\033[?1049l") != std::string::npos;
    if (restored &&
        (*status == e2e::ExitStatus::killed(SIGINT) || *status == e2e::ExitStatus::killed(SIGQUIT))) {
        ++tally.games_quit;
        return;
    }
    ASSERT_TRUE(expected) << "ended with " << *status << "\n" << t.dump();
    EXPECT_EQ(t.stderr_text(), "");
    EXPECT_TRUE(t.modes_restored());
    // The banner follows the restored terminal.
    EXPECT_NE(t.output_bytes().find("Vegatrade for ncurses"), std::string::npos);
    if (status->code == 0) ++tally.games_finished;
    if (status->code == 2) ++tally.games_quit;
}

std::string set_name(const ::testing::TestParamInfo<GameSet> &param) {
    return std::to_string(param.param.players) + (param.param.colour ? "Colour" : "Mono");
}

class CompleteGames : public ::testing::TestWithParam<GameSet> {};

TEST_P(CompleteGames, EndWithTheFinalStandings) {
    const GameSet set = GetParam();
    const long games = (setting("VEGATRADE_SOAK_GAMES", 16) + 7) / 8;
    // Every so many games the bot plays, reading each screen and checking it
    // against the rules; the others type a blind stream of keys, which is
    // far faster.
    const long read_every = setting("VEGATRADE_SOAK_READ_EVERY", 2);
    std::ostringstream name;
    name << "games " << set;
    std::mt19937 rng(seed_for(name.str()));
    Tally tally;
    long reading_games = 0;
    const auto start = Clock::now();
    for (long game = 0; game < games && !HasFailure(); ++game) {
        if ((game + 1) % read_every == 0) {
            // The bot checks every screen against its own account of the game.
            e2e::Bot bot({.players = set.players,
                          .monochrome = !set.colour,
                          .seed = static_cast<std::uint32_t>(rng()),
                          .hotkey_percent = 12,
                          .invalid_amount_percent = 1});
            ASSERT_TRUE(bot.play()) << "game " << game;
            ++tally.games_finished;
            tally.turns += bot.stats().turns;
            ++reading_games;
            continue;
        }
        Terminal t(with_args({set.colour ? "-c" : "-m"}));
        Driver driver(t, rng, tally);
        driver.players = set.players;
        ASSERT_TRUE(driver.play_blind()) << "game " << game;
        check_ending(t, {0}, tally);
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count();
    report(name.str() + ": " + describe(tally) + " screen-reading=" + std::to_string(reading_games) +
           " seconds=" + std::to_string(seconds));
    EXPECT_EQ(tally.games_finished, games);
}

INSTANTIATE_TEST_SUITE_P(Soak, CompleteGames,
                         ::testing::Values(GameSet{1, true}, GameSet{2, true}, GameSet{3, true},
                                           GameSet{4, true}, GameSet{1, false}, GameSet{2, false},
                                           GameSet{3, false}, GameSet{4, false}),
                         set_name);

constexpr int MONKEY_SHARDS = 8;

class Monkey : public ::testing::TestWithParam<int> {};

// Each game gets a budget of random keys; once it is spent the driver
// quits, so every game must end (finished or quit) within its time.
TEST_P(Monkey, RandomKeysEverywhereThenQuit) {
    const int shard = GetParam();
    const long keys = setting("VEGATRADE_SOAK_KEYS", 2000) / MONKEY_SHARDS;
    const std::string name = "monkey " + std::to_string(shard);
    std::mt19937 rng(seed_for(name));
    Tally tally;
    const auto start = Clock::now();
    for (long game = 0; tally.random_keys < keys && !HasFailure(); ++game) {
        // Every other pair of games runs in a UTF-8 locale.
        const bool utf8 = game % 4 >= 2;
        e2e::Options options = with_args({game % 2 == 0 ? "-c" : "-m"});
        if (utf8) options.env["LANG"] = "C.UTF-8";
        // A burst goes on while the game leaves: its Ctrl-C or Ctrl-\ must not
        // throw away the game's last bytes before they are read.
        options.no_flush_on_signals = true;
        Terminal t(options);
        Driver driver(t, rng, tally);
        driver.players = 1 + static_cast<int>(game % 4);
        driver.monkey_budget = std::uniform_int_distribution<long>(20, 400)(rng);
        driver.game_limit = Millis{120000};
        ASSERT_TRUE(driver.play()) << "game " << game;
        check_ending(t, {0, 2}, tally);
        if (utf8) {
            EXPECT_TRUE(e2e::valid_utf8(written_by_game(t.output_bytes()))) << "game " << game;
        }
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count();
    report(name + ": " + describe(tally) + " seconds=" + std::to_string(seconds));
}

INSTANTIATE_TEST_SUITE_P(Soak, Monkey, ::testing::Range(0, MONKEY_SHARDS),
                         [](const ::testing::TestParamInfo<int> &param_info) {
                             return "Shard" + std::to_string(param_info.param);
                         });

}  // namespace
}  // namespace reliability
