// Hostile names: format directives, every control character a keyboard can
// type into the editor, escape sequences and bytes 128 to 255. The game
// stores them as typed and shows them in their visible form (^X, M-x)
// wherever a name appears; none of them reaches the terminal raw, and none
// is used as a format.
#include <set>

#include "reliability/driver.h"

namespace reliability {
namespace {

// How a name is shown: `cat -v` form, one byte at a time. The form is
// one-to-one, so seeing it shows the name was stored as typed.
std::string visible(const std::string &name) {
    std::string shown;
    for (const char c : name) {
        unsigned low = static_cast<unsigned char>(c);
        if (low >= 128) {
            shown += "M-";
            low -= 128;
        }
        if (low < 32 || low == 127) {
            shown += '^';
            shown += static_cast<char>(low == 127 ? '?' : low + 64U);
        } else {
            shown += static_cast<char>(low);
        }
    }
    return shown;
}

// The terminal only ever gets printable ASCII and the controls curses uses
// to move and to start sequences.
::testing::AssertionResult nothing_raw(const std::string &output) {
    const std::set<unsigned char> controls = {'\033', '\r', '\n', '\b', '\t'};
    for (std::size_t i = 0; i < output.size(); ++i) {
        const auto byte = static_cast<unsigned char>(output[i]);
        if (byte >= 127 || (byte < 32 && controls.count(byte) == 0)) {
            return ::testing::AssertionFailure() << "byte " << int{byte} << " at " << i << " of the output";
        }
    }
    if (output.find("\033]0;") != std::string::npos) return ::testing::AssertionFailure() << "a title sequence";
    return ::testing::AssertionSuccess();
}

// Names whose visible forms fit the layout's 20 columns.
const std::vector<std::string> NAMES = {
    "%s%n%d%x%%p%.9f%*d",
    "\x01\x02\x04\x05\x06\x07\x09\x0b\x0e\x0f",
    "\x1b[2J\x1b]0;X\x07",
    std::string("\x80\xe9\xff\x9b\xc3", 5),
};

TEST(HostileText, NamesShowInVisibleFormEverywhere) {
    std::mt19937 rng(seed_for("hostile names"));
    Tally tally;
    bool merger_seen = false;
    for (int game = 0; game < 4 && !merger_seen; ++game) {
        Terminal t(with_args({game % 2 == 0 ? "-c" : "-m"}));
        Driver driver(t, rng, tally);
        driver.players = 4;
        driver.names = NAMES;
        int prompts = 0;
        bool standings_seen = false;
        driver.stop_at = [&](Stage stage, const std::string &screen) {
            if (stage == Stage::Move) {
                // The prompt and the title carry the mover's name.
                const std::string prompt = t.row_text(15);
                bool known = false;
                for (const auto &name : NAMES) {
                    known = known || (prompt.find("| " + visible(name) + ", enter your move [1-") != std::string::npos &&
                                      t.row_text(13).find(" " + visible(name) + " (Cash: $") != std::string::npos);
                }
                EXPECT_TRUE(known) << t.dump();
                if (++prompts == 6 && !standings_seen) {
                    t.type("s");
                    EXPECT_TRUE(t.wait_for_screen_contains("Current Standings"));
                    for (const auto &name : NAMES) EXPECT_TRUE(t.wait_for_screen_contains(visible(name)));
                    standings_seen = true;
                    t.type(" ");
                    t.wait_until_quiet(Millis{30});
                }
            }
            if ((stage == Stage::Announcement && announcement_kind(screen) == "stock transactions") ||
                stage == Stage::Final) {
                merger_seen = merger_seen || stage == Stage::Announcement;
                for (const auto &name : NAMES) EXPECT_NE(screen.find(visible(name)), std::string::npos) << t.dump();
            }
            return false;
        };
        ASSERT_TRUE(driver.play());
        const auto status = t.wait_exit();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, e2e::ExitStatus::exited(0));
        EXPECT_EQ(t.stderr_text(), "");
        EXPECT_TRUE(nothing_raw(t.output_bytes()));
        EXPECT_TRUE(standings_seen);
    }
    EXPECT_TRUE(merger_seen) << "no merger in 4 games";
}

// Every control character the editor stores and every byte from 128, over
// the names of several games played to the end: nothing raw reaches the
// terminal and nothing breaks.
TEST(HostileText, EveryByteInNamesReachesTheTerminalOnlyVisibly) {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) {
        // Enter, erase and Ctrl-L are the editor's own keys; Ctrl-C leaves the program.
        if (byte == '\r' || byte == '\n' || byte == 8 || byte == 127 || byte == 12 || byte == 3) continue;
        if (byte < 32 || byte >= 128) bytes += static_cast<char>(byte);
    }
    std::mt19937 rng(seed_for("every byte"));
    Tally tally;
    for (std::size_t at = 0, game = 0; at < bytes.size(); ++game) {
        Terminal t(with_args({game % 2 == 0 ? "-c" : "-m"}));
        Driver driver(t, rng, tally);
        driver.players = 4;
        // The editor takes a name of at most 20 columns as shown.
        for (int player = 0; player < 4; ++player) {
            std::string name;
            while (at < bytes.size() && visible(name + bytes[at]).size() <= 20) name += bytes[at++];
            driver.names.push_back(name.empty() ? "x" : name);
        }
        ASSERT_TRUE(driver.play_blind());
        const auto status = t.wait_exit();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, e2e::ExitStatus::exited(0));
        EXPECT_EQ(t.stderr_text(), "");
        EXPECT_TRUE(nothing_raw(t.output_bytes()));
        EXPECT_TRUE(t.modes_restored());
    }
}

}  // namespace
}  // namespace reliability
