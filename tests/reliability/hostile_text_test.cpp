// Hostile names: format directives, every control character a keyboard can
// type into the editor, escape sequences and bytes 128 to 255; in a UTF-8
// locale also C1 controls, format characters such as U+202E, combining marks
// and bytes that form no character. The game shows them in their visible
// form (^X, M-x, <U+202E>) wherever a name appears; none of them reaches the
// terminal raw, and none is used as a format.
#include <set>

#include "reliability/driver.h"
#include "support/game_driver.h"

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
    if (output.find("\033]0;") != std::string::npos)
        return ::testing::AssertionFailure() << "a title sequence";
    return ::testing::AssertionSuccess();
}

// Names whose visible forms fit the layout's 20 columns.
const std::vector<std::string> NAMES = {
    "%s%n%d%x%%p%.9f%*d",
    "\x01\x02\x04\x05\x06\x07\x09\x0b\x0e\x0f",
    // Escape and a key is stored as typed; an escape sequence such as
    // "\x1b[2J" never enters a name.
    "\x1b]0;X\x07\x1b"
    "c",
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
                const auto prompt = e2e::move_prompt_of(t);
                const auto turn = e2e::turn_of(t);
                bool known = false;
                for (const auto &name : NAMES) {
                    known = known ||
                            (prompt && prompt->row == e2e::PROMPT_ROW && prompt->player == visible(name) &&
                             turn && turn->row == e2e::GENERAL_TOP && turn->player == visible(name));
                }
                EXPECT_TRUE(known) << t.dump();
                if (++prompts == 6 && !standings_seen) {
                    t.type("s");
                    EXPECT_TRUE(e2e::wait_for_screen(t, Stage::Standings));
                    for (const auto &name : NAMES) EXPECT_TRUE(t.wait_for_screen_contains(visible(name)));
                    standings_seen = true;
                    t.type(" ");
                    t.wait_until_quiet(Millis{30});
                }
            }
            if ((stage == Stage::Announcement &&
                 e2e::announcement_of(t).kind == e2e::News::StockTransactions) ||
                stage == Stage::Final) {
                merger_seen = merger_seen || stage == Stage::Announcement;
                for (const auto &name : NAMES)
                    EXPECT_NE(screen.find(visible(name)), std::string::npos) << t.dump();
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
        // Enter, erase and Ctrl-L are the editor's own keys; Ctrl-C leaves the
        // program and Ctrl-Z suspends it.
        if (byte == '\r' || byte == '\n' || byte == 8 || byte == 127 || byte == 12 || byte == 3 || byte == 26)
            continue;
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

// Format characters, combining marks and tags: invisible, or they change
// the text around them (U+202E turns the rest of a line right to left).
constexpr unsigned HOSTILE_CODES[] = {0x00AD, 0x0300, 0x0301, 0x061C, 0x200B,  0x200D, 0x200E,
                                      0x200F, 0x202A, 0x202B, 0x202C, 0x202D,  0x202E, 0x2066,
                                      0x2067, 0x2068, 0x2069, 0xFEFF, 0xE0001, 0xE0041};

// A code point in UTF-8.
std::string encoded(unsigned code) {
    std::string text;
    if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    text += static_cast<char>(0x80 | (code & 0x3F));
    return text;
}

e2e::Options in_utf8(const char *option) {
    e2e::Options options = with_args({option});
    options.env["LANG"] = "C.UTF-8";
    return options;
}

// In a UTF-8 locale the terminal gets valid UTF-8, and none of the names'
// controls, format characters or combining marks raw.
::testing::AssertionResult nothing_raw_utf8(const std::string &output) {
    auto valid = e2e::valid_utf8(output);
    if (!valid) return valid;
    for (std::size_t i = 0; i < output.size(); ++i) {
        const auto byte = static_cast<unsigned char>(output[i]);
        if (byte < 32 && byte != '\033' && byte != '\r' && byte != '\n' && byte != '\b' && byte != '\t')
            return ::testing::AssertionFailure() << "byte " << int{byte} << " at " << i << " of the output";
        if (byte == 127) return ::testing::AssertionFailure() << "DEL at " << i << " of the output";
    }
    for (unsigned code = 0x80; code < 0xA0; ++code) {
        if (output.find(encoded(code)) != std::string::npos)
            return ::testing::AssertionFailure() << "a raw C1 control";
    }
    for (unsigned code : HOSTILE_CODES) {
        const auto at = output.find(encoded(code));
        if (at != std::string::npos)
            return ::testing::AssertionFailure()
                   << "a raw " << ::testing::PrintToString(encoded(code)) << " at " << at;
    }
    if (output.find("\033]0;") != std::string::npos)
        return ::testing::AssertionFailure() << "a title sequence";
    return ::testing::AssertionSuccess();
}

// Names as typed in a UTF-8 locale and as every window shows them: the bytes
// that form no character, and escape sequences, are dropped by the editor.
const std::vector<std::pair<std::string, std::string>> UTF8_NAMES = {
    {"\u202Eevil\u2066\u200B", "<U+202E>evil<U+2066>"},
    {"e\u0301\u009B2J\u0085\uFEFF", "e<U+0301><U+009B>2J"},
    {"\x1b[2J\x1b]0;X\x07\xff\x80\xc3ok", "^[]0;X^Gok"},
    {"%s%n\u00AD\u200F", "%s%n<U+00AD><U+200F>"},
};

TEST(HostileText, Utf8NamesShowInVisibleFormEverywhere) {
    std::mt19937 rng(seed_for("hostile names in UTF-8"));
    Tally tally;
    bool merger_seen = false;
    for (int game = 0; game < 4 && !merger_seen; ++game) {
        Terminal t(in_utf8(game % 2 == 0 ? "-c" : "-m"));
        Driver driver(t, rng, tally);
        driver.players = 4;
        for (const auto &name : UTF8_NAMES) driver.names.push_back(name.first);
        bool standings_seen = false;
        driver.stop_at = [&](Stage stage, const std::string &screen) {
            if (stage == Stage::Move && !standings_seen) {
                t.type("s");
                EXPECT_TRUE(e2e::wait_for_screen(t, Stage::Standings));
                for (const auto &name : UTF8_NAMES) EXPECT_TRUE(t.wait_for_screen_contains(name.second));
                standings_seen = true;
                t.type(" ");
                t.wait_until_quiet(Millis{30});
            }
            if ((stage == Stage::Announcement &&
                 e2e::announcement_of(t).kind == e2e::News::StockTransactions) ||
                stage == Stage::Final) {
                merger_seen = merger_seen || stage == Stage::Announcement;
                for (const auto &name : UTF8_NAMES)
                    EXPECT_NE(screen.find(name.second), std::string::npos) << t.dump();
            }
            return false;
        };
        ASSERT_TRUE(driver.play());
        const auto status = t.wait_exit();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, e2e::ExitStatus::exited(0));
        EXPECT_EQ(t.stderr_text(), "");
        EXPECT_TRUE(nothing_raw_utf8(t.output_bytes()));
        EXPECT_TRUE(standings_seen);
    }
    EXPECT_TRUE(merger_seen) << "no merger in 4 games";
}

