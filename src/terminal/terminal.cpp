// Starting curses, the layout, reading keys, what the keys the layer cannot
// answer do, and leaving the program with the terminal restored whichever
// way it ends.
#include "terminal/terminal.h"
#include "terminal/messages.h"

#include <sys/ioctl.h>
#include <sys/time.h>
#include <term.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int use_color = 0;
int screen_lines = 25;
int screen_cols = 80;

namespace {

bool curses_started = false;

// The terminal curses draws on, asked for its size at a repaint; -1 until
// start_terminal runs.
int terminal_fd = -1;

// What is drawn again when the game comes back from Ctrl-Z or the terminal
// changes its size, when it is not the Ctrl-L repaint.
Repaint repaint_on_resume = nullptr;

// Whether the keys come from a terminal, where a person types them; false
// until start_terminal runs.
bool input_is_terminal = false;

// Set when the terminal has changed its size, until the key reader repaints.
volatile std::sig_atomic_t resized = 0;

// Whether the terminal was smaller than the layout needs at the last resize.
bool shrunk = false;

// The most keys dropped at once; the input of a terminal holds fewer.
constexpr int MAX_DROPPED_KEYS = 4096;

// How soon after a resize a key read that began meanwhile is woken.
constexpr long RESIZE_WAKE_US = 20000;

constexpr int ESCAPE_DELAY_MS = 25;

// Ends the program, before curses writes anything, on a terminal type it
// cannot play on: one terminfo does not know (curses' own message would
// write the type raw), and one that cannot move the cursor (such as
// "dumb"), on which the game would draw nothing and read keys blind.
void require_usable_terminal() {
    const char *term = std::getenv("TERM");
    if (term == nullptr || term[0] == '\0') {
        // TRANSLATORS: a fatal message on standard error before the game
        // starts: "vegatrade: " and TERM stay; no room limit.
        fatal(_("vegatrade: TERM is not set; set it to your terminal's type\n"));
    }
    char type[128];
    visible_bytes(term, type, sizeof type);
    char message[1024];
    int found = 0;
    if (setupterm(nullptr, STDOUT_FILENO, &found) != OK) {
        std::snprintf(message, sizeof message,
                      // TRANSLATORS: a fatal message on standard error before the
                      // game starts: %s is the value of TERM (such as "xterm");
                      // "vegatrade: ", TERM and terminfo stay; no room limit.
                      _("vegatrade: the terminal type \"%s\" is not known here (no terminfo entry); set TERM "
                        "to your terminal's type\n"),
                      type);
        fatal(message);
    }
    const char *move = tigetstr("cup");
    const bool addressable = move != nullptr && move != reinterpret_cast<char *>(-1);
    del_curterm(cur_term);
    if (addressable) return;
    std::snprintf(message, sizeof message,
                  // TRANSLATORS: a fatal message on standard error before the game
                  // starts: %s is the value of TERM (such as "dumb"); "vegatrade: "
                  // and TERM stay; no room limit.
                  _("vegatrade: the terminal type \"%s\" cannot move the cursor; set TERM to your terminal's "
                    "type\n"),
                  type);
    fatal(message);
}

// What Ctrl-L and Ctrl-C do until the game gives its own actions: a program
// drawn on stdscr alone repaints it, and leaves as on a fatal error.
void repaint_stdscr() { repaint_windows({}); }
void leave_interrupted() {
    // TRANSLATORS: a fatal message on standard error when Ctrl-C ends the
    // program before the game has begun: "vegatrade: " stays; no room limit.
    fatal(_("vegatrade: interrupted\n"));
}

KeyActions actions = {repaint_stdscr, leave_interrupted};

// The terminal changed its size: the key reader repaints. The signal ends
// a read that is waiting for a key; one that was about to begin when the
// signal came is ended by a wake-up shortly after.
void note_resize(int) {
    const int saved = errno;
    resized = 1;
    itimerval wake{};
    wake.it_value.tv_usec = RESIZE_WAKE_US;
    setitimer(ITIMER_REAL, &wake, nullptr);
    errno = saved;
}

// The wake-up only interrupts the key read; the reader looks at `resized`.
void wake_reader(int) {}

// Draws the whole screen shown again: back from a suspension, or at a resize.
void repaint_shown() {
    if (repaint_on_resume != nullptr) {
        repaint_on_resume();
    } else {
        actions.repaint();
    }
}

// Answers a change of the terminal's size before a key is read: the whole
// screen is drawn anew at once when the layout fits the terminal, and the
// note that it is too small is shown otherwise (the repaint tells them
// apart). While the terminal stays too small, the note is shown again at
// every key read, over whatever the game drew into the terminal meanwhile.
void answer_resize() {
    if (resized != 0) {
        resized = 0;
        repaint_shown();
        shrunk = !layout_fits_terminal();
    } else if (shrunk) {
        shrunk = note_too_small();
    }
}

}  // namespace

