// The end-to-end harness: a program on a pseudo-terminal, its output kept in
// libvterm. See terminal.h for how tests use it.
#include "support/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>
#include <vterm.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>
#include <utility>

#include "support/picture.h"

extern char **environ;

namespace e2e {

using Clock = std::chrono::steady_clock;

// libvterm calls back into the terminal through these.
struct VTermCallbacks {
    static int settermprop(VTermProp prop, VTermValue *value, void *user) {
        auto *t = static_cast<Terminal *>(user);
        if (prop == VTERM_PROP_CURSORVISIBLE)
            t->cursor_visible_ = value->boolean != 0;
        else if (prop == VTERM_PROP_ALTSCREEN)
            t->altscreen_ = value->boolean != 0;
        return 1;
    }
    static int bell(void *user) {
        ++static_cast<Terminal *>(user)->bells_;
        return 1;
    }
    // Replies the terminal owes the program (cursor position reports and
    // the like) go back on the terminal's input, as a real terminal's do.
    static void output(const char *bytes, size_t len, void *user) {
        static_cast<Terminal *>(user)->pending_master_.append(bytes, len);
    }
    static constexpr VTermScreenCallbacks screen = {nullptr, nullptr, nullptr, &settermprop,
                                                    &bell,   nullptr, nullptr, nullptr};
};

// Rewrites REP (CSI Ps b, "repeat the last character"), which ncurses sends
// for xterm-256color, into the repeated characters: libvterm 0.1.4 gets REP
// wrong at the right margin and wraps the line one column early. All other
// bytes pass through unchanged. An escape sequence is held back until it is
// complete, so one split between two reads is handled too.
class RepeatExpander {
  public:
    std::string filter(std::string_view bytes) {
        std::string out;
        out.reserve(bytes.size());
        for (char byte : bytes) take(byte, out);
        return out;
    }

  private:
    enum class State { Ground, Escape, Csi };

    void take(char byte, std::string &out) {
        auto b = static_cast<unsigned char>(byte);
        switch (state_) {
            case State::Ground:
                if (b == 0x1B) {
                    held_ = byte;
                    state_ = State::Escape;
                    return;
                }
                if (b >= 0x20 && b != 0x7F) {
                    if (b < 0x80 || b >= 0xC0) last_char_.clear();  // a new character starts
                    last_char_ += byte;
                }
                out += byte;
                return;
            case State::Escape:
                if (b == '[' && held_.size() == 1) {
                    held_ += byte;
                    state_ = State::Csi;
                } else if (b >= 0x20 && b <= 0x7E) {
                    // Any other escape sequence is left to libvterm: hold its
                    // intermediates, pass it on at its final byte.
                    held_ += byte;
                    if (b >= 0x30) {
                        out += held_;
                        held_.clear();
                        state_ = State::Ground;
                    }
                } else {
                    out += held_;
                    held_.clear();
                    state_ = State::Ground;
                    take(byte, out);
                }
                return;
            case State::Csi:
                if (b >= 0x40 && b <= 0x7E) {
                    std::string_view params = std::string_view(held_).substr(2);
                    if (b == 'b' && params.find_first_not_of("0123456789") == std::string_view::npos) {
                        int n = params.empty() ? 1 : std::stoi(std::string(params.substr(0, 6)));
                        for (int i = 0; i < std::max(n, 1); ++i) out += last_char_;
                    } else {
                        out += held_;
                        out += byte;
                    }
                    held_.clear();
                    state_ = State::Ground;
                } else if (b >= 0x20) {
                    held_ += byte;
                } else {
                    // A control byte: ESC, CAN and SUB cancel the sequence; any
                    // other acts at once. libvterm does the same with them.
                    out += held_;
                    held_.clear();
                    state_ = State::Ground;
                    take(byte, out);
                }
                return;
        }
    }

    State state_ = State::Ground;
    std::string held_;       // an unfinished escape sequence
    std::string last_char_;  // the last character printed, as UTF-8
};

namespace {

// Most bytes one pump moves from the terminal into the screen, so a program
// that never stops writing cannot keep a wait from seeing its deadline.
constexpr size_t kMaxReadPerPump = size_t{1} << 20;

// A wait checks its condition after every output, and at least this often
// (for conditions such as the CPU time, which no output announces).
constexpr int kRecheckMs = 100;

[[noreturn]] void throw_errno(const std::string &what) {
    throw std::system_error(errno, std::generic_category(), what);
}

std::string trim_right(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

int colour_index(const VTermColor &colour, bool foreground) {
    if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&colour) : VTERM_COLOR_IS_DEFAULT_BG(&colour)) return -1;
    if (VTERM_COLOR_IS_INDEXED(&colour)) return colour.indexed.idx;
    return -2;
}

// Milliseconds left until `deadline`, rounded up so a wait never spins.
int ms_until(Clock::time_point deadline) {
    auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    auto ms = std::chrono::ceil<Millis>(left).count();
    return static_cast<int>(std::min<decltype(ms)>(ms, 1 << 30));
}

void set_nonblocking(int fd) {
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) throw_errno("fcntl");
}

