// The layout size grid: LINES and COLUMNS each over the edges of every
// window of the layout, on a terminal of 80 x 24 and a larger one. Each
// run either plays (and is then quit, or hung up) or ends with status 1 and
// the message of the window that could not be made, of a layout too small
// to show the game, or of a terminal too small for the layout; the terminal
// modes are left as they were.
// The whole grid takes about 20 seconds in the sanitizer build, so the
// normal run tries all of it.
#include <climits>
#include <cstdint>
#include <optional>

#include "reliability/driver.h"

namespace reliability {
namespace {

const std::vector<std::optional<std::string>> &size_values() {
    static const std::vector<std::optional<std::string>> values = {
        "0",  "1",  "13", "14",  "15", "24",   "25",          "39",           "40",  "41",         "58",
        "59", "60", "80", "200", "-5", " +60", "99999999999", "-99999999999", "abc", std::nullopt,
    };
    return values;
}

// The value a size variable gives: read like atoi, clamped to the int range.
std::int64_t size_of(const std::string &text) {
    std::int64_t value = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), std::int64_t{INT_MAX} + 1);
    value = negative ? -value : value;
    return std::clamp<std::int64_t>(value, INT_MIN, INT_MAX);
}

struct Outcome {
    int code;
    std::string message;
    bool starts;  // the title screen comes up
};

// Whether curses makes a window: it needs a positive size that fits its
// short coordinates and a start on the screen; it may reach past the
// screen's right and bottom edges (what lies there is never shown).
bool fits(std::int64_t rows, std::int64_t cols, std::int64_t top, std::int64_t left, int term_rows,
          int term_cols) {
    return rows > 0 && cols > 0 && rows <= SHRT_MAX && cols <= SHRT_MAX && top >= 0 && left >= 0 &&
           top < term_rows && left < term_cols;
}

// What a run that answers one player "A" and then quits must end with.
Outcome expected(const std::optional<std::string> &lines, const std::optional<std::string> &columns, int rows,
                 int cols) {
    std::int64_t l = 25, c = 80;
    if (lines && columns) {
        l = size_of(*lines);
        c = size_of(*columns);
    }
    if (!fits(12, 38, 1, 1, rows, cols)) return {1, "vegatrade: can't create map window\n", false};
    if (!fits(l - 14, c - 2, 13, 1, rows, cols))
        return {1, "vegatrade: can't create general window\n", false};
    if (!fits(12, c - 40, 1, 39, rows, cols)) return {1, "vegatrade: can't create company window\n", false};
    const std::string layout = std::to_string(c) + " x " + std::to_string(l);
    // A layout below 80 x 24 cannot show the game.
    if (c < 80 || l < 24) {
        return {
            1,
            "vegatrade: the " + layout +
                " layout (columns x rows) that LINES and COLUMNS set cannot show the game, which needs at "
                "least 80 x 24; set both to a layout that large, or unset them\n",
            false};
    }
    // The terminal must show every column of the layout and every row but its last.
    if (cols < c || rows < l - 1) {
        const std::string terminal = std::to_string(cols) + " x " + std::to_string(rows);
        const std::string needed = std::to_string(c) + " x " + std::to_string(l - 1);
        const bool smaller_layout = cols >= 80 && rows >= 23;
        return {1,
                "vegatrade: the terminal is " + terminal + " (columns x rows), but the " + layout +
                    " layout needs at least " + needed + "; enlarge the terminal" +
                    (smaller_layout
                         ? ", or set both LINES and COLUMNS to a layout that fits it, of at least 80 x 24"
                         : "") +
                    "\n",
                false};
    }
    return {2, "", true};
}

struct GridRow {
    int rows;
    int cols;
    std::size_t lines;  // index into size_values()
};

class SizeGrid : public ::testing::TestWithParam<GridRow> {};

TEST_P(SizeGrid, PlaysOrEndsWithTheWindowMessage) {
    const GridRow row = GetParam();
    const auto &values = size_values();
    int tried = 0, hangups = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto &lines = values[row.lines];
        const auto &columns = values[k];
        SCOPED_TRACE("LINES=" + lines.value_or("(unset)") + " COLUMNS=" + columns.value_or("(unset)"));
        e2e::Options options;
        options.rows = row.rows;
        options.cols = row.cols;
        options.env = {{"LINES", lines}, {"COLUMNS", columns}};
        Terminal t(options);
        Outcome want = expected(lines, columns, row.rows, row.cols);
        // A game that plays is hung up at the move prompt in every third run.
        const bool starts = want.starts;
        const bool hang_up = starts && (row.lines + k) % 3 == 0;
        ++tried;
        if (hang_up) {
            ++hangups;
            // Hung up once the move prompt stands: a hang-up before the
            // game has started ends it by the signal, as it ends any program.
            t.type("1A\r");
            ASSERT_TRUE(t.wait_for_screen_contains(", enter your move [1-"));
            t.hangup();
            want = {1, "vegatrade: input closed\n", true};
        } else if (starts) {
            t.type("1A\rqy ");
        }
        const auto status = t.wait_exit();
        ASSERT_TRUE(status.has_value()) << "hang\n" << t.dump();
        EXPECT_EQ(*status, e2e::ExitStatus::exited(want.code)) << t.dump();
        EXPECT_EQ(t.stderr_text(), want.message);
        if (!hang_up) {
            EXPECT_TRUE(t.modes_restored());
        }
    }
    report("size grid " + std::to_string(row.rows) + "x" + std::to_string(row.cols) +
           " LINES=" + values[row.lines].value_or("(unset)") + ": runs=" + std::to_string(tried) +
           " hangups=" + std::to_string(hangups));
}

std::vector<GridRow> grid_rows() {
    std::vector<GridRow> rows;
    for (const auto &[r, c] : {std::pair{24, 80}, std::pair{60, 220}}) {
        for (std::size_t i = 0; i < size_values().size(); ++i) rows.push_back({r, c, i});
    }
    return rows;
}

std::string grid_name(const ::testing::TestParamInfo<GridRow> &info) {
    return std::to_string(info.param.rows) + "x" + std::to_string(info.param.cols) + "_LINES" +
           std::to_string(info.param.lines);
}

INSTANTIATE_TEST_SUITE_P(Reliability, SizeGrid, ::testing::ValuesIn(grid_rows()), grid_name);

}  // namespace
}  // namespace reliability
