// End-to-end test harness: runs a program on a pseudo-terminal, feeds all it
// writes into libvterm, and lets a test type keys and assert on the screen.
//
//   e2e::Terminal t({.args = {"-m"}});
//   ASSERT_TRUE(t.wait_for_screen_contains("Please enter the number of players"));
//   t.type("2");
//   t.type(e2e::key::Enter);
//   EXPECT_TRUE(t.expect_screen(R"(
//   ...
//   )"));
//
// Every wait pumps the program's output into the screen while it waits
// (poll, never sleep) and, on failure, returns an AssertionResult whose
// message shows the current screen.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

struct VTerm;

namespace e2e {

class RepeatExpander;

using Millis = std::chrono::milliseconds;
inline constexpr Millis kDefaultTimeout{5000};

// Keys as xterm-256color sends them (cursor keys in application mode, which
// curses turns on with keypad()).
namespace key {
inline constexpr std::string_view Up = "\033OA";
inline constexpr std::string_view Down = "\033OB";
inline constexpr std::string_view Right = "\033OC";
inline constexpr std::string_view Left = "\033OD";
inline constexpr std::string_view Escape = "\033";
inline constexpr std::string_view Enter = "\r";
inline constexpr std::string_view Backspace = "\177";
inline constexpr std::string_view CtrlC = "\x03";
inline constexpr std::string_view CtrlL = "\x0c";
}  // namespace key

// How a cell is drawn. Colours are palette indexes; -1 is the terminal's
// default colour, -2 a direct RGB colour.
struct Style {
    bool bold = false;
    bool underline = false;
    bool blink = false;
    bool reverse = false;
    int fg = -1;
    int bg = -1;
    bool operator==(const Style &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Style &style);

// One screen cell: its text (UTF-8; " " when blank, "" for the right half of
// a double-width character) and its style.
struct Cell : Style {
    std::string ch;
};
std::ostream &operator<<(std::ostream &os, const Cell &cell);

struct Position {
    int row = 0;
    int col = 0;
    bool operator==(const Position &) const = default;
};
std::ostream &operator<<(std::ostream &os, const Position &pos);

// How the program ended: code >= 0 for a normal exit, else killed by signal.
struct ExitStatus {
    int code = -1;
    int signal = 0;
    static ExitStatus exited(int code) { return {code, 0}; }
    static ExitStatus killed(int sig) { return {-1, sig}; }
    bool operator==(const ExitStatus &) const = default;
};
std::ostream &operator<<(std::ostream &os, const ExitStatus &status);

// Values the preloaded pin_clock library makes time() and getpid() return.
struct PinnedClock {
    long long time = 0;
    long long pid = 0;
};

struct Options {
    std::string program = VEGATRADE_BINARY;  // argv[0] is its base name
    std::vector<std::string> args;
    int rows = 25;
    int cols = 80;
    // Applied on top of the current environment after the defaults
    // (TERM=xterm-256color; LINES, COLUMNS, ESCDELAY, LC_ALL, LC_CTYPE,
    // LC_MESSAGES, LANG and LANGUAGE unset, so the program runs in the C
    // locale, in English).
    // A value sets the variable, nullopt unsets it.
    std::map<std::string, std::optional<std::string>> env;
    // Make standard input a pipe that type() writes and close_input()
    // closes; standard output stays on the terminal.
    bool stdin_pipe = false;
    std::optional<PinnedClock> pin_clock;
    // Start the terminal with NOFLSH, as `stty noflsh` does: a Ctrl-C or
    // Ctrl-\ typed once the program has given the terminal its modes back
    // then signals it without throwing away what it wrote last.
    bool no_flush_on_signals = false;
    // Run the program as a job-control shell runs a job: in a process group
    // of its own that is the terminal's foreground group, under a parent in
    // the same session that waits for it and ends as it ends. Only then can
    // a stop signal stop it: the kernel drops one sent to a process group
    // that no shell controls, as the program's group otherwise is.
    bool job_control = false;
};

// Options that run a /bin/sh script instead of the game.
Options shell(std::string script, int rows = 25, int cols = 80);

// Compares two sets of terminal modes; the failure message names each flag
// and control character that differs.
::testing::AssertionResult same_modes(const termios &expected, const termios &actual);

class Terminal {
  public:
    explicit Terminal(Options options = {});
    ~Terminal();  // kills the program's process group if it still runs
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;

    // --- Input ---
    // Sends bytes to the program, pumping its output meanwhile so neither
    // side can block the other.
    void type(std::string_view bytes);
    // Closes the standard input pipe (Options::stdin_pipe only).
    void close_input();
    // Closes the terminal: the program sees a hang-up. The screen keeps what
    // was last shown.
    void hangup();
    void send_signal(int sig);
    // Whether the program is stopped (by SIGTSTP or SIGSTOP), as /proc shows it.
    bool stopped() const;
    // The terminal's modes now; nullopt once the terminal is closed.
    std::optional<termios> modes_now() const;
    // Resizes the terminal (the program gets SIGWINCH) and the screen.
    void resize(int rows, int cols);

    // --- Screen (as of the last pump) ---
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    std::string row_text(int row, bool trim = true) const;
    std::string screen_text(bool trim = true) const;  // rows joined by '\n'
    Cell cell(int row, int col) const;
    Position cursor() const;
    bool cursor_visible() const { return cursor_visible_; }
    bool altscreen() const { return altscreen_; }
    int bells() const { return bells_; }
    // The screen framed with row numbers, plus stderr and exit status.
    std::string dump() const;