void set_key_actions(const KeyActions &given) { actions = given; }

const KeyActions &key_actions() { return actions; }

// Starts curses on the terminal. A resize must not shrink the fixed layout,
// and a hang-up must end the game through the lost-input path, so once
// curses has installed its own handlers, a hang-up is ignored and a resize
// is only noted for the key reader, which repaints: curses never learns of
// it.
void start_terminal() {
    // Names may be typed in any script: the character type comes from the
    // environment, before curses starts. Nothing else follows the locale,
    // and keys are compared in ASCII.
    std::setlocale(LC_CTYPE, "");
    // curses takes the terminal's real size; LINES and COLUMNS in the
    // environment size the layout only.
    use_env(FALSE);
    use_tioctl(TRUE);
    require_usable_terminal();
    initscr();
    curses_started = true;
    terminal_fd = STDOUT_FILENO;
    input_is_terminal = isatty(STDIN_FILENO) != 0;
    // Without SA_RESTART, so that the signals end a read waiting for a key.
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = note_resize;
    sigaction(SIGWINCH, &action, nullptr);
    action.sa_handler = wake_reader;
    sigaction(SIGALRM, &action, nullptr);
    std::signal(SIGHUP, SIG_IGN);
    // A lone Escape should answer at once unless the user chose a delay.
    if (std::getenv("ESCDELAY") == nullptr) set_escdelay(ESCAPE_DELAY_MS);
}

