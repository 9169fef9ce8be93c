// The layout size from LINES and COLUMNS: every size either plays or ends
// with its window's message, and the terminal is left as it was found.
#include <fcntl.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "support/game_driver.h"
#include "support/param_name.h"

namespace e2e {
namespace {

struct SizeCase {
    std::optional<std::string> lines;
    std::optional<std::string> columns;
    std::string message;  // empty: the game runs
};

std::ostream &operator<<(std::ostream &os, const SizeCase &c) {
    return os << "LINES=" << c.lines.value_or("(unset)") << " COLUMNS=" << c.columns.value_or("(unset)");
}

constexpr const char *GENERAL = "vegatrade: can't create general window\n";
constexpr const char *COINFO = "vegatrade: can't create company window\n";

// The message for a layout that its windows take but that cannot show the game.
std::string layout_too_small(int cols, int rows) {
    return "vegatrade: the " + std::to_string(cols) + " x " + std::to_string(rows) +
           " layout (columns x rows) that LINES and COLUMNS set cannot show the game, which needs at least "
           "80 x 24; set both to a layout that large, or unset them\n";
}

class Sizing : public ::testing::TestWithParam<SizeCase> {};

TEST_P(Sizing, PlaysOrEndsWithTheWindowMessage) {
    const SizeCase &c = GetParam();
    Options options;
    options.env = {{"LINES", c.lines}, {"COLUMNS", c.columns}};
    Terminal t(options);
    if (!c.message.empty()) {
        EXPECT_TRUE(ended_with(t, 1, c.message));
    } else {
        ASSERT_TRUE(wait_for_screen(t, Screen::Number));
        t.type("1");
        ASSERT_TRUE(wait_for_name_prompt(t, 1));
        t.type("Ann\r");
        ASSERT_TRUE(wait_for_screen(t, Screen::Move));
        t.type("q");
        ASSERT_TRUE(wait_for_screen(t, Screen::Quit));
        t.type("y");
        ASSERT_TRUE(wait_for_screen(t, Screen::Final));
        t.type(" ");
        EXPECT_TRUE(ended_with(t, 2, ""));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Environment, Sizing,
    ::testing::Values(
        SizeCase{std::nullopt, std::nullopt, ""}, SizeCase{"25", "80", ""},
        SizeCase{"13", std::nullopt, ""},                                  // one variable alone is ignored
        SizeCase{std::nullopt, "30", ""}, SizeCase{"abc", "80", GENERAL},  // not a number reads as 0
        SizeCase{"25", "eighty", GENERAL}, SizeCase{"99999999999", "80", GENERAL},  // too large for an int
        SizeCase{"25", "99999999999", GENERAL}, SizeCase{"13", "80", GENERAL},  // general window of -1 rows
        SizeCase{"14", "80", GENERAL},                                          // general window of 0 rows
        SizeCase{"25", "1", GENERAL}, SizeCase{"25", "2", GENERAL},             // general window of 0 columns
        SizeCase{"25", "39", COINFO}, SizeCase{"25", "40", COINFO},             // company panel of 0 columns
        // Windows that can be made, on a layout that cannot show the game.
        SizeCase{"15", "80", layout_too_small(80, 15)}, SizeCase{"23", "80", layout_too_small(80, 23)},
        SizeCase{"25", "41", layout_too_small(41, 25)}, SizeCase{"25", "79", layout_too_small(79, 25)},
        SizeCase{"24", "80", ""}),
    [](const ::testing::TestParamInfo<SizeCase> &param_info) {
        return test_names::size_name(param_info.param.lines, param_info.param.columns);
    });

// The terminal's size against the layout's: a terminal that shows every
// column of the layout and every row but its last plays; a smaller one ends
// within a second, before the title screen, with a message naming both
// sizes. Sizes no window can have keep their window's message.
struct TerminalCase {
    int rows;
    int cols;
    std::optional<std::string> lines;
    std::optional<std::string> columns;
    std::string message;  // empty: the game starts
};

std::ostream &operator<<(std::ostream &os, const TerminalCase &c) {
    return os << c.cols << " x " << c.rows << " terminal, LINES=" << c.lines.value_or("(unset)")
              << " COLUMNS=" << c.columns.value_or("(unset)");
}

// The message for a terminal too small for the layout, all sizes columns x
// rows; `smaller_layout` when the terminal could show a layout of its own.
std::string too_small(int cols, int rows, int layout_cols, int layout_rows, int needed_cols, int needed_rows,
                      bool smaller_layout) {
    return "vegatrade: the terminal is " + std::to_string(cols) + " x " + std::to_string(rows) +
           " (columns x rows), but the " + std::to_string(layout_cols) + " x " + std::to_string(layout_rows) +
           " layout needs at least " + std::to_string(needed_cols) + " x " + std::to_string(needed_rows) +
           "; enlarge the terminal" +
           (smaller_layout ? ", or set both LINES and COLUMNS to a layout that fits it, of at least 80 x 24"
                           : "") +
           "\n";
}

// Writes to the game's terminal as another program would.
void write_over(const Terminal &t, const std::string &bytes) {
    const std::string path = "/proc/" + std::to_string(t.pid()) + "/fd/1";
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

class TerminalSize : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(TerminalSize, PlaysOrEndsAtOnceWithTheSizes) {
    const TerminalCase &c = GetParam();
    Options options;
    options.rows = c.rows;
    options.cols = c.cols;
    options.env = {{"LINES", c.lines}, {"COLUMNS", c.columns}};
    Terminal t(options);
    if (!c.message.empty()) {
        EXPECT_TRUE(ended_with(t, 1, c.message, Millis{1000}));
        EXPECT_EQ(t.output_bytes().find("Please enter"), std::string::npos) << "no title screen";
        return;
    }
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type(key::CtrlC);
    EXPECT_TRUE(ended_with(t, 2, ""));
}

constexpr std::nullopt_t UNSET = std::nullopt;

const TerminalCase TERMINAL_CASES[] = {
    {30, 100, UNSET, UNSET, ""},  // larger
    {25, 80, UNSET, UNSET, ""},   // equal
    {24, 80, UNSET, UNSET, ""},   // the last row is blank
    // Too narrow for any layout: only a larger terminal helps.
    {25, 79, UNSET, UNSET, too_small(79, 25, 80, 25, 80, 24, false)},
    {23, 79, UNSET, UNSET, too_small(79, 23, 80, 25, 80, 24, false)},
    {22, 80, UNSET, UNSET, too_small(80, 22, 80, 25, 80, 24, false)},
    // 80 x 23 shows the 80 x 24 layout.
    {23, 80, UNSET, UNSET, too_small(80, 23, 80, 25, 80, 24, true)},
    {23, 80, "24", "80", ""},
    // COLUMNS alone is ignored.
    {25, 70, UNSET, "70", too_small(70, 25, 80, 25, 80, 24, false)},
    {30, 100, "30", "100", ""},
    {29, 100, "30", "100", ""},
    {28, 100, "30", "100", too_small(100, 28, 100, 30, 100, 29, true)},
    {25, 80, "30", "100", too_small(80, 25, 100, 30, 100, 29, true)},
    // A layout that cannot show the game is refused whatever the terminal.
    {25, 80, "20", "70", layout_too_small(70, 20)},
    {19, 69, "20", "70", layout_too_small(70, 20)},
    // No window can be made: its message stands.
    {10, 40, "14", "80", GENERAL},
    {25, 30, "25", "40", COINFO},
};

INSTANTIATE_TEST_SUITE_P(Terminal, TerminalSize, ::testing::ValuesIn(TERMINAL_CASES),
                         [](const ::testing::TestParamInfo<TerminalCase> &param_info) {
                             const TerminalCase &c = param_info.param;
                             return std::to_string(c.cols) + "x" + std::to_string(c.rows) + "_" +
                                    test_names::size_name(c.lines, c.columns);
                         });

// On a terminal larger than the layout the title screen's frame goes round
// the layout, the version in its bottom edge, and the rest stays blank.
TEST(TitleFrame, SurroundsTheLayoutOnALargerTerminal) {
    Options options;
    options.args = {"-c"};
    options.rows = 30;
    options.cols = 90;
    Terminal t(options);
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    // The frame is bold yellow, the banner bold yellow on blue; every other
    // cell, columns 80 to 89 and rows 25 to 29 too, is plain.
    EXPECT_TRUE(t.expect_screen(R"(
{S:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                    {T:* V * E * G * A ** T * R * A * D * E *}                    {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                  Please enter the number of players [1-4]:                   {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}  Alone? Choose 2, then press Tab at the second name: the computer plays it   {S:$}
{S:$}                           ?: help during the game                            {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}          This program is free software, and comes with NO WARRANTY.          {S:$}
{S:$}            You may share and change it under the MIT License; see            {S:$}
{S:$}            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            {S:$}
{S:$}                                                                              {S:$}
{S:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)",
                                GAME_STYLES));
    EXPECT_EQ(t.cursor(), (Position{9, 61}));

    // Shrunk to the layout's size and cleared by other output, the title
    // screen comes back whole with Ctrl-L in the name editor.
    t.type("1");
    ASSERT_TRUE(t.wait_for_text(11, "Player 1, enter your name:"));
    std::vector<std::string> layout;
    for (int row = 0; row < 25; ++row) layout.push_back(text_at(t, row, 0, 80));
    t.resize(25, 80);
    // The resize repaints the title screen by itself first.
    ASSERT_TRUE(t.wait_until_quiet());
    write_over(t, "\033[H\033[2J");
    ASSERT_TRUE(t.wait_for([&] { return t.row_text(0).empty(); }));
    t.type(key::CtrlL);
    EXPECT_TRUE(t.wait_for(
        [&] {
            for (int row = 0; row < 25; ++row) {
                if (text_at(t, row, 0, 80) != layout[static_cast<std::size_t>(row)]) return false;
            }
            return true;
        },
        kDefaultTimeout, "the title screen"));
    EXPECT_EQ(t.cursor(), (Position{11, 49}));
}

// A terminal that shrinks during the game: Ctrl-L, S and C leave the screen
// as it is but for a note on the top row that fits the terminal's width,
// until the terminal is large enough again; then Ctrl-L shows the whole
// main screen.
struct ResizeCase {
    int rows, cols;              // at the start
    int small_rows, small_cols;  // after the shrink
    const char *key;             // the key that first shows the note
    const char *note;            // the top row then
    int big_rows, big_cols;      // after the terminal grows again
};

std::ostream &operator<<(std::ostream &os, const ResizeCase &c) {
    return os << c.cols << " x " << c.rows << " to " << c.small_cols << " x " << c.small_rows << " to "
              << c.big_cols << " x " << c.big_rows;
}

// The main screen of the pinned one-player game at its first move.
constexpr const char *PINNED_MAIN_SCREEN = R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | 3  .  .  .  .  .  .  1  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . | no active companies
 | .  .  .  .  *  .  .  .  .  .  2  . |
 | .  .  .  .  .  .  .  .  .  .  *  . |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  4 |
 | .  .  .  *  .  .  .  .  .  .  @  . |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  *  .  .  .  .  .  .  5  . |
 └------------------------------------┘
 ┌//////////////////////////// Ann (Cash: $6000) /////////////////////////////┐
 |                                                                            |
 | Ann, enter your move [1-5]:                                                |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘
)";

class Resize : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(Resize, CtrlLWaitsForTheLayoutToFitThenRepaintsAll) {
    const ResizeCase &c = GetParam();
    Options options;
    options.pin_clock = PinnedClock{2026, 1210};
    options.rows = c.rows;
    options.cols = c.cols;
    Terminal t(options);
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(t.wait_until_quiet());

    t.resize(c.small_rows, c.small_cols);
    ASSERT_TRUE(t.wait_until_quiet());
    // What the terminal kept of the screen, with the note over the top row.
    const int note = static_cast<int>(std::string(c.note).size());
    std::vector<std::string> shrunk = {c.note + text_at(t, 0, note, c.small_cols - note)};
    for (int row = 1; row < c.small_rows; ++row) shrunk.push_back(text_at(t, row, 0, c.small_cols));
    const auto shows_note = [&] {
        for (int row = 0; row < c.small_rows; ++row) {
            if (text_at(t, row, 0, c.small_cols) != shrunk[static_cast<std::size_t>(row)]) return false;
        }
        return true;
    };
    t.type(c.key);
    ASSERT_TRUE(t.wait_for(shows_note, kDefaultTimeout, "the note on the top row"));
    // The other keys show the same note; no window is drawn into the terminal.
    t.type("s");
    t.type("c");
    t.type(key::CtrlL);
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(shows_note()) << t.dump();

    t.resize(c.big_rows, c.big_cols);
    t.type(key::CtrlL);
    EXPECT_TRUE(t.expect_screen(PINNED_MAIN_SCREEN));
    EXPECT_EQ(t.cursor(), (Position{PROMPT_ROW, 31}));

    t.type("qy");
    ASSERT_TRUE(wait_for_screen(t, Screen::Final));
    t.type(" ");
    EXPECT_TRUE(ended_with(t, 2, ""));
}

constexpr const char *NOTE = "Terminal too small, needs 80 x 24: enlarge it, then press Ctrl-L";

const ResizeCase RESIZE_CASES[] = {
    {25, 80, 20, 70, "\x0c", NOTE, 25, 80},
    {24, 80, 23, 80, "s", NOTE, 24, 80},
    {25, 80, 25, 79, "c", NOTE, 40, 120},
    // A narrower terminal shows a shorter note, which still says what to press.
    {25, 80, 24, 60, "s", "Too small, needs 80 x 24: enlarge, then Ctrl-L", 25, 80},
    {25, 80, 20, 20, "\x0c", "Enlarge, Ctrl-L", 25, 80},
    // Started larger than the layout, whose size is enough again.
    {30, 100, 12, 40, "c", "Needs 80 x 24, then Ctrl-L", 25, 80},
};

INSTANTIATE_TEST_SUITE_P(Terminal, Resize, ::testing::ValuesIn(RESIZE_CASES),
                         [](const ::testing::TestParamInfo<ResizeCase> &param_info) {
                             const ResizeCase &c = param_info.param;
                             return std::to_string(c.cols) + "x" + std::to_string(c.rows) + "_to_" +
                                    std::to_string(c.small_cols) + "x" + std::to_string(c.small_rows) +
                                    (c.key[0] == '\x0c' ? "_ctrl_l" : std::string("_") + c.key) + "_to_" +
                                    std::to_string(c.big_cols) + "x" + std::to_string(c.big_rows);
                         });

}  // namespace
}  // namespace e2e