    // --- Waiting ---
    // Each returns success as soon as the condition holds, and fails at the
    // timeout or as soon as no more output can come. The condition is checked
    // after each output from the program and at least every 100 ms.
    ::testing::AssertionResult wait_for(const std::function<bool()> &done, Millis timeout = kDefaultTimeout,
                                        std::string_view what = "the condition");
    ::testing::AssertionResult wait_for_text(int row, std::string_view text,
                                             Millis timeout = kDefaultTimeout);
    ::testing::AssertionResult wait_for_screen_contains(std::string_view text,
                                                        Millis timeout = kDefaultTimeout);
    // Waits until the program writes nothing for `quiet`.
    ::testing::AssertionResult wait_until_quiet(Millis quiet = Millis{100}, Millis timeout = kDefaultTimeout);

    // Whether the program is waiting for a key: it has read every byte typed
    // so far (and every answer the terminal sent it), sleeps in read() on its
    // standard input, and every byte it wrote is on the screen. Seen in
    // /proc/PID/io and /proc/PID/syscall; false once the program has ended.
    bool awaiting_key();
    // Whether the program waits for a key with a time limit, as in the
    // pauses of a computer's turn: the same as awaiting_key(), but blocked
    // in poll() or select() instead of read().
    bool pausing();
    // Waits until awaiting_key() holds, so the screen is complete: the one
    // way a player that reads the screen waits. Fails at the timeout, when
    // the program ends first, and when /proc cannot show the wait.
    ::testing::AssertionResult wait_for_key_request(Millis timeout = kDefaultTimeout);
    // Whether /proc shows what awaiting_key() needs for this program.
    bool can_see_key_requests();

    // Waits for the whole screen to show the picture `expected`, by the
    // rules of support/picture.h. With `styles`, "{k:text}" marks text drawn
    // in styles[k], and every other cell must have the default style, or
    // styles[' '] when that is given (curses in colour paints blanks white
    // on black). On failure the message shows the rows that differ and the
    // screen as a picture.
    ::testing::AssertionResult expect_screen(std::string_view expected,
                                             const std::map<char, Style> &styles = {},
                                             Millis timeout = kDefaultTimeout);

    // --- The program ---
    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the program to end and drains its output; nullopt on timeout.
    std::optional<ExitStatus> wait_exit(Millis timeout = kDefaultTimeout);
    // CPU time (user + system) the program has used so far.
    std::chrono::microseconds cpu_time();
    // What the program wrote to stderr and to the terminal, as far as read
    // by the last wait (all of it once wait_exit() has returned a status).
    const std::string &stderr_text() const { return stderr_; }
    const std::string &output_bytes() const { return output_; }
    const termios &modes_before() const { return modes_before_; }
    // The terminal modes as the program left them; nullopt until it has
    // exited, or when the terminal was hung up.
    const std::optional<termios> &modes_after() const { return modes_after_; }
    // Whether the program has exited and left the terminal modes as it found them.
    ::testing::AssertionResult modes_restored() const;

  private:
    struct VTermDeleter {
        void operator()(VTerm *vt) const;
    };
    class Fd {
      public:
        Fd() = default;
        explicit Fd(int fd) : fd_(fd) {}
        Fd(Fd &&other) noexcept : fd_(other.release()) {}
        Fd &operator=(Fd &&other) noexcept;
        ~Fd() { reset(); }
        int get() const { return fd_; }
        explicit operator bool() const { return fd_ >= 0; }
        int release();
        void reset(int fd = -1);

      private:
        int fd_ = -1;
    };

    void start(const Options &options);
    bool blocked_on_input(bool untimed);
    bool pump(int timeout_ms);
    bool read_master();
    void read_stderr();
    void write_pending(Fd &fd, std::string &pending);
    void try_reap();
    void finish_exit(int wait_status);
    void deliver(std::string &pending, Fd &fd);
    bool output_over() const;
    // Fails with `explain` and the state of the program and the screen,
    // its rows framed unless `with_rows` is false.
    ::testing::AssertionResult wait_impl(const std::function<bool()> &done, Millis timeout,
                                         const std::function<std::string()> &explain, bool with_rows = true);
    std::string state(bool with_rows) const;

    friend struct VTermCallbacks;

    int rows_;
    int cols_;
    std::unique_ptr<VTerm, VTermDeleter> vt_;
    std::unique_ptr<RepeatExpander> expander_;
    pid_t pid_ = -1;
    pid_t parent_ = -1;  // the process waited for: pid_, or its parent under job control
    Fd master_;
    Fd stderr_fd_;
    Fd stdin_fd_;  // write end of the stdin pipe
    Fd pidfd_;
    bool stdin_pipe_ = false;
    bool master_eof_ = false;
    bool reaped_ = false;
    std::optional<ExitStatus> status_;
    std::chrono::microseconds exit_cpu_{0};
    termios modes_before_{};
    std::optional<termios> modes_after_;
    std::string output_;
    std::string stderr_;
    std::string pending_master_;  // keys and terminal replies not yet written
    std::string pending_stdin_;
    long long to_program_ = 0;  // bytes written to the program's standard input
    long long read_base_ = -1;  // its read count less to_program_, once known
    bool cursor_visible_ = true;
    bool altscreen_ = false;
    int bells_ = 0;
};

}  // namespace e2e