// Restores the terminal and gives the signals curses catches back their
// default handling; at the end of a game the screen is cleared first. Once
// the terminal leaves raw mode, a Ctrl-C, Ctrl-\ or Ctrl-Z typed there
// raises a signal again: curses' handlers would then leave the alternate
// screen a second time, or repaint the game on resume, and a Ctrl-\ would
// end the program before it has left the alternate screen. So the signals
// are held from leaving raw mode until curses has restored the terminal,
// and take their default action only then.
void restore_terminal(bool clear_first) {
    sigset_t held;
    sigset_t previous;
    sigemptyset(&held);
    for (const int sig : {SIGINT, SIGQUIT, SIGTERM, SIGTSTP, SIGHUP}) sigaddset(&held, sig);
    sigprocmask(SIG_BLOCK, &held, &previous);
    // No wake-up after a resize interrupts what is written once the game is over.
    const itimerval stop{};
    setitimer(ITIMER_REAL, &stop, nullptr);
    if (clear_first) {
        noraw();
        echo();
        wclear(stdscr);
        wrefresh(stdscr);
    }
    endwin();
    for (const int sig : {SIGINT, SIGTERM, SIGTSTP, SIGHUP, SIGWINCH}) std::signal(sig, SIG_DFL);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

// Writes a one-line message to standard error and ends the program with
// status 1, restoring the terminal first when curses is running. The
// message is written in its visible form: a translation cannot put a
// control character on the terminal.
void fatal(const char *message) {
    if (curses_started && !isendwin()) restore_terminal(false);
    write_visible(stderr, message);
    std::exit(1);
}

// The size of the terminal now, which may differ from curses' screen:
// curses is never told of size changes. False when it cannot be asked.
bool terminal_size(int &height, int &width) {
    winsize size{};
    if (terminal_fd < 0 || ioctl(terminal_fd, TIOCGWINSZ, &size) != 0) return false;
    if (size.ws_row == 0 || size.ws_col == 0) return false;
    height = size.ws_row;
    width = size.ws_col;
    return true;
}

// Ends the program when the layout cannot show the game, or the terminal
// cannot show the layout. Below 80 x 24 the company panel wraps and drops a
// company, and prompts and announcements lose rows. The terminal needs
// every column of the layout and every row but the last, which stays blank
// under the general window (so a 24-row terminal plays the 25-row layout).
// Called once the windows are made, so their own messages come first.
void require_layout_fits() {
    char message[1024];
    if (screen_cols < MIN_LAYOUT_COLS || screen_lines < MIN_LAYOUT_LINES) {
        std::snprintf(
            message, sizeof message,
            // TRANSLATORS: a fatal message on standard error before the game
            // starts: the layout's columns and rows that LINES and COLUMNS set,
            // then the least columns and rows the game needs. "vegatrade: ",
            // LINES and COLUMNS stay; no room limit.
            _("vegatrade: the %d x %d layout (columns x rows) that LINES and COLUMNS set cannot show "
              "the game, which needs at least %d x %d; set both to a layout that large, or unset "
              "them\n"),
            screen_cols, screen_lines, MIN_LAYOUT_COLS, MIN_LAYOUT_LINES);
        fatal(message);
    }
    const int height = getmaxy(stdscr);
    const int width = getmaxx(stdscr);
    const int needed_rows = screen_lines - 1;
    if (width >= screen_cols && height >= needed_rows) return;
    // A smaller layout is a remedy only when the terminal can show one.
    char other_layout[512] = "";
    if (width >= MIN_LAYOUT_COLS && height >= MIN_LAYOUT_LINES - 1) {
        std::snprintf(other_layout, sizeof other_layout,
                      // TRANSLATORS: the end of the next message, after "enlarge
                      // the terminal": the least columns and rows of a layout.
                      // LINES and COLUMNS stay; no room limit.
                      _(", or set both LINES and COLUMNS to a layout that fits it, of at least %d x %d"),
                      MIN_LAYOUT_COLS, MIN_LAYOUT_LINES);
    }
    std::snprintf(message, sizeof message,
                  // TRANSLATORS: a fatal message on standard error before the game
                  // starts: the terminal's columns and rows, the layout's columns
                  // and rows, the columns and rows it needs, then the message above
                  // or nothing. "vegatrade: " stays; no room limit.
                  _("vegatrade: the terminal is %d x %d (columns x rows), but the %d x %d layout needs at "
                    "least %d x %d; enlarge the terminal%s\n"),
                  width, height, screen_cols, screen_lines, screen_cols, needed_rows, other_layout);
    fatal(message);
}

void input_closed() {
    // TRANSLATORS: a fatal message on standard error when the keyboard's input
    // ends (the terminal was closed): "vegatrade: " stays; no room limit.
    fatal(_("vegatrade: input closed\n"));
}

// Sets what is drawn again when the game comes back from a suspension or
// the terminal is resized; nullptr gives it back to the Ctrl-L repaint of
// the key actions.
void on_resume(Repaint repaint) { repaint_on_resume = repaint; }

// Ctrl-Z, which raw mode delivers as a key: stops the game as the terminal's
// suspend key stops other programs. The terminal gets back the modes it had
// before the game (cooked, the cursor shown, the main screen) while the game
// is stopped; on `fg` curses takes it again and the screens repaint it whole.
// The stop goes to the whole process group, as the terminal sends it. A
// group that no shell controls (an orphaned one) is never stopped: the
// kernel drops the signal, and the game only repaints.
void suspend() {
    endwin();
    struct sigaction stop {};
    struct sigaction previous {};
    stop.sa_handler = SIG_DFL;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTSTP, &stop, &previous);
    sigset_t tstp;
    sigset_t mask;
    sigemptyset(&tstp);
    sigaddset(&tstp, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &tstp, &mask);
    kill(0, SIGTSTP);
    // Stopped here until SIGCONT.
    sigprocmask(SIG_SETMASK, &mask, nullptr);
    sigaction(SIGTSTP, &previous, nullptr);
    // Modes the player set with stty while the game was stopped stay theirs
    // when the game ends.
    def_shell_mode();
    // The repaint shows the terminal at its size now, resized meanwhile or not.
    resized = 0;
    repaint_shown();
    shrunk = !layout_fits_terminal();
}

