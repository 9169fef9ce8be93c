// Size changes and foreign output during play: the terminal shrinks, grows,
// changes again and again (also under modal windows), and other output is
// written over the screen through the program's own terminal. Nothing
// crashes, the game does not change, and Ctrl-L at the layout's size or
// larger shows the whole screen exactly as before.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "reliability/driver.h"

namespace reliability {
namespace {

constexpr int LAYOUT_ROWS = 25;
constexpr int LAYOUT_COLS = 80;

using Snapshot = std::vector<e2e::Cell>;

Snapshot snapshot(const Terminal &t) {
    Snapshot cells;
    for (int row = 0; row < LAYOUT_ROWS; ++row) {
        for (int col = 0; col < LAYOUT_COLS; ++col) cells.push_back(t.cell(row, col));
    }
    return cells;
}

// Whether two cells look the same. A blank shows only its background, and
// curses may clear a blank that it holds as white on black with the
// terminal's default colours (which it takes to be those).
bool same_look(const e2e::Cell &a, const e2e::Cell &b) {
    if (a.ch != b.ch) return false;
    if (a.ch != " ") return static_cast<const e2e::Style &>(a) == static_cast<const e2e::Style &>(b);
    auto background = [](const e2e::Cell &cell) { return cell.reverse ? -3 : (cell.bg == -1 ? 0 : cell.bg); };
    return background(a) == background(b);
}

// The layout's cells as they were; libvterm drops the character printed
// just after a repeat sequence that ends one column short of the margin,
// which is the title bar's last cell, so that one cell is not compared.
::testing::AssertionResult same_screen(const Snapshot &before, const Terminal &t) {
    const Snapshot now = snapshot(t);
    for (int row = 0; row < LAYOUT_ROWS; ++row) {
        for (int col = 0; col < LAYOUT_COLS; ++col) {
            if (row == 0 && col == LAYOUT_COLS - 1) continue;
            const auto i = static_cast<std::size_t>(row * LAYOUT_COLS + col);
            const e2e::Cell &a = before[i];
            const e2e::Cell &b = now[i];
            if (!same_look(a, b)) {
                return ::testing::AssertionFailure()
                       << "cell (" << row << ", " << col << ") was " << a << ", is " << b << "\n"
                       << t.dump();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Writes to the program's terminal as another program would.
void write_over(const Terminal &t, std::string_view bytes) {
    const std::string path = "/proc/" + std::to_string(t.pid()) + "/fd/1";
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY);
    ASSERT_GE(fd, 0) << path;
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    ::close(fd);
    ASSERT_EQ(written, static_cast<ssize_t>(bytes.size()));
}

constexpr std::string_view GARBAGE =
    "\r\nMessage from root: the system is going down\r\n"
    "\033[1;31mRED BOLD\033[0m \033[7mreverse\033[0m \033[5;5Hxyzzy\033[12;30H\xe9\xff\xc3\xa9 bytes"
    "\033[2K\033[20;1H\033[J\033[25;1H\n\n\n scrolled \033[3;60H\033[1K\tTAB\b\b\a\033[0m";

// What one test did, for the figures.
int resizes = 0;
int writes = 0;

// Shakes the terminal: random sizes, some smaller than the layout, some
// larger, with garbage written between them.
void shake(Terminal &t, std::mt19937 &rng, int times) {
    std::uniform_int_distribution<int> rows(1, 60), cols(1, 200);
    for (int i = 0; i < times; ++i) {
        t.resize(rows(rng), cols(rng));
        ++resizes;
        if (i % 2 == 0) {
            write_over(t, GARBAGE);
            ++writes;
        }
        t.wait_until_quiet(Millis{10}, Millis{200});
    }
}

// Back to a size at least as large as the layout, then Ctrl-L.
::testing::AssertionResult repaired(Terminal &t, const Snapshot &before, int rows, int cols) {
    t.resize(rows, cols);
    t.wait_until_quiet(Millis{20});
    t.type(e2e::key::CtrlL);
    // Waits for the repaint to bring back every cell (a busy machine may be slow).
    t.wait_for([&] { return !t.running() || same_screen(before, t); }, Millis{5000}, "the repaint");
    if (!t.running()) return ::testing::AssertionFailure() << "the game ended\n" << t.dump();
    return same_screen(before, t);
}

// One game: up to the target, shaken there (and under the modal windows
// it can open), repaired, then quit.
void disturb_once(Stage target, std::mt19937 &rng) {
    Tally tally;
    Terminal t(with_args({"-c"}));
    Driver driver(t, rng, tally);
    driver.players = 2;
    driver.stop_at = [&](Stage stage, const std::string &) { return stage == target; };
    ASSERT_TRUE(driver.play());
    ASSERT_TRUE(t.running()) << "the game ended before the " << screen_name(target);
    t.wait_until_quiet(Millis{50});
    const Snapshot before = snapshot(t);
    const auto cursor = t.cursor();

    // Resizes and garbage at the prompt itself.
    shake(t, rng, 12);
    ASSERT_TRUE(repaired(t, before, LAYOUT_ROWS, LAYOUT_COLS));
    EXPECT_EQ(t.cursor(), cursor);

    // Under the standings, the company report and the quit question (at the
    // prompts that open them), then closed again.
    if (target == Stage::Move || target == Stage::Trade) {
        for (const char *modal : {"s", "c", "q"}) {
            t.type(modal);
            t.wait_until_quiet(Millis{30});
            shake(t, rng, 6);
            t.resize(LAYOUT_ROWS, LAYOUT_COLS);
            t.type(*modal == 'q' ? "n" : " ");
            t.wait_until_quiet(Millis{30});
            ASSERT_TRUE(
                repaired(t, before, 30 + static_cast<int>(rng() % 20), 100 + static_cast<int>(rng() % 100)))
                << "after " << modal;
        }
    }
    EXPECT_EQ(t.stderr_text(), "");

    // The game goes on: the driver quits it from here.
    t.resize(LAYOUT_ROWS, LAYOUT_COLS);
    driver.stop_at = nullptr;
    driver.quit = true;
    ASSERT_TRUE(driver.play());
    const auto status = t.wait_exit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(*status == e2e::ExitStatus::exited(2) || *status == e2e::ExitStatus::exited(0)) << *status;
    EXPECT_EQ(t.stderr_text(), "");
    EXPECT_TRUE(t.modes_restored());
}

class Disturbance : public ::testing::TestWithParam<Stage> {};

// VEGATRADE_DISTURBANCE_ROUNDS games per place (one in the normal run).
TEST_P(Disturbance, CtrlLRestoresTheScreenAndTheGameGoesOn) {
    const Stage target = GetParam();
    resizes = writes = 0;
    std::mt19937 rng(seed_for(std::string("disturbance ") + screen_name(target)));
    const long rounds = setting("VEGATRADE_DISTURBANCE_ROUNDS", 1);
    for (long round = 0; round < rounds && !HasFailure(); ++round) disturb_once(target, rng);
    report(std::string("disturbance ") + screen_name(target) + ": resizes=" + std::to_string(resizes) +
           " garbage_writes=" + std::to_string(writes));
}

INSTANTIATE_TEST_SUITE_P(Reliability, Disturbance,
                         ::testing::Values(Stage::Name, Stage::Move, Stage::Trade, Stage::Announcement),
                         [](const ::testing::TestParamInfo<Stage> &param) {
                             std::string name = screen_name(param.param);
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

}  // namespace
}  // namespace reliability
