// The picture of the main screen in the README is the screen of a real run:
// a pinned two-player game after a few turns. Run this test with
// VEGATRADE_UPDATE_README=1 to write the picture anew after a change to what
// the game draws.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/game_driver.h"

namespace e2e {
namespace {

constexpr const char *BEGIN = "<!-- main screen: begin -->\n```text\n";
constexpr const char *END = "```\n<!-- main screen: end -->";

// Plays `moves` turns, always taking offer 1 and buying all the cash
// allows of the first company listed.
::testing::AssertionResult play_turns(Terminal &t, int moves) {
    for (int move = 0; move < moves; ++move) {
        t.type("1");
        bool traded = false;
        for (;;) {
            auto settled = t.wait_until_quiet(Millis{60});
            if (!settled) return settled;
            const std::string screen = t.screen_text();
            if (screen.find("Press any key to continue...") != std::string::npos) {
                t.type(" ");
            } else if (screen.find("escape when done:") != std::string::npos) {
                t.type(traded ? key::Escape : "\rm\r");
                traded = true;
            } else if (at_move_prompt(t)) {
                break;
            } else {
                return ::testing::AssertionFailure() << "unexpected screen:\n" << t.dump();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(ReadmePicture, ShowsTheMainScreenOfARealRun) {
    Options options;
    options.pin_clock = PinnedClock{2026, 1210};
    Terminal t(options);
    ASSERT_TRUE(start_players(t, {"Vega", "Altair"}));
    ASSERT_TRUE(play_turns(t, 10));
    ASSERT_TRUE(t.wait_until_quiet());
    const std::string picture = BEGIN + t.screen_text() + "\n" + END;

    const std::string path = std::string(VEGATRADE_SOURCE_DIR) + "/README.md";
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::string readme = text.str();
    const auto begin = readme.find(BEGIN);
    const auto end = readme.find(END);
    ASSERT_NE(begin, std::string::npos) << "README.md has no picture markers";
    ASSERT_NE(end, std::string::npos) << "README.md has no picture markers";

    const char *update = std::getenv("VEGATRADE_UPDATE_README");
    if (update != nullptr && std::string(update) == "1") {
        readme.replace(begin, end + std::string(END).size() - begin, picture);
        std::ofstream(path) << readme;
    } else {
        EXPECT_EQ(readme.substr(begin, end + std::string(END).size() - begin), picture)
            << "run with VEGATRADE_UPDATE_README=1 to take a new picture";
    }
}

}  // namespace
}  // namespace e2e
