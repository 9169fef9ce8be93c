// Keys as players' habits expect: keys typed while a computer plays never
// reach the screen, Ctrl-L repaints the whole screen (the final standings
// too) and Ctrl-Z suspends the game like other full-screen programs, at
// every prompt and during a computer's turn.
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/game_driver.h"

namespace e2e {
namespace {

// A two-seat game whose first turn is the computer's, and a one-player game.
constexpr PinnedClock COMPUTER_FIRST{1992, 1250};
constexpr PinnedClock ALONE{2026, 1210};

Options pinned(PinnedClock clock, bool job_control = false) {
    Options options;
    options.args = {"-c"};
    options.pin_clock = clock;
    options.job_control = job_control;
    return options;
}

// The whole screen as it looks: every cell's character and style, and the
// cursor. A blank shows only its background, and curses may clear a blank
// it holds as white on black with the terminal's default colours.
std::string look(const Terminal &t) {
    std::ostringstream out;
    for (int row = 0; row < t.rows(); ++row) {
        for (int col = 0; col < t.cols(); ++col) {
            const Cell cell = t.cell(row, col);
            if (cell.ch == " ") {
                out << (cell.reverse ? "R" : "_") << (cell.bg == -1 ? 0 : cell.bg) << ' ';
            } else {
                out << cell << ' ';
            }
        }
        out << '\n';
    }
    out << t.cursor();
    return out.str();
}

// Writes to the game's terminal as another program would.
void write_over(const Terminal &t, std::string_view bytes) {
    const std::string path = "/proc/" + std::to_string(t.pid()) + "/fd/1";
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

// Text over the top row, the left column and the middle of the screen.
constexpr std::string_view GARBAGE =
    "\033[1;1Hxx garbage \033[7mover\033[0m the top row\033[8;1HX\033[9;1HY"
    "\033[12;20Hin the middle\033[24;1H|left";

// One step of a computer's turn, or a person's prompt, as a run shows it.
struct Step {
    std::string look;
    std::string dump;
    bool pause;  // a computer's pause; else the game waits for a person
    Screen screen;
};

// The keys a person mashes while the computer plays, one group to a pause:
// each group ends the pause it comes in (Ctrl-L only repaints it, and the
// quit question asked by Ctrl-C is answered n).
const std::vector<std::vector<std::string>> MASHED = {
    {"z"}, {"6"},         {" "}, {"\x0c", "7"},         {"\x03", "n"},
    {"9"}, {"x", "\x0c"}, {"w"}, {"\x0c", "\x03", "n"}, {"0"},
};

// Plays the pinned two-seat game to the person's third move prompt: the
// person takes the first offer and trades nothing. Without `quiet` the
// computer plays at its own pace and every step is recorded; with it, a
// group of keys is typed at each of its pauses and every screen must be one
// the quiet run showed, in the same order. Returns the steps seen.
::testing::AssertionResult play(Terminal &t, std::vector<Step> &steps, const std::vector<Step> *quiet) {
    std::size_t matched = 0;  // the quiet run's steps matched so far
    // Whether the screen is one the quiet run showed, at its step `matched` or later.
    auto seen_quietly = [&]() -> ::testing::AssertionResult {
        if (quiet == nullptr) return ::testing::AssertionSuccess();
        const std::string now = look(t);
        std::size_t at = matched;
        while (at < quiet->size() && (*quiet)[at].look != now) ++at;
        if (at == quiet->size()) {
            return ::testing::AssertionFailure()
                   << "a screen the run without keys never showed, after its step " << matched << ":\n"
                   << t.dump() << "\nthat step:\n"
                   << (matched < quiet->size() ? (*quiet)[matched].dump : "");
        }
        matched = at;
        return ::testing::AssertionSuccess();
    };
    int prompts = 0;
    std::size_t groups = 0;
    std::string last;
    const auto deadline = std::chrono::steady_clock::now() + Millis{120000};
    for (;;) {
        if (std::chrono::steady_clock::now() > deadline)
            return ::testing::AssertionFailure() << "no third move prompt\n" << t.dump();
        if (!t.running()) return ::testing::AssertionFailure() << "the game ended\n" << t.dump();
        const bool waiting = t.awaiting_key();
        const bool pausing = !waiting && t.pausing();
        if (!waiting && !pausing) {
            t.wait_until_quiet(Millis{2}, Millis{20});
            continue;
        }
        auto known = seen_quietly();
        if (!known) return known;
        const std::string now = look(t);
        if (now != last) steps.push_back({now, t.dump(), pausing, screen_of(t)});
        last = now;
        if (pausing) {
            if (quiet == nullptr) {
                t.wait_until_quiet(Millis{2}, Millis{20});
                continue;
            }
            for (const std::string &key : MASHED[groups++ % MASHED.size()]) {
                // A key ends the pause: the next key waits for the next step.
                t.type(key);
                if (!t.wait_for([&] { return t.awaiting_key() || t.pausing(); }))
                    return ::testing::AssertionFailure() << "the game went on after " << key << "\n"
                                                         << t.dump();
                if (screen_of(t) == Screen::Quit) continue;
                known = seen_quietly();
                if (!known) return known << "after the key " << ::testing::PrintToString(key);
            }
            continue;
        }
        const auto prompt = move_prompt_of(t);
        const bool bobs_prompt = screen_of(t) == Screen::Move && prompt->player == "Bob";
        if (bobs_prompt && ++prompts == 3) return ::testing::AssertionSuccess();
        const auto answer = answer_for(t);
        if (!answer || (screen_of(t) == Screen::Move && !bobs_prompt))
            return ::testing::AssertionFailure() << "a screen that asks nothing known\n" << t.dump();
        t.type(*answer);
    }
}

// Letters, digits, blanks, Ctrl-C and Ctrl-L typed at every step of a
// computer's turn (its offers, its digit, each step of its trading) leave
// every screen exactly as a run where nobody types.
TEST(Keys, MashedDuringAComputersTurnNeverReachTheScreen) {
    std::vector<Step> quiet;
    {
        Terminal t(pinned(COMPUTER_FIRST));
        ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
        ASSERT_TRUE(play(t, quiet, nullptr));
    }
    int trading_steps = 0;
    for (const Step &step : quiet) trading_steps += step.pause && step.screen == Screen::Amount;
    ASSERT_GE(trading_steps, 2) << "the computer traded too little to be watched";

    std::vector<Step> mashed;
    Terminal t(pinned(COMPUTER_FIRST));
    ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
    ASSERT_TRUE(play(t, mashed, &quiet));
    EXPECT_EQ(look(t), quiet.back().look) << t.dump() << "\nwithout keys:\n" << quiet.back().dump;
}

// The terminal shrinks while the computer plays and grows again when a
// person is asked for a key: the game plays on, and Ctrl-L then shows the
// whole screen as a run without the change.
TEST(Keys, CtrlLAfterTheTerminalShrankDuringAComputersTurnShowsTheWholeScreen) {
    std::string quiet;
    std::string quiet_dump;
    {
        Terminal t(pinned(COMPUTER_FIRST));
        ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
        ASSERT_TRUE(t.wait_for_key_request(Millis{60000}));
        quiet = look(t);
        quiet_dump = t.dump();
    }
    Terminal t(pinned(COMPUTER_FIRST));
    ASSERT_TRUE(answer_title_screen(t, {"", "Bob"}));
    ASSERT_TRUE(t.wait_for([&] { return t.pausing(); }));
    t.resize(20, 60);
    write_over(t, GARBAGE);
    ASSERT_TRUE(t.wait_for_key_request(Millis{60000}));
    t.resize(25, 80);
    t.type(key::CtrlL);
    ASSERT_TRUE(t.wait_for([&] { return look(t) == quiet; }, kDefaultTimeout, "the whole screen"))
        << "without the change:\n"
        << quiet_dump;
    ASSERT_TRUE(t.wait_for_key_request());
}

// The final standings of the pinned one-player game after a quit.
constexpr std::string_view FINAL_STANDINGS = R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | 3  .  .  .  .  .  .  1  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . | no active companies
 | .  .  .  .  *  .  .  .  .  .  2  . |
 | .  .  .┌=============  GAME OVER - Final Standings  ==============┐
 | .  .  .|                                                          |
 | .  .  .| =Player================Stock Value===Cash=====Net Worth= |
 | .  .  .|                                                          |
 | .  .  .|  Ann                   $0          $6000      $6000      |
 | .  .  .|                                                          |
 | .  .  .|                 Ann finishes with $6000                  |
 └--------|                                                          |
 ┌////////|         Available company sectors remaining: 65          |////////┐
 |        |                                                          |        |
 | Ann, en| R: the record, G: the chart, any other key ends the game |        |
 |        └==========================================================┘        |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)";

// At the final standings Ctrl-L repaints the whole screen, standings and
// all, and the game still waits for the key that ends it; while the
// terminal is too small, Ctrl-L only says so on the top row.
TEST(Keys, CtrlLAtTheFinalStandingsRepaintsAndKeepsWaiting) {
    Terminal t(pinned(ALONE));
    ASSERT_TRUE(start_players(t, {"Ann"}));
    t.type("qy");
    ASSERT_TRUE(
        t.wait_for([&] { return screen_of(t) == Screen::Final; }, kDefaultTimeout, "the final standings"));
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string before = look(t);

    t.resize(20, 70);
    write_over(t, GARBAGE);
    t.type(key::CtrlL);
    ASSERT_TRUE(t.wait_for_text(0, "Terminal too small, needs 80 x 24: enlarge it, then press Ctrl-L"));
    ASSERT_TRUE(t.wait_for_key_request());

    t.resize(25, 80);
    write_over(t, GARBAGE);
    t.type(key::CtrlL);
    EXPECT_TRUE(t.expect_screen(FINAL_STANDINGS));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(look(t), before);
    EXPECT_TRUE(t.running());

    t.type(" ");
    EXPECT_TRUE(ended_with(t, 2, ""));
}

// Where a Ctrl-Z is typed, and how the game gets there.
struct SuspendCase {
    const char *place;
    bool computer;  // during a computer's turn: the two-seat game, else Ann alone
    std::function<::testing::AssertionResult(Terminal &)> reach;
};

void PrintTo(const SuspendCase &c, std::ostream *out) { *out << c.place; }

::testing::AssertionResult after(Terminal &t, std::string_view keys, Screen shown) {
    t.type(keys);
    return t.wait_for([&] { return screen_of(t) == shown; }, kDefaultTimeout, screen_name(shown));
}

::testing::AssertionResult to_trading(Terminal &t) {
    auto started = start_players(t, {"Ann"});
    if (!started) return started;
    return answer_until(t, [&] { return screen_of(t) == Screen::Trade; });
}

const SuspendCase SUSPEND_CASES[] = {
    {"NumberPrompt", false,
     [](Terminal &t) {
         return t.wait_for([&] { return screen_of(t) == Screen::Number; }, kDefaultTimeout,
                           "the number prompt");
     }},
    {"NameEntry", false,
     [](Terminal &t) {
         t.type("1An");
         return t.wait_for_screen_contains("Player 1, enter your name: An");
     }},
    {"MovePrompt", false, [](Terminal &t) { return start_players(t, {"Ann"}); }},
    {"Standings", false,
     [](Terminal &t) {
         auto started = start_players(t, {"Ann"});
         return started ? after(t, "s", Screen::Standings) : started;
     }},
    {"Help", false,
     [](Terminal &t) {
         auto started = start_players(t, {"Ann"});
         return started ? after(t, "?", Screen::Help) : started;
     }},
    {"QuitQuestion", false,
     [](Terminal &t) {
         auto started = start_players(t, {"Ann"});
         return started ? after(t, "q", Screen::Quit) : started;
     }},
    {"Announcement", false,
     [](Terminal &t) {
         auto started = start_players(t, {"Ann"});
         if (!started) return started;
         return answer_until(t, [&] { return screen_of(t) == Screen::Announcement; });
     }},
    {"Trading", false, to_trading},
    {"AmountEntry", false,
     [](Terminal &t) {
         auto trading = to_trading(t);
         return trading ? after(t, "\r1", Screen::Amount) : trading;
     }},
    {"CompanyReport", false,
     [](Terminal &t) {
         auto trading = to_trading(t);
         return trading ? after(t, "c", Screen::Report) : trading;
     }},
    {"FinalStandings", false,
     [](Terminal &t) {
         auto started = start_players(t, {"Ann"});
         return started ? after(t, "qy", Screen::Final) : started;
     }},
    {"ComputersTurn", true,
     [](Terminal &t) {
         auto answered = answer_title_screen(t, {"", "Bob"});
         if (!answered) return answered;
         return t.wait_for([&] {
             const auto prompt = move_prompt_of(t);
             return t.pausing() && prompt && prompt->player.ends_with("(normal)");
         });
     }},
};

class Suspend : public ::testing::TestWithParam<SuspendCase> {};

// Ctrl-Z stops the game as the terminal's suspend key stops other programs:
// while it is stopped the terminal has the modes it had before the game,
// shows its main screen and the cursor; on `fg` (SIGCONT) the whole screen
// comes back and the game waits where it was (a computer's pause goes on).
TEST_P(Suspend, CtrlZStopsTheGameAndFgBringsBackTheWholeScreen) {
    const SuspendCase &c = GetParam();
    Terminal t(pinned(c.computer ? COMPUTER_FIRST : ALONE, true));
    ASSERT_TRUE(c.reach(t));
    auto waiting = [&] { return c.computer ? t.pausing() : t.awaiting_key(); };
    ASSERT_TRUE(t.wait_for(waiting));
    const std::string before = look(t);
    const std::string before_dump = t.dump();

    t.type("\x1a");
    ASSERT_TRUE(t.wait_for([&] { return t.stopped(); }, kDefaultTimeout, "the game stopped"));
    ASSERT_TRUE(t.wait_until_quiet());
    const auto modes = t.modes_now();
    ASSERT_TRUE(modes.has_value());
    EXPECT_TRUE(same_modes(t.modes_before(), *modes));
    EXPECT_FALSE(t.altscreen());
    EXPECT_TRUE(t.cursor_visible());

    t.send_signal(SIGCONT);
    ASSERT_TRUE(t.wait_for([&] { return !t.stopped() && waiting() && look(t) == before; }, kDefaultTimeout,
                           "the whole screen again"))
        << "before Ctrl-Z:\n"
        << before_dump;
    EXPECT_TRUE(t.altscreen());

    if (c.computer) {
        // The computer goes on to its digit.
        ASSERT_TRUE(t.wait_for([&] {
            const auto prompt = move_prompt_of(t);
            return prompt && prompt->typed.size() == 1 && prompt->typed[0] >= '1' && prompt->typed[0] <= '5';
        }));
    } else if (std::string(c.place) == "FinalStandings") {
        // Leaving after a suspension gives the terminal back as the game found it.
        t.type(" ");
        EXPECT_TRUE(ended_with(t, 2, ""));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, Suspend, ::testing::ValuesIn(SUSPEND_CASES),
                         [](const auto &param_info) { return std::string(param_info.param.place); });

// A terminal that shrank while the game was stopped: on `fg` the top row
// says what size the game needs, and once the terminal is large enough
// again Ctrl-L shows the whole screen.
TEST(Keys, FgOnATerminalThatShrankShowsTheNoteUntilCtrlL) {
    Terminal t(pinned(ALONE, true));
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string before = look(t);
    t.type("\x1a");
    ASSERT_TRUE(t.wait_for([&] { return t.stopped(); }, kDefaultTimeout, "the game stopped"));
    t.resize(20, 70);
    t.send_signal(SIGCONT);
    ASSERT_TRUE(t.wait_for_text(0, "Terminal too small, needs 80 x 24: enlarge it, then press Ctrl-L"));
    ASSERT_TRUE(t.wait_for_key_request());
    // Nothing else is drawn into the small terminal, which would scroll.
    for (int row = 1; row < 20; ++row) EXPECT_EQ(t.row_text(row), "") << t.dump();
    t.resize(25, 80);
    t.type(key::CtrlL);
    ASSERT_TRUE(t.wait_for([&] { return look(t) == before; }, kDefaultTimeout, "the whole screen"))
        << t.dump();
}

// Where no shell can continue a stopped game (its process group is
// orphaned, as under a terminal's own session), Ctrl-Z does not stop it:
// the screen comes back at once and the game goes on.
TEST(Keys, CtrlZWithoutJobControlOnlyRepaints) {
    Terminal t(pinned(ALONE));
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string before = look(t);
    t.type("\x1a");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_FALSE(t.stopped());
    EXPECT_EQ(look(t), before) << t.dump();
    t.type("qy ");
    EXPECT_TRUE(ended_with(t, 2, ""));
}

}  // namespace
}  // namespace e2e
