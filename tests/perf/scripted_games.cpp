// The scripted player: reads the screen, decides by fixed rules, and types
// one key at a time, each only when the game is blocked reading it.
#include "perf/scripted_games.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>
#include <utility>

#include "support/game_driver.h"

namespace perf {
namespace {

using Clock = std::chrono::steady_clock;
using e2e::Millis;
using e2e::Terminal;

// Longest a key may take to be answered before the run counts as stuck.
constexpr Millis kKeyTimeout{30000};
// Most keys one game may take; a script that loops is stopped here.
constexpr int kMaxKeys = 4000;

std::string read_file(const std::string &path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long long peak_rss_kib(pid_t pid) {
    std::istringstream status(read_file("/proc/" + std::to_string(pid) + "/status"));
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atoll(line.c_str() + 6);
    }
    return 0;
}

struct Settled {
    bool ok = false;
    Clock::time_point last_output;             // when the last byte arrived
    std::optional<Clock::time_point> watched;  // when `watch` first held
};

// Pumps the game's output until it waits for the next key (or has ended).
// Every wake-up is seen at once, so the times are those of the output's
// arrival, not of the checks.
Settled settle(Terminal &t, Clock::time_point since, const std::function<bool()> &watch = {}) {
    Settled result;
    result.last_output = since;
    std::size_t seen = t.output_bytes().size();
    const auto deadline = Clock::now() + kKeyTimeout;
    auto check = [&] {
        const auto now = Clock::now();
        if (t.output_bytes().size() != seen) {
            seen = t.output_bytes().size();
            result.last_output = now;
        }
        if (watch && !result.watched && watch()) result.watched = now;
        if (!t.running()) return true;
        return t.awaiting_key();
    };
    while (Clock::now() < deadline) {
        // A short wait: the game may block in its read just after its last
        // write, which no output would announce.
        if (t.wait_for(check, Millis{1})) {
            if (!t.running()) {
                t.wait_exit(Millis{5000});
                if (t.output_bytes().size() != seen) result.last_output = Clock::now();
            }
            result.ok = true;
            return result;
        }
    }
    return result;
}

bool screen_has(const Terminal &t, std::string_view text) {
    return t.screen_text().find(text) != std::string::npos;
}

struct Key {
    std::string label;
    std::string bytes;
    bool repaint = false;
};

Key named(std::string label, std::string_view bytes) { return {std::move(label), std::string(bytes)}; }
Key plain(char c) { return {c == ' ' ? "Space" : std::string(1, c), std::string(1, c)}; }

// How the amount of one trade is chosen from the offered range.
enum class Amount { Half, Most, SellAll };

// The rules of the scripted player.
class Player {
  public:
    explicit Player(const ScriptedGame &game) : game_(game) {}

    int turns() const { return turns_; }
    const std::string &context() const { return context_; }

    // The next key to type on this screen, or nullopt with `failure` set
    // when the screen is not one the script knows.
    std::optional<Key> next(const Terminal &t, std::string &failure) {
        if (setup_done_ < 1) return title(t, failure);
        if (setup_done_ < 2) return names(t, failure);
        if (screen_has(t, "Are you sure you want to quit (y/n)?")) {
            context_ = "quit";
            return plain(quitting_ ? 'y' : 'n');
        }
        if (screen_has(t, "Final Standings")) {
            context_ = "final";
            return plain(' ');
        }
        if (screen_has(t, "Press any key to continue...")) {
            context_ = screen_has(t, "Current Standings")  ? "standings"
                       : screen_has(t, "Detailed Company") ? "report"
                                                           : "announce";
            return plain(' ');
        }
        if (auto range = amount_range(t)) return amount(*range);
        if (t.row_text(e2e::GENERAL_TOP + 1).find("Arrow keys to select a company") != std::string::npos)
            return trade();
        if (e2e::at_move_prompt(t)) return move(t);
        failure = "the scripted player does not know this screen";
        return std::nullopt;
    }

  private:
    std::optional<Key> title(const Terminal &t, std::string &failure) {
        context_ = "title";
        if (!screen_has(t, "Please enter the number of players [1-4]:")) {
            failure = "no title screen";
            return std::nullopt;
        }
        setup_done_ = 1;
        return plain(static_cast<char>('0' + game_.players.size()));
    }

    std::optional<Key> names(const Terminal &t, std::string &failure) {
        context_ = "name";
        const std::string &name = game_.players[name_];
        if (char_ == 0 && !screen_has(t, "Player " + std::to_string(name_ + 1) + ", enter your name:")) {
            failure = "no name prompt for player " + std::to_string(name_ + 1);
            return std::nullopt;
        }
        if (char_ < name.size()) return plain(name[char_++]);
        char_ = 0;
        if (++name_ == game_.players.size()) setup_done_ = 2;
        return named("Enter", e2e::key::Enter);
    }

