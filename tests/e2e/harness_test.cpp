// Tests of the end-to-end harness itself, run against small shell scripts.
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>

#include "support/terminal.h"

namespace {

using namespace std::chrono_literals;
using e2e::ExitStatus;
using e2e::Style;
using e2e::Terminal;
using Clock = std::chrono::steady_clock;

// Waits for a process that is not our child to end (or become a zombie).
bool process_ends(pid_t pid, std::chrono::milliseconds timeout) {
    int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) return errno == ESRCH;
    pollfd p{fd, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(timeout.count()));
    close(fd);
    return ready == 1;
}

TEST(HarnessScreen, ReadsCharactersAndStyles) {
    Terminal t(e2e::shell(R"(printf 'P\033[1mB\033[0m\033[4mU\033[0m\033[5mK\033[0m\033[7mR\033[0m)"
                          R"(\033[31;42mC\033[0m\033[91mH\033[0m\033[38;5;200;48;5;17mX\033[0m\033(0q\033(B)"
                          R"(\033[3;5Hend')"));
    ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0)) << t.dump();

    struct Case {
        int col;
        const char *ch;
        Style style;
    } cases[] = {
        {0, "P", {}},
        {1, "B", {.bold = true}},
        {2, "U", {.underline = true}},
        {3, "K", {.blink = true}},
        {4, "R", {.reverse = true}},
        {5, "C", {.fg = 1, .bg = 2}},
        {6, "H", {.fg = 9}},
        {7, "X", {.fg = 200, .bg = 17}},
        {8, "\u2500", {}},  // DEC line drawing 'q'
        {9, " ", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.col);
        e2e::Cell cell = t.cell(0, c.col);
        EXPECT_EQ(cell.ch, c.ch);
        EXPECT_EQ(static_cast<const Style &>(cell), c.style);
    }
    EXPECT_EQ(t.row_text(0), "PBUKRCHX\u2500");
    EXPECT_EQ(t.row_text(2), "    end");
    EXPECT_EQ(t.cursor(), (e2e::Position{2, 7}));
}

TEST(HarnessScreen, TracksTextBellsCursorAndAlternateScreen) {
    Terminal t(e2e::shell(R"(printf ' main  \n\a\a\033[?25l\033[?1049halt'; read x;)"
                          R"( printf '\033[?1049l')",
                          5, 20));
    ASSERT_TRUE(t.wait_for_text(1, "alt"));
    EXPECT_TRUE(t.altscreen());
    EXPECT_FALSE(t.cursor_visible());
    EXPECT_EQ(t.bells(), 2);

    t.type(e2e::key::Enter);
    ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0)) << t.dump();
    EXPECT_FALSE(t.altscreen());
    EXPECT_EQ(t.row_text(0), " main");
    EXPECT_EQ(t.row_text(0, false), " main" + std::string(15, ' '));
    EXPECT_EQ(t.screen_text(), " main\n\n\n\n");
}

// ncurses repeats a character with REP (CSI n b); the screen must show the
// repeated characters, also when they reach the last column.
TEST(HarnessScreen, ExpandsRepeatedCharacters) {
    struct Case {
        const char *script;
        const char *row;
    } cases[] = {
        {R"(printf 'A$\033[17bB')", "A$$$$$$$$$$$$$$$$$$B"},
        {R"(printf 'x\033[b')", "xx"},
        {R"(printf '\033(0q\033[2b\033(B')", "\u2500\u2500\u2500"},
        {R"(printf '\303\251\033[2b')", "\u00e9\u00e9\u00e9"},
        {R"(printf 'y\033['; sleep 0.1; printf '3b')", "yyyy"},
        {R"(printf 'z\033[?3bw')", "zw"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        Terminal t(e2e::shell(c.script, 3, 20));
        ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0)) << t.dump();
        EXPECT_EQ(t.row_text(0), c.row) << t.dump();
        EXPECT_EQ(t.row_text(1), "");
    }
}