// In a UTF-8 locale: every control character the editor stores (not
// Ctrl-C, which leaves the program, nor Ctrl-Z, which suspends it), every C1 control and a range of format
// characters, each as one UTF-8 character, and every byte from 128 where it
// forms no character (after a letter, so no name is left empty). Two of them
// to a name always fit its 20 columns.
TEST(HostileText, EveryCharacterInUtf8NamesReachesTheTerminalOnlyVisibly) {
    std::vector<std::string> pieces;
    std::string controls;
    for (int byte = 1; byte < 32; ++byte) {
        if (byte == '\r' || byte == '\n' || byte == 8 || byte == 12 || byte == 3 || byte == 26) continue;
        controls += static_cast<char>(byte);
        if (controls.size() == 4) pieces.push_back(std::exchange(controls, ""));
    }
    pieces.push_back(controls);
    for (unsigned code = 0x80; code < 0xA0; ++code) pieces.push_back(encoded(code));
    for (unsigned code : HOSTILE_CODES) pieces.push_back(encoded(code));
    for (int byte = 128; byte < 256; byte += 16) {
        std::string stray = "x";
        for (int b = byte; b < byte + 16; ++b) stray += static_cast<char>(b);
        pieces.push_back(stray);
    }
    std::mt19937 rng(seed_for("every character in UTF-8"));
    Tally tally;
    for (std::size_t at = 0, game = 0; at < pieces.size(); ++game) {
        Terminal t(in_utf8(game % 2 == 0 ? "-c" : "-m"));
        Driver driver(t, rng, tally);
        driver.players = 4;
        for (int player = 0; player < 4; ++player) {
            std::string name = "n";
            for (int k = 0; k < 2 && at < pieces.size(); ++k) name += pieces[at++];
            driver.names.push_back(name);
        }
        ASSERT_TRUE(driver.play_blind());
        const auto status = t.wait_exit();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(*status, e2e::ExitStatus::exited(0));
        EXPECT_EQ(t.stderr_text(), "");
        EXPECT_TRUE(nothing_raw_utf8(t.output_bytes()));
        EXPECT_TRUE(t.modes_restored());
    }
}

}  // namespace
}  // namespace reliability
