// Computer seats end to end: Tab at a name prompt gives a seat to the
// computer, which plays through the same screens as a person at a pace
// people can follow. The tests hurry its pauses with a space, the key that
// ends a pause and does nothing else, typed only while the game pauses.
#include <functional>
#include <string>
#include <vector>

#include "support/game_driver.h"

namespace e2e {
namespace {

constexpr long long GALAXY_TIME = 1992;
constexpr long long GAME_PID = 1250;
constexpr Millis kGameTimeout{120000};

// A game on the pinned galaxy whose seats are given as names, "" for the
// computer's; the title screen is answered up to the first move.
struct Seats {
    std::vector<std::string> names;
};

Options pinned(bool colour = true) {
    Options options;
    options.args = {colour ? "-c" : "-m"};
    options.pin_clock = PinnedClock{GALAXY_TIME, GAME_PID};
    return options;
}

::testing::AssertionResult set_up(Terminal &t, const std::vector<std::string> &names) {
    auto ready = t.wait_for_screen_contains("Please enter the number of players [1-4]:");
    if (!ready) return ready;
    t.type(std::to_string(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto asked = t.wait_for_screen_contains("Player " + std::to_string(i + 1) + ", enter your name:");
        if (!asked) return asked;
        t.type(names[i].empty() ? std::string("\t") : names[i] + "\r");
    }
    return ::testing::AssertionSuccess();
}

// Lets the computers play, ending each of their pauses with a space, until
// the game waits for a person's key. `at_pause` sees each pause first, and
// may stop the hurrying by returning false.
::testing::AssertionResult hurry_to_a_person(Terminal &t, const std::function<bool()> &at_pause = {}) {
    const auto deadline = std::chrono::steady_clock::now() + kGameTimeout;
    for (;;) {
        if (!t.running()) return ::testing::AssertionFailure() << "the game ended\n" << t.dump();
        if (t.awaiting_key()) return ::testing::AssertionSuccess();
        if (t.pausing()) {
            if (at_pause && !at_pause()) return ::testing::AssertionSuccess();
            t.type(" ");
        }
        if (std::chrono::steady_clock::now() > deadline)
            return ::testing::AssertionFailure() << "no person was asked for a key\n" << t.dump();
        t.wait_until_quiet(Millis{2}, Millis{20});
    }
}

bool shows(const Terminal &t, std::string_view text) { return t.screen_text().find(text) != std::string::npos; }

}  // namespace
}  // namespace e2e