std::pair<int, int> make_pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) < 0) throw_errno("pipe2");
    return {fds[0], fds[1]};
}

using EnvList = std::vector<std::pair<std::string, std::string>>;

std::optional<std::string> env_get(const EnvList &env, const std::string &name) {
    for (const auto &[key, value] : env)
        if (key == name) return value;
    return std::nullopt;
}

void env_set(EnvList &env, const std::string &name, const std::optional<std::string> &value) {
    std::erase_if(env, [&](const auto &entry) { return entry.first == name; });
    if (value) env.emplace_back(name, *value);
}

// The program's environment: ours, then the harness defaults, then the
// test's own settings, then what pinning the clock needs.
EnvList child_environment(const Options &options) {
    EnvList env;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        std::string_view text(*entry);
        auto eq = text.find('=');
        if (eq != std::string_view::npos)
            env.emplace_back(std::string(text.substr(0, eq)), std::string(text.substr(eq + 1)));
    }
    env_set(env, "TERM", "xterm-256color");
    // The C locale and English unless a test chooses otherwise, whatever the
    // test run's own.
    for (const char *name :
         {"LINES", "COLUMNS", "ESCDELAY", "LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG", "LANGUAGE"})
        env_set(env, name, std::nullopt);
    for (const auto &[name, value] : options.env) env_set(env, name, value);
    if (options.pin_clock) {
        env_set(env, "VEGATRADE_PIN_TIME", std::to_string(options.pin_clock->time));
        env_set(env, "VEGATRADE_PIN_PID", std::to_string(options.pin_clock->pid));
        auto preload = env_get(env, "LD_PRELOAD").value_or("");
        env_set(env, "LD_PRELOAD", preload.empty() ? PIN_CLOCK_LIBRARY : PIN_CLOCK_LIBRARY + (":" + preload));
        // An AddressSanitizer build refuses to run when a library is loaded
        // before its runtime, unless told not to check.
        auto asan = env_get(env, "ASAN_OPTIONS").value_or("");
        env_set(env, "ASAN_OPTIONS", (asan.empty() ? "" : asan + ":") + "verify_asan_link_order=0");
    }
    return env;
}

// The path to run: `program` itself if it names a directory, else the
// first match on PATH.
std::string resolve_program(const std::string &program, const EnvList &env) {
    if (program.find('/') != std::string::npos) return program;
    std::string path = env_get(env, "PATH").value_or("/usr/bin:/bin");
    std::istringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return program;
}

std::string base_name(const std::string &path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A test may write to a program that has already gone; that must be an
// error return, not a SIGPIPE that ends the test.
void ignore_sigpipe() {
    static std::once_flag once;
    std::call_once(once, [] { signal(SIGPIPE, SIG_IGN); });
}

struct FlagName {
    tcflag_t mask;
    const char *name;
};

// Adds a line for each flag (or multi-bit field) that differs.
void diff_flags(std::ostream &out, const char *field, tcflag_t expected, tcflag_t actual,
                std::initializer_list<FlagName> names) {
    tcflag_t known = 0;
    for (const auto &[mask, name] : names) {
        known |= mask;
        if ((expected & mask) == (actual & mask)) continue;
        out << "  " << field << ' ' << name << ": ";
        if ((mask & (mask - 1)) == 0)
            out << "expected " << ((expected & mask) ? "set" : "clear") << ", is "
                << ((actual & mask) ? "set" : "clear") << '\n';
        else
            out << "expected 0" << std::oct << (expected & mask) << ", is 0" << (actual & mask) << std::dec
                << '\n';
    }
    if ((expected & ~known) != (actual & ~known))
        out << "  " << field << " other bits: expected 0" << std::oct << (expected & ~known) << ", is 0"
            << (actual & ~known) << std::dec << '\n';
}

}  // namespace

// ---------------------------------------------------------------- printing

std::ostream &operator<<(std::ostream &os, const Style &style) {
    os << '{';
    const char *sep = "";
    for (auto [on, name] : {std::pair{style.bold, "bold"},
                            {style.underline, "underline"},
                            {style.blink, "blink"},
                            {style.reverse, "reverse"}}) {
        if (on) {
            os << sep << name;
            sep = " ";
        }
    }
    if (style.fg != -1) os << sep << "fg=" << style.fg, sep = " ";
    if (style.bg != -1) os << sep << "bg=" << style.bg;
    return os << '}';
}

std::ostream &operator<<(std::ostream &os, const Cell &cell) {
    return os << '"' << cell.ch << "\" " << static_cast<const Style &>(cell);
}

std::ostream &operator<<(std::ostream &os, const Position &pos) {
    return os << '(' << pos.row << ", " << pos.col << ')';
}

std::ostream &operator<<(std::ostream &os, const ExitStatus &status) {
    if (status.code >= 0) return os << "exit status " << status.code;
    return os << "killed by signal " << status.signal << " (" << strsignal(status.signal) << ')';
}

Options shell(std::string script, int rows, int cols) {
    Options options;
    options.program = "/bin/sh";
    options.args = {"-c", std::move(script)};
    options.rows = rows;
    options.cols = cols;
    return options;
}