// The key constants must be what the terminal description says the keys send.
TEST(HarnessScreen, KeyConstantsMatchTerminfo) {
    struct Case {
        const char *capability;
        std::string_view key;
    } cases[] = {{"kcuu1", e2e::key::Up},
                 {"kcud1", e2e::key::Down},
                 {"kcuf1", e2e::key::Right},
                 {"kcub1", e2e::key::Left},
                 {"kbs", e2e::key::Backspace}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.capability);
        Terminal t(e2e::shell(std::string("tput ") + c.capability));
        ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0)) << t.dump();
        EXPECT_EQ(t.output_bytes(), c.key);
    }
}

TEST(HarnessWait, SeesTextThatComesLater) {
    Terminal t(e2e::shell("sleep 0.3; echo later; sleep 10"));
    auto start = Clock::now();
    EXPECT_TRUE(t.wait_for_text(0, "later"));
    EXPECT_LT(Clock::now() - start, 3s);
}

TEST(HarnessWait, TimesOutShowingTheScreen) {
    Terminal t(e2e::shell("echo here; sleep 10"));
    auto start = Clock::now();
    auto result = t.wait_for_screen_contains("absent", 300ms);
    auto elapsed = Clock::now() - start;
    EXPECT_FALSE(result);
    EXPECT_GE(elapsed, 300ms);
    EXPECT_LT(elapsed, 2s);
    std::string message = result.message();
    EXPECT_NE(message.find("timed out after 300 ms"), std::string::npos) << message;
    EXPECT_NE(message.find("  0 |here "), std::string::npos) << message;
}