// Reads one key from the standard screen. A failed read means the input has
// ended (end of file, hang-up or a read error), which ends the program; an
// interrupted read is simply repeated.
// Ctrl-Z suspends the game and is read no further. A resize repaints the
// screen while the read waits.
int read_key() {
    bool interrupted = false;
    for (;;) {
        answer_resize();
        // Interrupted while waiting for a key, curses may keep the failed
        // read in place of a key and give it back at the next read: a read
        // that does not wait takes it (or a key that came meanwhile).
        if (interrupted) wtimeout(stdscr, 0);
        errno = 0;
        const int key = wgetch(stdscr);
        const int error = errno;
        if (interrupted) wtimeout(stdscr, -1);
        if (key == CTRL_Z) {
            suspend();
            interrupted = false;
            continue;
        }
        if (key != ERR) return key;
        if (!interrupted && error != EINTR) input_closed();
        interrupted = !interrupted;
    }
}

// Reads a key if one comes within `milliseconds`; NO_KEY when none does. A
// read that fails before its time is up means the input has ended, which
// ends the program as at any other prompt. Ctrl-Z suspends the game, and
// the wait goes on for the time it had left; so does a resize, which
// repaints the screen.
int read_key_within(int milliseconds) {
    long long deadline = clock_ms() + milliseconds;
    int key = NO_KEY;
    for (;;) {
        answer_resize();
        const long long left = deadline - clock_ms();
        if (left <= 0) break;
        wtimeout(stdscr, static_cast<int>(left));
        errno = 0;
        const int read = wgetch(stdscr);
        if (read == CTRL_Z) {
            const long long stopped = clock_ms();
            suspend();
            deadline += clock_ms() - stopped;
            continue;
        }
        if (read != ERR) {
            key = read;
            break;
        }
        if (errno == EINTR) continue;
        // curses gives up only once the time is up: a read that failed
        // before then found the input ended.
        if (clock_ms() + 2 < deadline) input_closed();
        break;
    }
    wtimeout(stdscr, -1);
    return key;
}

// Drops the keys typed at the terminal before now, so that the next key
// read is one pressed after the screen as it stands was drawn: keys typed
// to hurry a computer, or typed ahead, never answer a question they came
// before. Input that is no terminal (a script through a pipe) is all typed
// ahead and is kept. Ctrl-Z among the keys still suspends the game; an
// input that has ended is found by the next key read.
void drop_typed_keys() {
    if (!input_is_terminal) return;
    wtimeout(stdscr, 0);
    for (int count = 0; count < MAX_DROPPED_KEYS; ++count) {
        errno = 0;
        const int key = wgetch(stdscr);
        if (key == CTRL_Z) suspend();
        if (key == ERR && errno != EINTR) break;
    }
    wtimeout(stdscr, -1);
}

// Milliseconds on a clock that only goes forward.
long long clock_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Reads a number the way atoi does (leading blanks, an optional sign, the
// leading digits; anything else gives 0), clamping values beyond the int range.
int parse_int(const char *text) {
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) value = static_cast<std::int64_t>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