::testing::AssertionResult same_modes(const termios &expected, const termios &actual) {
    std::ostringstream out;
    diff_flags(out, "c_iflag", expected.c_iflag, actual.c_iflag,
               {{IGNBRK, "IGNBRK"},
                {BRKINT, "BRKINT"},
                {IGNPAR, "IGNPAR"},
                {PARMRK, "PARMRK"},
                {INPCK, "INPCK"},
                {ISTRIP, "ISTRIP"},
                {INLCR, "INLCR"},
                {IGNCR, "IGNCR"},
                {ICRNL, "ICRNL"},
                {IUCLC, "IUCLC"},
                {IXON, "IXON"},
                {IXANY, "IXANY"},
                {IXOFF, "IXOFF"},
                {IMAXBEL, "IMAXBEL"},
                {IUTF8, "IUTF8"}});
    diff_flags(out, "c_oflag", expected.c_oflag, actual.c_oflag,
               {{OPOST, "OPOST"},
                {OLCUC, "OLCUC"},
                {ONLCR, "ONLCR"},
                {OCRNL, "OCRNL"},
                {ONOCR, "ONOCR"},
                {ONLRET, "ONLRET"},
                {OFILL, "OFILL"},
                {OFDEL, "OFDEL"},
                {NLDLY, "NLDLY"},
                {CRDLY, "CRDLY"},
                {TABDLY, "TABDLY"},
                {BSDLY, "BSDLY"},
                {VTDLY, "VTDLY"},
                {FFDLY, "FFDLY"}});
    diff_flags(out, "c_cflag", expected.c_cflag, actual.c_cflag,
               {{CBAUD, "CBAUD"},
                {CSIZE, "CSIZE"},
                {CSTOPB, "CSTOPB"},
                {CREAD, "CREAD"},
                {PARENB, "PARENB"},
                {PARODD, "PARODD"},
                {HUPCL, "HUPCL"},
                {CLOCAL, "CLOCAL"},
                {CRTSCTS, "CRTSCTS"}});
    diff_flags(out, "c_lflag", expected.c_lflag, actual.c_lflag,
               {{ISIG, "ISIG"},
                {ICANON, "ICANON"},
                {ECHO, "ECHO"},
                {ECHOE, "ECHOE"},
                {ECHOK, "ECHOK"},
                {ECHONL, "ECHONL"},
                {NOFLSH, "NOFLSH"},
                {TOSTOP, "TOSTOP"},
                {ECHOCTL, "ECHOCTL"},
                {ECHOPRT, "ECHOPRT"},
                {ECHOKE, "ECHOKE"},
                {FLUSHO, "FLUSHO"},
                {PENDIN, "PENDIN"},
                {IEXTEN, "IEXTEN"},
                {EXTPROC, "EXTPROC"}});
    static constexpr std::pair<int, const char *> control_chars[] = {
        {VINTR, "VINTR"},       {VQUIT, "VQUIT"},     {VERASE, "VERASE"}, {VKILL, "VKILL"},
        {VEOF, "VEOF"},         {VTIME, "VTIME"},     {VMIN, "VMIN"},     {VSTART, "VSTART"},
        {VSTOP, "VSTOP"},       {VSUSP, "VSUSP"},     {VEOL, "VEOL"},     {VREPRINT, "VREPRINT"},
        {VDISCARD, "VDISCARD"}, {VWERASE, "VWERASE"}, {VLNEXT, "VLNEXT"}, {VEOL2, "VEOL2"}};
    for (auto [index, name] : control_chars) {
        auto i = static_cast<size_t>(index);
        if (expected.c_cc[i] != actual.c_cc[i])
            out << "  c_cc[" << name << "]: expected " << int{expected.c_cc[i]} << ", is "
                << int{actual.c_cc[i]} << '\n';
    }
    std::string diffs = out.str();
    if (diffs.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "terminal modes differ:\n" << diffs;
}

// ---------------------------------------------------------------- plumbing

Terminal::Fd &Terminal::Fd::operator=(Fd &&other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

int Terminal::Fd::release() { return std::exchange(fd_, -1); }

void Terminal::Fd::reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
}

void Terminal::VTermDeleter::operator()(VTerm *vt) const { vterm_free(vt); }

namespace {

// In the child, after login_tty: forks the job, which returns to exec the
// program in a process group of its own, the terminal's foreground group.
// This process stays as the job's parent in the terminal's session, as a
// shell does: it names the job on `job_pipe` and ends as the job ends.
// Only async-signal-safe calls.
void run_as_job(int report_pipe, int job_pipe) {
    const pid_t job = fork();
    if (job < 0) {
        const int error = errno;
        ssize_t ignored = write(report_pipe, &error, sizeof error);
        (void)ignored;
        _exit(127);
    }
    if (job == 0) {
        setpgid(0, 0);
        // Taking the terminal from a background group needs SIGTTOU held.
        sigset_t ttou;
        sigemptyset(&ttou);
        sigaddset(&ttou, SIGTTOU);
        sigprocmask(SIG_BLOCK, &ttou, nullptr);
        tcsetpgrp(STDOUT_FILENO, getpid());
        sigprocmask(SIG_UNBLOCK, &ttou, nullptr);
        return;
    }
    setpgid(job, job);
    ssize_t ignored = write(job_pipe, &job, sizeof job);
    (void)ignored;
    close_range(3, ~0U, 0);
    int status = 0;
    while (waitpid(job, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) _exit(WEXITSTATUS(status));
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigaction(WTERMSIG(status), &default_action, nullptr);
    kill(getpid(), WTERMSIG(status));
    _exit(128 + WTERMSIG(status));
}

}  // namespace

Terminal::Terminal(Options options)
    : rows_(options.rows), cols_(options.cols), expander_(std::make_unique<RepeatExpander>()) {
    ignore_sigpipe();
    vt_.reset(vterm_new(rows_, cols_));
    if (!vt_) throw std::runtime_error("vterm_new failed");
    vterm_set_utf8(vt_.get(), 1);
    vterm_output_set_callback(vt_.get(), &VTermCallbacks::output, this);
    VTermScreen *screen = vterm_obtain_screen(vt_.get());
    vterm_screen_set_callbacks(screen, &VTermCallbacks::screen, this);
    vterm_screen_enable_altscreen(screen, 1);
    vterm_screen_reset(screen, 1);
    start(options);
}

// forkpty() split in two, so the modes can be read before the program can
// change them.
void Terminal::start(const Options &options) {
    EnvList env = child_environment(options);
    std::string path = resolve_program(options.program, env);

    std::vector<std::string> arg_strings{base_name(options.program)};
    arg_strings.insert(arg_strings.end(), options.args.begin(), options.args.end());
    std::vector<char *> argv;
    for (auto &arg : arg_strings) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> env_strings;
    for (const auto &[name, value] : env) env_strings.push_back(name + "=" + value);
    std::vector<char *> envp;
    for (auto &entry : env_strings) envp.push_back(entry.data());
    envp.push_back(nullptr);

    winsize size{};
    size.ws_row = static_cast<unsigned short>(rows_);
    size.ws_col = static_cast<unsigned short>(cols_);
    int master_fd = -1;
    int slave_fd = -1;
    if (openpty(&master_fd, &slave_fd, nullptr, nullptr, &size) < 0) throw_errno("openpty");
    Fd master(master_fd);
    Fd slave(slave_fd);
    if (fcntl(master.get(), F_SETFD, FD_CLOEXEC) < 0 || fcntl(slave.get(), F_SETFD, FD_CLOEXEC) < 0)
        throw_errno("fcntl");
    if (options.no_flush_on_signals) {
        termios modes{};
        if (tcgetattr(slave.get(), &modes) < 0) throw_errno("tcgetattr");
        modes.c_lflag |= NOFLSH;
        if (tcsetattr(slave.get(), TCSANOW, &modes) < 0) throw_errno("tcsetattr");
    }
    if (tcgetattr(slave.get(), &modes_before_) < 0) throw_errno("tcgetattr");

    auto [err_read, err_write] = make_pipe();
    Fd stderr_read(err_read), stderr_write(err_write);
    auto [report_read_fd, report_write_fd] = make_pipe();
    Fd report_read(report_read_fd), report_write(report_write_fd);
    // Under job control, the parent in the terminal's session names the job.
    auto [job_read_fd, job_write_fd] = make_pipe();
    Fd job_read(job_read_fd), job_write(job_write_fd);
    const bool job_control = options.job_control;
    Fd stdin_read, stdin_write;
    if (options.stdin_pipe) {
        auto [in_read, in_write] = make_pipe();
        stdin_read.reset(in_read);
        stdin_write.reset(in_write);
    }

    pid_t pid = fork();
    if (pid < 0) throw_errno("fork");
    if (pid == 0) {
        // The child: only async-signal-safe calls from here to execve.
        struct sigaction default_action {};
        default_action.sa_handler = SIG_DFL;
        for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &default_action, nullptr);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (login_tty(slave.get()) == 0 && (!stdin_read || dup2(stdin_read.get(), STDIN_FILENO) >= 0) &&
            dup2(stderr_write.get(), STDERR_FILENO) >= 0) {
            close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            if (job_control) run_as_job(report_write.get(), job_write.get());
            execve(path.c_str(), argv.data(), envp.data());
        }
        int error = errno;
        ssize_t ignored = write(report_write.get(), &error, sizeof error);
        (void)ignored;
        _exit(127);
    }

    pid_ = parent_ = pid;
    slave.reset();
    stderr_write.reset();
    stdin_read.reset();
    report_write.reset();
    job_write.reset();
    if (job_control) {
        pid_t job = -1;
        ssize_t got;
        do {
            got = read(job_read.get(), &job, sizeof job);
        } while (got < 0 && errno == EINTR);
        if (got == static_cast<ssize_t>(sizeof job)) pid_ = job;
    }
    // The report pipe closes on a successful exec, or brings the errno.
    int error = 0;
    ssize_t n;
    do {
        n = read(report_read.get(), &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    if (n == static_cast<ssize_t>(sizeof error)) {
        int status = 0;
        while (waitpid(parent_, &status, 0) < 0 && errno == EINTR) {
        }
        reaped_ = true;
        status_ = ExitStatus::exited(127);
        stderr_ = "e2e: cannot run " + path + ": " + std::strerror(error) + "\n";
        return;
    }

    set_nonblocking(master.get());
    set_nonblocking(stderr_read.get());
    if (stdin_write) set_nonblocking(stdin_write.get());
    master_ = std::move(master);
    stderr_fd_ = std::move(stderr_read);
    stdin_fd_ = std::move(stdin_write);
    stdin_pipe_ = options.stdin_pipe;
    // A pidfd lets poll() wake on the program's exit; without one, waits
    // check for it every few milliseconds.
    pidfd_.reset(static_cast<int>(syscall(SYS_pidfd_open, parent_, 0)));
}

Terminal::~Terminal() {
    if (parent_ > 0 && !reaped_) {
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        ::kill(parent_, SIGKILL);
        int status = 0;
        while (waitpid(parent_, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

// Waits up to timeout_ms for the program to do something and handles it.
// Returns whether output reached the screen.
bool Terminal::pump(int timeout_ms) {
    std::array<pollfd, 4> fds{};
    nfds_t count = 0;
    auto add = [&](const Fd &fd, int events) {
        fds[count] = pollfd{fd.get(), static_cast<short>(events), 0};
        return static_cast<int>(count++);
    };
    int master_at = -1, stderr_at = -1, stdin_at = -1, pid_at = -1;
    if (master_ && !master_eof_) master_at = add(master_, POLLIN | (pending_master_.empty() ? 0 : POLLOUT));
    if (stderr_fd_) stderr_at = add(stderr_fd_, POLLIN);
    if (stdin_fd_ && !pending_stdin_.empty()) stdin_at = add(stdin_fd_, POLLOUT);
    if (!reaped_) {
        if (pidfd_)
            pid_at = add(pidfd_, POLLIN);
        else
            timeout_ms = std::min(timeout_ms, 10);
    }
    if (count == 0 && reaped_) return false;

    if (poll(fds.data(), count, timeout_ms) < 0) {
        if (errno == EINTR) return false;
        throw_errno("poll");
    }
    auto fired = [&](int at) { return at >= 0 && fds[static_cast<size_t>(at)].revents != 0; };
    bool got_output = false;
    if (fired(master_at)) {
        got_output = read_master();
        if (master_ && !master_eof_ && !pending_master_.empty()) write_pending(master_, pending_master_);
    }
    if (fired(stderr_at)) read_stderr();
    if (fired(stdin_at)) write_pending(stdin_fd_, pending_stdin_);
    if (!reaped_ && (pid_at < 0 || fired(pid_at))) try_reap();
    return got_output;
}

// Moves what the program wrote into the screen. EIO means every holder of
// the terminal's other side has closed it: the end of the output.
bool Terminal::read_master() {
    std::array<char, 16384> buf;
    size_t total = 0;
    while (total < kMaxReadPerPump) {
        ssize_t n = read(master_.get(), buf.data(), buf.size());
        if (n > 0) {
            auto len = static_cast<size_t>(n);
            output_.append(buf.data(), len);
            std::string screen_bytes = expander_->filter(std::string_view(buf.data(), len));
            vterm_input_write(vt_.get(), screen_bytes.data(), screen_bytes.size());
            total += len;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            break;
        } else {
            master_eof_ = true;
            pending_master_.clear();
            break;
        }
    }
    return total > 0;
}

void Terminal::read_stderr() {
    std::array<char, 16384> buf;
    for (;;) {
        ssize_t n = read(stderr_fd_.get(), buf.data(), buf.size());
        if (n > 0) {
            stderr_.append(buf.data(), static_cast<size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n == 0 || errno != EAGAIN) stderr_fd_.reset();
            return;
        }
    }
}

// Writes what it can without blocking; drops the rest if the reader is gone.
void Terminal::write_pending(Fd &fd, std::string &pending) {
    const bool to_stdin = &fd == (stdin_pipe_ ? &stdin_fd_ : &master_);
    while (!pending.empty()) {
        ssize_t n = write(fd.get(), pending.data(), pending.size());
        if (n > 0) {
            pending.erase(0, static_cast<size_t>(n));
            if (to_stdin) to_program_ += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n < 0 && errno != EAGAIN) pending.clear();
            return;
        }
    }
}

void Terminal::try_reap() {
    int status = 0;
    rusage usage{};
    pid_t r = wait4(parent_, &status, WNOHANG, &usage);
    if (r == parent_) {
        auto micros = [](timeval tv) {
            return std::chrono::seconds(tv.tv_sec) + std::chrono::microseconds(tv.tv_usec);
        };
        exit_cpu_ = micros(usage.ru_utime) + micros(usage.ru_stime);
        finish_exit(status);
    } else if (r < 0 && errno == ECHILD) {
        finish_exit(0);  // reaped behind our back; the status is lost
        status_ = ExitStatus{};
    }
}

// The program has ended: take the rest of its output and the modes it left.
void Terminal::finish_exit(int wait_status) {
    reaped_ = true;
    pidfd_.reset();
    if (WIFEXITED(wait_status))
        status_ = ExitStatus::exited(WEXITSTATUS(wait_status));
    else
        status_ = ExitStatus::killed(WTERMSIG(wait_status));
    // The last bytes the program wrote may still be on their way through the
    // terminal after it has ended: read until the end of the output (EIO,
    // once every holder of the other side has closed it), a second at most.
    const auto deadline = Clock::now() + Millis{1000};
    while (master_ && !master_eof_) {
        pollfd ready{master_.get(), POLLIN, 0};
        const int left = ms_until(deadline);
        if (left == 0 || poll(&ready, 1, left) <= 0) break;
        read_master();
    }
    if (stderr_fd_) read_stderr();
    termios modes{};
    if (master_ && tcgetattr(master_.get(), &modes) == 0) modes_after_ = modes;
}

// Nothing more can reach the screen. At the end of the output the program
// still counts as running until it is reaped, so that a failure message
// can show how it ended.
bool Terminal::output_over() const { return !master_ || reaped_; }

// Writes queued input, pumping output meanwhile.
void Terminal::deliver(std::string &pending, Fd &fd) {
    write_pending(fd, pending);
    auto deadline = Clock::now() + kDefaultTimeout;
    while (!pending.empty()) {
        if (reaped_ || !fd || (&fd == &master_ && master_eof_)) {
            pending.clear();
            return;
        }
        int left = ms_until(deadline);
        if (left == 0) {
            ADD_FAILURE() << "the program did not read " << pending.size() << " bytes of input\n" << dump();
            pending.clear();
            return;
        }
        pump(left);
    }
}

// ---------------------------------------------------------------- input

void Terminal::type(std::string_view bytes) {
    if (stdin_pipe_) {
        if (!stdin_fd_) {
            ADD_FAILURE() << "type() after close_input()";
            return;
        }
        pending_stdin_.append(bytes);
        deliver(pending_stdin_, stdin_fd_);
    } else {
        if (!master_) {
            ADD_FAILURE() << "type() after hangup()";
            return;
        }
        pending_master_.append(bytes);
        deliver(pending_master_, master_);
    }
}

void Terminal::close_input() {
    if (!stdin_pipe_) {
        ADD_FAILURE() << "close_input() needs Options::stdin_pipe";
        return;
    }
    stdin_fd_.reset();
    pending_stdin_.clear();
}

void Terminal::hangup() {
    master_.reset();
    pending_master_.clear();
}

void Terminal::send_signal(int sig) {
    if (!reaped_) ::kill(pid_, sig);
}

bool Terminal::stopped() const {
    if (reaped_ || pid_ < 0) return false;
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t state = line.rfind(')');
    return state != std::string::npos && line.size() > state + 2 && line[state + 2] == 'T';
}

std::optional<termios> Terminal::modes_now() const {
    termios modes{};
    if (!master_ || tcgetattr(master_.get(), &modes) != 0) return std::nullopt;
    return modes;
}

void Terminal::resize(int rows, int cols) {
    vterm_set_size(vt_.get(), rows, cols);
    rows_ = rows;
    cols_ = cols;
    winsize size{};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(cols);
    if (master_ && ioctl(master_.get(), TIOCSWINSZ, &size) < 0) throw_errno("TIOCSWINSZ");
}

// ---------------------------------------------------------------- screen

Cell Terminal::cell(int row, int col) const {
    Cell result;
    VTermScreenCell raw{};
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_ ||
        !vterm_screen_get_cell(vterm_obtain_screen(vt_.get()), VTermPos{row, col}, &raw)) {
        result.ch = " ";
        return result;
    }
    if (raw.chars[0] == 0) {
        result.ch = " ";
    } else if (raw.chars[0] != static_cast<uint32_t>(-1)) {
        for (size_t i = 0; i < VTERM_MAX_CHARS_PER_CELL && raw.chars[i] != 0; ++i)
            picture::append_utf8(result.ch, raw.chars[i]);
    }
    result.bold = raw.attrs.bold != 0;
    result.underline = raw.attrs.underline != 0;
    result.blink = raw.attrs.blink != 0;
    result.reverse = raw.attrs.reverse != 0;
    result.fg = colour_index(raw.fg, true);
    result.bg = colour_index(raw.bg, false);
    return result;
}

std::string Terminal::row_text(int row, bool trim) const {
    std::string text;
    for (int col = 0; col < cols_; ++col) text += cell(row, col).ch;
    return trim ? trim_right(std::move(text)) : text;
}

std::string Terminal::screen_text(bool trim) const {
    std::string text;
    for (int row = 0; row < rows_; ++row) {
        if (row > 0) text += '\n';
        text += row_text(row, trim);
    }
    return text;
}

Position Terminal::cursor() const {
    VTermPos pos{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_.get()), &pos);
    return {pos.row, pos.col};
}

std::string Terminal::dump() const { return state(true); }

std::string Terminal::state(bool with_rows) const {
    std::ostringstream out;
    Position pos = cursor();
    out << "screen " << rows_ << 'x' << cols_ << ", cursor at " << pos << (cursor_visible_ ? "" : " (hidden)")
        << (altscreen_ ? ", alternate screen" : "") << (with_rows ? ":" : "") << '\n';
    if (with_rows) {
        std::string rule = "    +" + std::string(static_cast<size_t>(cols_), '-') + "+\n";
        out << rule;
        for (int row = 0; row < rows_; ++row) {
            out.width(3);
            out << row << " |" << row_text(row, false) << "|\n";
        }
        out << rule;
    }
    if (!stderr_.empty()) {
        constexpr size_t kTail = 4000;
        out << "stderr" << (stderr_.size() > kTail ? " (last part)" : "") << ":\n"
            << (stderr_.size() > kTail ? stderr_.substr(stderr_.size() - kTail) : stderr_);
        if (stderr_.back() != '\n') out << '\n';
    }
    if (status_)
        out << "the program ended: " << *status_ << '\n';
    else if (!master_)
        out << "the terminal was hung up\n";
    return out.str();
}

// ---------------------------------------------------------------- waiting

::testing::AssertionResult Terminal::wait_impl(const std::function<bool()> &done, Millis timeout,
                                               const std::function<std::string()> &explain, bool with_rows) {
    auto deadline = Clock::now() + timeout;
    for (;;) {
        if (done()) return ::testing::AssertionSuccess();
        if (output_over())
            return ::testing::AssertionFailure() << explain() << "\nand the screen can no longer change.\n"
                                                 << state(with_rows);
        int left = ms_until(deadline);
        if (left == 0)
            return ::testing::AssertionFailure()
                   << "timed out after " << timeout.count() << " ms " << explain() << '\n'
                   << state(with_rows);
        pump(std::min(left, kRecheckMs));
    }
}

::testing::AssertionResult Terminal::wait_for(const std::function<bool()> &done, Millis timeout,
                                              std::string_view what) {
    return wait_impl(done, timeout, [&] { return "waiting for " + std::string(what); });
}

::testing::AssertionResult Terminal::wait_for_text(int row, std::string_view text, Millis timeout) {
    if (row < 0 || row >= rows_)
        return ::testing::AssertionFailure() << "row " << row << " is off the screen\n" << dump();
    return wait_impl([&] { return row_text(row).find(text) != std::string::npos; }, timeout,
                     [&] {
                         return "waiting for row " + std::to_string(row) + " to contain \"" +
                                std::string(text) + "\"; it is \"" + row_text(row) + "\"";
                     });
}

::testing::AssertionResult Terminal::wait_for_screen_contains(std::string_view text, Millis timeout) {
    return wait_impl([&] { return screen_text().find(text) != std::string::npos; }, timeout,
                     [&] { return "waiting for the screen to contain \"" + std::string(text) + "\""; });
}

::testing::AssertionResult Terminal::wait_until_quiet(Millis quiet, Millis timeout) {
    auto deadline = Clock::now() + timeout;
    auto quiet_until = Clock::now() + quiet;
    for (;;) {
        if (output_over()) return ::testing::AssertionSuccess();
        auto now = Clock::now();
        if (now >= quiet_until) return ::testing::AssertionSuccess();
        if (now >= deadline)
            return ::testing::AssertionFailure()
                   << "the program was still writing after " << timeout.count() << " ms\n"
                   << dump();
        if (pump(ms_until(std::min(quiet_until, deadline)))) quiet_until = Clock::now() + quiet;
    }
}

namespace {

// The bytes a process has read and passed to write(), from any file.
struct IoCounts {
    long long read = -1;
    long long written = -1;
    bool operator==(const IoCounts &) const = default;
};

IoCounts io_counts(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/io");
    IoCounts io;
    std::string key;
    long long value = 0;
    while (in >> key >> value) {
        if (key == "rchar:") io.read = value;
        if (key == "wchar:") io.written = value;
    }
    return io;
}

// Whether a process sleeps in read() on descriptor 0, where curses waits
// for a key; /proc/PID/syscall names the call and its first argument.
// How the program waits for input, as /proc/PID/syscall shows it.
enum class InputWait { READ, TIMED };

bool waits_for_input(pid_t pid, InputWait wait) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
    long long number = -1;
    std::string fd;
    if (!(in >> number >> fd)) return false;
    if (wait == InputWait::READ) return number == SYS_read && fd == "0x0";
    return number == SYS_poll || number == SYS_ppoll || number == SYS_select || number == SYS_pselect6;
}

}  // namespace

bool Terminal::can_see_key_requests() {
    if (reaped_ || pid_ < 0) return false;
    std::ifstream syscall_file("/proc/" + std::to_string(pid_) + "/syscall");
    std::string first;
    return io_counts(pid_).read >= 0 && static_cast<bool>(syscall_file >> first);
}

// The order of the looks matters: the typed bytes must be seen consumed
// before the read is seen blocked, or the read seen could be the one the
// last key is still waking. The program's read count also holds the files
// it read while starting, so the count at the first wait, less the bytes
// typed by then, is the base the later counts are taken from.
bool Terminal::awaiting_key() { return blocked_on_input(true); }

bool Terminal::pausing() { return blocked_on_input(false); }

bool Terminal::blocked_on_input(bool untimed) {
    const InputWait wait = untimed ? InputWait::READ : InputWait::TIMED;
    if (reaped_ || pid_ < 0 || !pending_master_.empty() || !pending_stdin_.empty()) return false;
    const IoCounts before = io_counts(pid_);
    if (before.read < 0) return false;
    if (read_base_ >= 0 && before.read - read_base_ < to_program_) return false;
    if (!waits_for_input(pid_, wait)) return false;
    const IoCounts after = io_counts(pid_);
    if (after != before) return false;
    if (static_cast<long long>(output_.size() + stderr_.size()) < after.written) return false;
    if (read_base_ < 0) {
        // Make sure no typed byte is still on its way before taking the base.
        pump(2);
        if (!waits_for_input(pid_, wait) || io_counts(pid_) != after) return false;
        read_base_ = after.read - to_program_;
    }
    return true;
}

::testing::AssertionResult Terminal::wait_for_key_request(Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    if (running() && !can_see_key_requests())
        return ::testing::AssertionFailure()
               << "/proc does not show the program's reads and system call, which tell when it waits for a "
                  "key\n"
               << dump();
    for (;;) {
        if (!running())
            return ::testing::AssertionFailure() << "the program ended instead of asking for a key\n"
                                                 << dump();
        if (awaiting_key()) return ::testing::AssertionSuccess();
        if (Clock::now() >= deadline)
            return ::testing::AssertionFailure()
                   << "the program did not come to wait for a key within " << timeout.count() << " ms\n"
                   << dump();
        // Short: the program may block in its read just after its last
        // write, which no output announces.
        pump(1);
    }
}

namespace {

std::string style_name(const Style &style) {
    std::ostringstream out;
    out << style;
    return out.str();
}

// The screen's cells as a picture takes them.
picture::Screen picture_cells(const Terminal &t) {
    picture::Screen screen(static_cast<size_t>(t.rows()));
    for (int row = 0; row < t.rows(); ++row) {
        for (int col = 0; col < t.cols(); ++col) {
            Cell c = t.cell(row, col);
            // The right half of a double-width character has no text of its own.
            if (c.ch.empty()) continue;
            screen[static_cast<size_t>(row)].push_back({std::move(c.ch), style_name(c)});
        }
    }
    return screen;
}

}  // namespace

::testing::AssertionResult Terminal::expect_screen(std::string_view expected,
                                                   const std::map<char, Style> &styles, Millis timeout) {
    const auto plain = styles.find(' ');
    picture::Legend legend{!styles.empty(), style_name(plain != styles.end() ? plain->second : Style{}), {}};
    for (const auto &[key, style] : styles)
        if (key != ' ') legend.keys[key] = style_name(style);
    const picture::Picture want(expected, std::move(legend));
    if (want.rows() > static_cast<size_t>(rows_))
        return ::testing::AssertionFailure()
               << "expected " << want.rows() << " rows on a screen of " << rows_ << '\n'
               << dump();
    // The failure shows the screen as a picture, not framed again.
    return wait_impl([&] { return want.shown_by(picture_cells(*this)); }, timeout,
                     [&] {
                         return "waiting for the expected screen; " +
                                want.differences(picture_cells(*this), "screen");
                     },
                     false);
}

// ---------------------------------------------------------------- the program

bool Terminal::running() {
    if (!reaped_) try_reap();
    return !reaped_;
}

std::optional<ExitStatus> Terminal::wait_exit(Millis timeout) {
    auto deadline = Clock::now() + timeout;
    while (!reaped_) {
        int left = ms_until(deadline);
        if (left == 0) return std::nullopt;
        pump(left);
    }
    return status_;
}

std::chrono::microseconds Terminal::cpu_time() {
    if (reaped_ || !running()) return exit_cpu_;
    // schedstat gives nanoseconds on the CPU; stat only clock ticks.
    std::ifstream schedstat("/proc/" + std::to_string(pid_) + "/schedstat");
    unsigned long long nanos = 0;
    if (schedstat >> nanos)
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::nanoseconds(nanos));
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(stat, line);
    auto paren = line.rfind(')');
    if (paren == std::string::npos) return exit_cpu_;
    std::istringstream fields(line.substr(paren + 1));
    std::string skip;
    for (int i = 3; i < 14; ++i) fields >> skip;  // state .. cmajflt
    unsigned long long utime = 0, stime = 0;
    fields >> utime >> stime;
    auto ticks = static_cast<unsigned long long>(sysconf(_SC_CLK_TCK));
    return std::chrono::microseconds(static_cast<long long>((utime + stime) * 1000000 / ticks));
}

::testing::AssertionResult Terminal::modes_restored() const {
    if (!status_) return ::testing::AssertionFailure() << "the program has not exited";
    if (!modes_after_) return ::testing::AssertionFailure() << "the modes after exit are unknown (hung up?)";
    return same_modes(modes_before_, *modes_after_);
}

}  // namespace e2e