TEST(HarnessWait, FailsAtOnceWhenTheProgramHasEnded) {
    Terminal t(e2e::shell("echo bye; echo last words >&2; exit 4"));
    auto start = Clock::now();
    auto result = t.wait_for([] { return false; }, 5s, "something that never comes");
    EXPECT_FALSE(result);
    EXPECT_LT(Clock::now() - start, 2s);
    std::string message = result.message();
    for (const char *part : {"something that never comes", "bye", "last words", "exit status 4"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " in\n" << message;
}

TEST(HarnessWait, QuietMeansNoOutputForTheWholePeriod) {
    Terminal t(e2e::shell("for i in 1 2 3 4 5 6 7 8; do echo $i; sleep 0.05; done; sleep 10"));
    EXPECT_TRUE(t.wait_until_quiet(250ms));
    EXPECT_EQ(t.row_text(7), "8");

    Terminal chatty(e2e::shell("while :; do echo x; sleep 0.02; done"));
    EXPECT_FALSE(chatty.wait_until_quiet(200ms, 600ms));
}

TEST(HarnessWait, KnowsWhenTheProgramWaitsForAKey) {
    // The shell writes, then sleeps (not a key wait), then reads a line.
    Terminal t(
        e2e::shell(R"(printf 'a'; sleep 0.3; printf 'b'; read line; printf ' got %s' "$line"; read more)"));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(t.row_text(0), "ab") << "everything written before the read is on the screen";
    EXPECT_TRUE(t.awaiting_key());
    t.type("xyz\r");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(t.row_text(0), "abxyz");
    EXPECT_EQ(t.row_text(1), " got xyz");

    Terminal busy(e2e::shell("sleep 10"));
    EXPECT_FALSE(busy.wait_for_key_request(300ms)) << "sleeping is not waiting for a key";
    Terminal gone(e2e::shell("exit 0"));
    EXPECT_FALSE(gone.wait_for_key_request(2s));
}

TEST(HarnessExpectScreen, MatchesWholeScreen) {
    Terminal t(e2e::shell("printf 'first\\n  second   \\n\\nfourth'; sleep 10", 6, 20));
    EXPECT_TRUE(t.expect_screen(R"(
first
  second

fourth
)"));

    auto result = t.expect_screen(R"(
first
  second
fourth
)",
                                  {}, 200ms);
    ASSERT_FALSE(result);
    std::string message = result.message();
    EXPECT_NE(message.find("row  2 expected |fourth|\n         actual   ||"), std::string::npos) << message;
    EXPECT_NE(message.find("row  3 expected ||\n         actual   |fourth|"), std::string::npos) << message;
    EXPECT_EQ(message.find("row  0"), std::string::npos) << message;
}

TEST(HarnessExpectScreen, ChecksStyleMarkup) {
    Terminal t(e2e::shell(R"(printf 'a \033[7mrev\033[0m \033[1;31mred\033[0m'; sleep 10)", 3, 20));
    const std::map<char, Style> styles = {{'r', {.reverse = true}}, {'e', {.bold = true, .fg = 1}}};
    EXPECT_TRUE(t.expect_screen("a {r:rev} {e:red}", styles));

    struct Case {
        const char *expected;
        const char *why;
    } wrong[] = {
        {"a {r:re}v {e:red}", "a reverse cell left unmarked"},
        {"a rev {e:red}", "reverse text expected plain"},
        {"{r:a} {r:rev} {e:red}", "plain text expected reverse"},
        {"a {e:rev} {r:red}", "styles swapped"},
    };
    for (const auto &c : wrong) {
        SCOPED_TRACE(c.why);
        auto result = t.expect_screen(c.expected, styles, 100ms);
        EXPECT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find("actual   |a {r:rev} {e:red}|"), std::string::npos)
            << result.message();
    }

    auto unknown = t.expect_screen("a {r:rev} {e:red}", {{'r', {.reverse = true}}}, 100ms);
    EXPECT_FALSE(unknown);
    EXPECT_NE(std::string(unknown.message()).find("{?:red}"), std::string::npos) << unknown.message();
}

// The whole screen white on black, as curses paints it in colour.
TEST(HarnessExpectScreen, PlainCellsMayHaveAStyleOfTheirOwn) {
    Terminal t(e2e::shell(R"(printf '\033[37;40m\033[2J\033[Hab \033[1mc'; sleep 10)", 2, 10));
    const Style white_on_black{.fg = 7, .bg = 0};
    EXPECT_TRUE(
        t.expect_screen("ab {b:c}", {{' ', white_on_black}, {'b', {.bold = true, .fg = 7, .bg = 0}}}));
    EXPECT_FALSE(t.expect_screen("ab {b:c}", {{'b', {.bold = true, .fg = 7, .bg = 0}}}, 100ms))
        << "without a plain style, unmarked cells must have the default style";
}

TEST(HarnessProcess, ReportsExitStatusStderrAndTerminalOutput) {
    struct Case {
        const char *script;
        ExitStatus status;
        const char *stderr_text;
        const char *output;
    } cases[] = {
        {"exit 3", ExitStatus::exited(3), "", ""},
        {"printf 'to tty'; echo oops >&2; exit 1", ExitStatus::exited(1), "oops\n", "to tty"},
        {"printf 'no newline' >&2", ExitStatus::exited(0), "no newline", ""},
        {"echo a; kill -TERM $$", ExitStatus::killed(SIGTERM), "", "a\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        Terminal t(e2e::shell(c.script));
        EXPECT_EQ(t.wait_exit(), c.status);
        EXPECT_EQ(t.stderr_text(), c.stderr_text);
        EXPECT_EQ(t.output_bytes(), c.output);
        EXPECT_FALSE(t.running());
    }
}

TEST(HarnessProcess, ReportsAProgramThatCannotRun) {
    e2e::Options options;
    options.program = "/nonexistent/program";
    Terminal t(options);
    EXPECT_EQ(t.wait_exit(), ExitStatus::exited(127));
    EXPECT_NE(t.stderr_text().find("cannot run /nonexistent/program"), std::string::npos) << t.stderr_text();
}

// Megabytes on both the terminal and stderr at once must neither block the
// program nor lose a byte, up to the end of the output.
TEST(HarnessProcess, TakesLargeOutputWhole) {
    Terminal t(e2e::shell("yes err | head -n 200000 >&2 & head -c 1000000 /dev/zero | tr '\\0' y; wait"));
    ASSERT_EQ(t.wait_exit(60s), ExitStatus::exited(0));
    EXPECT_EQ(t.output_bytes(), std::string(1000000, 'y'));
    ASSERT_EQ(t.stderr_text().size(), 800000u);
    EXPECT_EQ(t.stderr_text().find_first_not_of("er\n"), std::string::npos);
}

TEST(HarnessProcess, TypesMoreThanTheTerminalBuffers) {
    Terminal t(e2e::shell("stty raw -echo; echo ready; exec cat"));
    ASSERT_TRUE(t.wait_for_text(0, "ready"));
    const std::string keys(200000, 'k');
    t.type(keys);
    ASSERT_TRUE(
        t.wait_for([&] { return t.output_bytes().size() >= 6 + keys.size(); }, 20s, "the keys to come back"));
    EXPECT_EQ(t.output_bytes(), "ready\n" + keys);
}

TEST(HarnessProcess, StandardInputCanBeAPipe) {
    e2e::Options options = e2e::shell("cat; echo done");
    options.stdin_pipe = true;
    Terminal t(options);
    t.type("hello\n");
    EXPECT_TRUE(t.wait_for_text(0, "hello"));
    t.close_input();
    EXPECT_EQ(t.wait_exit(), ExitStatus::exited(0));
    EXPECT_EQ(t.row_text(1), "done");
}

TEST(HarnessProcess, MeasuresCpuTime) {
    Terminal spinner(e2e::shell("while :; do :; done"));
    Terminal idle(e2e::shell("read x"));
    EXPECT_TRUE(spinner.wait_for([&] { return spinner.cpu_time() >= 100ms; }, 20s,
                                 "the spinning program to use 100 ms of CPU"));
    EXPECT_EQ(idle.wait_exit(300ms), std::nullopt);
    EXPECT_LT(idle.cpu_time(), 50ms);

    spinner.send_signal(SIGKILL);
    EXPECT_EQ(spinner.wait_exit(), ExitStatus::killed(SIGKILL));
    EXPECT_GE(spinner.cpu_time(), 100ms);
}

TEST(HarnessProcess, DestructorKillsTheProcessGroup) {
    pid_t child = 0;
    pid_t grandchild = 0;
    {
        Terminal t(e2e::shell("sleep 1000 & echo $!; sleep 1000"));
        ASSERT_TRUE(t.wait_for([&] { return !t.row_text(0).empty(); }));
        child = t.pid();
        grandchild = std::stoi(t.row_text(0));
    }
    EXPECT_TRUE(process_ends(child, 0ms));
    EXPECT_TRUE(process_ends(grandchild, 5s));
}

// Pretends the test process was started with these variables.
class ScopedEnv {
  public:
    ScopedEnv(const char *name, const char *value) : name_(name) {
        if (const char *old = getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_.c_str(), old_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

TEST(HarnessEnvironment, DefaultsThenOverrides) {
    ScopedEnv term("TERM", "dumb"), lines("LINES", "99"), columns("COLUMNS", "99"), escdelay("ESCDELAY", "7"),
        other("HARNESS_OTHER", "inherited");
    struct Case {
        std::map<std::string, std::optional<std::string>> env;
        const char *expected;
    } cases[] = {
        {{}, "xterm-256color,-,-,-,inherited"},
        {{{"LINES", "30"}, {"ESCDELAY", "0"}, {"TERM", "vt100"}}, "vt100,30,-,0,inherited"},
        {{{"HARNESS_OTHER", std::nullopt}, {"COLUMNS", "12"}}, "xterm-256color,-,12,-,-"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        e2e::Options options =
            e2e::shell(R"(echo "${TERM-},${LINES--},${COLUMNS--},${ESCDELAY--},${HARNESS_OTHER--}")");
        options.env = c.env;
        Terminal t(options);
        ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0));
        EXPECT_EQ(t.row_text(0), c.expected);
    }
}

TEST(HarnessEnvironment, PinsTimeAndPid) {
    const std::string script = R"(exec perl -e 'print time(), " ", $$, "\n"')";
    e2e::Options pinned = e2e::shell(script);
    pinned.pin_clock = e2e::PinnedClock{1234567890, 4242};
    Terminal t(pinned);
    ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0)) << t.dump();
    EXPECT_EQ(t.row_text(0), "1234567890 4242");

    // Loaded but not pinned, the library passes the real values through.
    e2e::Options passing = e2e::shell(script);
    passing.env["LD_PRELOAD"] = PIN_CLOCK_LIBRARY;
    Terminal real(passing);
    ASSERT_EQ(real.wait_exit(), ExitStatus::exited(0)) << real.dump();
    long long now = std::time(nullptr);
    long long shown_time = 0;
    long long shown_pid = 0;
    ASSERT_EQ(std::sscanf(real.row_text(0).c_str(), "%lld %lld", &shown_time, &shown_pid), 2) << real.dump();
    EXPECT_NEAR(static_cast<double>(shown_time), static_cast<double>(now), 5.0);
    EXPECT_EQ(shown_pid, real.pid());
}

TEST(HarnessEnvironment, PinningAllowsASanPreloading) {
    e2e::Options options = e2e::shell(R"(echo "$ASAN_OPTIONS")");
    options.env["ASAN_OPTIONS"] = "detect_leaks=0";
    options.pin_clock = e2e::PinnedClock{1, 2};
    Terminal t(options);
    ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0));
    EXPECT_EQ(t.row_text(0), "detect_leaks=0:verify_asan_link_order=0");
}