    // At the move prompt: now and then a hotkey, else the best offer.
    Key move(const Terminal &t) {
        context_ = "move";
        if (game_.max_turns > 0 && turns_ >= game_.max_turns) {
            quitting_ = true;
            return plain('Q');
        }
        if (extra_turn_ != turns_) {
            extra_turn_ = turns_;
            extras_.clear();
            // Each screen the move prompt opens, once, early in the game.
            if (turns_ == 2) extras_ = {plain('S')};
            if (turns_ == 4) extras_ = {plain('C')};
            if (turns_ == 5) extras_ = {{"Ctrl-L", std::string(e2e::key::CtrlL), true}};
            if (turns_ == 6) extras_ = {plain('q')};  // declined with 'n'
        }
        if (!extras_.empty()) {
            Key key = extras_.front();
            extras_.pop_front();
            return key;
        }
        ++turns_;
        trade_plan_.clear();
        trade_turn_ = -1;
        return plain(best_offer(t));
    }

    // The offer with the most neighbouring companies, then stars and
    // outposts, away from black holes; the lowest digit among equals.
    static char best_offer(const Terminal &t) {
        auto at = [&](int r, int c) -> char {
            if (r < 0 || r >= 10 || c < 0 || c >= 12) return '.';
            const e2e::Position p = e2e::sector_cell(r, c);
            const std::string ch = e2e::text_at(t, p.row, p.col, 1);
            return ch.size() == 1 ? ch.at(0) : ' ';
        };
        char best = '1';
        int best_score = -1000;
        for (int r = 0; r < 10; ++r) {
            for (int c = 0; c < 12; ++c) {
                const char offer = at(r, c);
                if (offer < '1' || offer > '5') continue;
                int score = 0;
                std::string companies;
                for (auto [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const char n = at(r + dr, c + dc);
                    if (n >= 'A' && n <= 'E' && companies.find(n) == std::string::npos) {
                        companies += n;
                        score += 10;
                    }
                    if (n == '*') score += 3;
                    if (n == '+') score += 2;
                    if (n == '@') score -= 20;
                }
                if (score > best_score || (score == best_score && offer < best)) {
                    best = offer;
                    best_score = score;
                }
            }
        }
        return best;
    }

    // The trading list: one plan per turn, in four kinds that take turns.
    Key trade() {
        context_ = "trade";
        if (trade_turn_ != turns_) {
            trade_turn_ = turns_;
            switch (turns_ % 4) {
                case 0:
                    trade_plan_ = {named("Down", e2e::key::Down), named("Enter", e2e::key::Enter)};
                    amounts_ = {Amount::Half};
                    break;
                case 1:
                    trade_plan_ = {named("Enter", e2e::key::Enter), plain('j')};
                    amounts_ = {Amount::Most};
                    break;
                case 2:
                    trade_plan_ = {plain('j'), named("Right", e2e::key::Right), plain('k'),
                                   named("Up", e2e::key::Up)};
                    amounts_ = {Amount::SellAll};
                    break;
                default: break;
            }
            if (turns_ == 7) trade_plan_.push_front(plain('s'));
            if (turns_ == 9) trade_plan_.push_front(plain('c'));
            trade_plan_.push_back(named("Esc", e2e::key::Escape));
        }
        if (trade_plan_.empty()) return named("Esc", e2e::key::Escape);
        Key key = trade_plan_.front();
        trade_plan_.pop_front();
        return key;
    }

    // The range of the amount prompt, when one is open.
    static std::optional<std::pair<int, int>> amount_range(const Terminal &t) {
        for (int row = e2e::GENERAL_TOP + 3; row < e2e::GENERAL_TOP + 8; ++row) {
            const std::string text = t.row_text(row);
            const auto at = text.find("Amount (");
            int min = 0;
            int max = 0;
            if (at != std::string::npos &&
                std::sscanf(text.c_str() + at, "Amount (%d to %d)", &min, &max) == 2)
                return std::pair{min, max};
        }
        return std::nullopt;
    }

    Key amount(std::pair<int, int> range) {
        context_ = "amount";
        if (amount_keys_.empty()) {
            const Amount kind = amounts_.empty() ? Amount::Half : amounts_.front();
            if (!amounts_.empty()) amounts_.pop_front();
            const auto [min, max] = range;
            switch (kind) {
                case Amount::Half: {
                    for (char c : std::to_string(max / 2)) amount_keys_.push_back(plain(c));
                    // A digit typed and erased, as a person corrects a slip.
                    amount_keys_.push_back(plain('7'));
                    amount_keys_.push_back(named("Backspace", e2e::key::Backspace));
                    amount_keys_.push_back(named("Enter", e2e::key::Enter));
                    break;
                }
                case Amount::Most: amount_keys_ = {plain('m'), named("Enter", e2e::key::Enter)}; break;
                case Amount::SellAll:
                    if (min < 0)
                        amount_keys_ = {plain('n'), named("Enter", e2e::key::Enter)};
                    else
                        amount_keys_ = {plain('0'), named("Enter", e2e::key::Enter)};
                    break;
            }
        }
        Key key = amount_keys_.front();
        amount_keys_.pop_front();
        return key;
    }

    const ScriptedGame &game_;
    int setup_done_ = 0;
    std::size_t name_ = 0;
    std::size_t char_ = 0;
    int turns_ = 0;
    bool quitting_ = false;
    int extra_turn_ = -1;
    std::deque<Key> extras_;
    int trade_turn_ = -1;
    std::deque<Key> trade_plan_;
    std::deque<Amount> amounts_;
    std::deque<Key> amount_keys_;
    std::string context_ = "start";
};

}  // namespace

const std::vector<ScriptedGame> &scripted_games() {
    static const std::vector<ScriptedGame> games = {
        {"duel", 1000, 4242, {}, {"Ann", "Bob"}, 0},
        {"quartet", 777, 31337, {}, {"Ann", "Bob", "Cyd", "Dee"}, 14},
    };
    return games;
}

const std::vector<std::string> &terminal_types() {
    static const std::vector<std::string> types = {"xterm-256color", "vt100"};
    return types;
}

GameRun play(const ScriptedGame &game, const std::string &term, const PlayOptions &options) {
    GameRun run;
    run.game = game.name;
    run.term = term;

    e2e::Options terminal_options;
    terminal_options.args = game.args;
    terminal_options.env["TERM"] = term;
    terminal_options.pin_clock = e2e::PinnedClock{game.time, game.pid};
    const auto started = Clock::now();
    Terminal t(terminal_options);

    if (t.running() && !t.can_see_key_requests()) {
        run.failure = "cannot read /proc/PID/syscall, which tells when the game waits for a key";
        return run;
    }
    Settled first = settle(t, started);
    run.keys.push_back({"(start)", "start", 0, t.output_bytes().size(),
                        std::chrono::duration_cast<Micros>(first.last_output - started), false});
    run.startup = run.keys.back().latency;
    if (!first.ok) run.failure = "the title screen did not settle";
    if (options.measure && t.running()) run.title_rss_kib = peak_rss_kib(t.pid());

    Player player(game);
    while (run.failure.empty() && t.running()) {
        if (static_cast<int>(run.keys.size()) > kMaxKeys) {
            run.failure = "the game took more than " + std::to_string(kMaxKeys) + " keys";
            break;
        }
        auto key = player.next(t, run.failure);
        if (!key) break;
        if (options.measure) {
            run.peak_rss_kib = peak_rss_kib(t.pid());
            if (player.context() == "move" && player.turns() == options.idle_turn &&
                run.idle_cpu < Micros{0}) {
                const auto before = t.cpu_time();
                (void)t.wait_for([] { return false; }, options.idle_time, "nothing: the game stays idle");
                run.idle_cpu = t.cpu_time() - before;
            }
        }
        const bool escape = key->bytes == e2e::key::Escape && player.context() == "trade";
        KeyRecord record{key->label, player.context(), t.output_bytes().size(), 0, Micros{0}, key->repaint};
        const auto typed = Clock::now();
        t.type(key->bytes);
        Settled done = escape ? settle(t, typed, [&] { return e2e::at_move_prompt(t); }) : settle(t, typed);
        record.end = t.output_bytes().size();
        record.latency = std::chrono::duration_cast<Micros>(done.last_output - typed);
        if (escape && done.watched)
            run.escape_latency.push_back(std::chrono::duration_cast<Micros>(*done.watched - typed));
        run.keys.push_back(record);
        if (!done.ok) run.failure = "no answer to the key " + key->label + " at " + player.context();
    }
    run.turns = player.turns();
    if (!run.failure.empty()) run.failure += "\n" + t.dump();
    if (!t.running()) run.status = t.wait_exit(Millis{0});
    run.output = t.output_bytes();
    return run;
}

}  // namespace perf