TEST(HarnessModes, TellsWhetherTheProgramRestoredTheTerminal) {
    struct Case {
        const char *script;
        bool restored;
        std::vector<const char *> named;
    } cases[] = {
        {"true", true, {}},
        {"saved=$(stty -g); stty raw -echo; stty \"$saved\"", true, {}},
        {"stty raw -echo",
         false,
         {"c_lflag ICANON: expected set, is clear", "c_lflag ECHO:", "c_oflag OPOST", "c_iflag ICRNL"}},
        {"stty intr ^A", false, {"c_cc[VINTR]: expected 3, is 1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        Terminal t(e2e::shell(c.script));
        ASSERT_EQ(t.wait_exit(), ExitStatus::exited(0)) << t.dump();
        EXPECT_TRUE(t.modes_before().c_lflag & ICANON);
        ASSERT_TRUE(t.modes_after().has_value());
        auto result = t.modes_restored();
        EXPECT_EQ(static_cast<bool>(result), c.restored) << result.message();
        for (const char *name : c.named)
            EXPECT_NE(std::string(result.message()).find(name), std::string::npos)
                << name << " in " << result.message();
    }
}

TEST(HarnessTerminal, ResizeSignalsTheProgramAndResizesTheScreen) {
    Terminal t(e2e::shell(R"sh(trap 'printf "\033[H\033[2Jsize %s\033[999;999HZ" "$(stty size)"' WINCH;)sh"
                          R"sh( stty size; while :; do sleep 0.02; done)sh"));
    ASSERT_TRUE(t.wait_for_text(0, "25 80"));
    struct Case {
        int rows;
        int cols;
        const char *size;
    } cases[] = {{30, 100, "size 30 100"}, {10, 40, "size 10 40"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        t.resize(c.rows, c.cols);
        EXPECT_EQ(t.rows(), c.rows);
        EXPECT_EQ(t.cols(), c.cols);
        ASSERT_TRUE(t.wait_for_text(0, c.size));
        ASSERT_TRUE(t.wait_for([&] { return t.cell(c.rows - 1, c.cols - 1).ch == "Z"; }));
    }
}

TEST(HarnessTerminal, HangupEndsTheProgram) {
    struct Case {
        const char *script;
        ExitStatus status;
        const char *stderr_text;
    } cases[] = {
        {"echo ready; while :; do sleep 0.02; done", ExitStatus::killed(SIGHUP), ""},
        {"trap 'echo got hangup >&2; exit 7' HUP; echo ready; while :; do sleep 0.02; done",
         ExitStatus::exited(7), "got hangup\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        Terminal t(e2e::shell(c.script));
        ASSERT_TRUE(t.wait_for_text(0, "ready"));
        t.hangup();
        EXPECT_EQ(t.wait_exit(), c.status);
        EXPECT_EQ(t.stderr_text(), c.stderr_text);
        EXPECT_EQ(t.row_text(0), "ready");
        EXPECT_FALSE(t.modes_after().has_value());
    }
}

}  // namespace
