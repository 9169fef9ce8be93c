// The bot that plays whole games through the terminal; see bot.h.
//
// It knows no rule of the game and draws nothing the game draws: it reads
// the map, the offers, the panel, the titles and every announcement off
// the screen, and checks that the screens agree with one another. The
// title's cash and the panel's holdings move by exactly amount x price
// after a trade; a split doubles every holding; a merger's table adds the
// new stock to the holdings the screens showed before, and its bonuses add
// up to ten times the absorbed price within rounding; the report's sizes
// are the letters on the map, and its worths, like the standings' net
// worths, are cash plus holdings x the prices on the panel; every change
// to the map and every announcement agrees with the four neighbours the
// map showed around the chosen sector. Its account of each player's cash
// and holdings is made of what the screens said, so a player's panel and
// title must show it again at the next turn. What the rules compute
// (prices, dividends, offers, the survivor) is checked in-process, by the
// rules' tables (tests/rules).
//
// This file plays a game from the title to the exit status; bot_impl.h says
// where the other parts are.
//
// Between keys it waits until the game asks for the next key
// (Terminal::wait_for_key_request), so every screen it checks is complete,
// and no wait sleeps.
#include "support/bot.h"

#include "support/bot_impl.h"

namespace e2e {

namespace {

Options terminal_options(const BotOptions &options, const PinnedClock &clock) {
    Options o;
    o.args = {options.monochrome ? "-m" : "-c"};
    o.pin_clock = clock;
    return o;
}

// Three numbers drawn from the seed and the setup: the bot's own seed, the
// clock and the process id the game sees. So the seed alone replays a game,
// and the setups with one seed play different games.
std::array<std::uint32_t, 3> seeds_for(const BotOptions &options) {
    std::seed_seq mix{options.seed, static_cast<std::uint32_t>(options.players),
                      static_cast<std::uint32_t>(options.monochrome ? 1 : 0)};
    std::array<std::uint32_t, 3> words{};
    mix.generate(words.begin(), words.end());
    return words;
}

PinnedClock clock_for(const BotOptions &options) {
    const auto words = seeds_for(options);
    return PinnedClock{700000000 + static_cast<long long>(words[1] % 900000000u),
                       1000 + static_cast<long long>(words[2] % 4000000u)};
}

}  // namespace

Bot::Impl::Impl(BotOptions options)
    : opt(options),
      clock(clock_for(options)),
      rng(seeds_for(options)[0]),
      t(terminal_options(options, clock)) {}

// ------------------------------------------------------------ plumbing

AssertionResult Bot::Impl::fail(const std::string &what) const {
    AssertionResult result = ::testing::AssertionFailure();
    result << "bot seed " << opt.seed << " (" << opt.players << " player" << (opt.players == 1 ? "" : "s")
           << ", " << (opt.monochrome ? "monochrome" : "colour") << "; game clock " << clock.time << ", pid "
           << clock.pid << "), turn " << turn << ":\n  " << what << "\nlast actions:\n";
    for (const std::string &action : recent) result << "  " << action << '\n';
    result << "what the screens said so far:\n";
    for (std::size_t p = 0; p < players.size(); ++p) {
        result << "  " << players[p] << ": cash " << cash[p] << ", holdings";
        for (const long long h : holdings[p]) result << ' ' << h;
        result << '\n';
    }
    result << '\n' << t.dump();
    return result;
}

void Bot::Impl::note(const std::string &action) {
    recent.push_back("turn " + std::to_string(turn) + ": " + action);
    if (recent.size() > 16) recent.pop_front();
}

void Bot::Impl::press(std::string_view keys, const std::string &why) {
    note("typed " + key_name(keys) + " (" + why + ")");
    presses.push_back({std::string(keys), why, turn, t.output_bytes().size()});
    t.type(keys);
}

// Waits until the game waits for a key (or has ended), so the screen it
// shows is complete.
AssertionResult Bot::Impl::settle(Millis timeout) {
    if (!t.running()) return AssertionSuccess();
    const AssertionResult waiting = t.wait_for_key_request(timeout);
    if (waiting || !t.running()) return AssertionSuccess();
    return fail(std::string("the game did not come to wait for a key: ") + waiting.message());
}

AssertionResult Bot::Impl::settle_running(const char *where) {
    BOT_TRY(settle());
    if (!t.running()) return fail(std::string("the game ended ") + where);
    return AssertionSuccess();
}

// ------------------------------------------------------------ playing

AssertionResult Bot::Impl::play() {
    style = chance(60) ? 0 : 1 + roll(2);
    BOT_TRY(title_screen());
    BOT_TRY(settle_running("after the names"));
    BOT_TRY(read_galaxy());
    for (turn = 1;; ++turn) {
        stats.turns = turn;
        BOT_CHECK(turn <= 1000, "the game has not ended after 1000 turns");
        BOT_TRY(settle_running("where a move prompt or the final standings were due"));
        if (screen_of(t) == Screen::Final) {
            stats.ended_without_offers = true;
            return finish();
        }
        BOT_TRY(move_turn());
        BOT_TRY(settle_running("after a move"));
        const Screen after = screen_of(t);
        if (after == Screen::Final) {
            cash[static_cast<std::size_t>(current)] = -1;  // the dividends of the last move are not shown
            return finish();
        }
        if (after == Screen::Trade) {
            BOT_TRY(trading());
        } else {
            BOT_CHECK(after == Screen::Move,
                      "after a move, neither the trading dialog, a move prompt nor the final "
                      "standings came up");
            BOT_CHECK(map.find_first_of("ABCDE") == std::string::npos,
                      "the trading dialog was left out although companies are on the map");
        }
    }
}

// ------------------------------------------------------------ the end

AssertionResult Bot::Impl::finish() {
    BOT_TRY(settle_running("where the final standings were due"));
    BOT_TRY(expect_standings(true));
    const std::string closing =
        pick<std::string>({"\r", " ", "x", "q", "\x0c", "\x1b", std::string(key::Down)});
    if (closing == "\x0c") {
        // Ctrl-L repaints the final standings, which go on waiting for a key.
        const std::string before = t.screen_text();
        const Position cursor = t.cursor();
        press(closing, "a repaint of the final standings");
        BOT_TRY(settle_running("after a repaint of the final standings"));
        BOT_TRY(expect_unchanged(before, cursor, "a repaint of the final standings"));
        press(" ", "closing the final standings");
    } else {
        press(closing, "closing the final standings");
    }
    const auto status = t.wait_exit(Millis{10000});
    BOT_CHECK(status.has_value(), "the game did not exit after the final standings");
    std::ostringstream out;
    out << "the game ended with " << *status << ", expected exit status 0";
    BOT_CHECK(*status == ExitStatus::exited(0), out.str());
    BOT_CHECK(t.stderr_text().empty(), "the game wrote to standard error: " + t.stderr_text());
    const AssertionResult restored = t.modes_restored();
    BOT_CHECK(restored, restored.message());
    // The banner is the last thing written, after the terminal was restored.
    const std::string &output = t.output_bytes();
    const std::size_t banner = output.rfind("Vegatrade ");
    BOT_CHECK(banner != std::string::npos, "no version banner after the game");
    const std::string tail = output.substr(banner);
    BOT_CHECK(tail.find('\033') == std::string::npos &&
                  tail.find("v1.2.2 29-Mar-1997") != std::string::npos &&
                  (tail.ends_with("29-Mar-1997\n") || tail.ends_with("29-Mar-1997\r\n")),
              "the banner is not the last line written: \"" + key_name(tail) + "\"");
    return AssertionSuccess();
}

// ------------------------------------------------------------ Bot

Bot::Bot(BotOptions options) : impl_(std::make_unique<Impl>(options)) {}
Bot::~Bot() = default;

::testing::AssertionResult Bot::play() { return impl_->play(); }

const BotStats &Bot::stats() const { return impl_->stats; }

const std::string &Bot::output() const { return impl_->t.output_bytes(); }

const std::vector<BotPress> &Bot::presses() const { return impl_->presses; }

std::optional<ExitStatus> Bot::exit_status() {
    if (impl_->t.running()) return std::nullopt;
    return impl_->t.wait_exit(Millis{0});
}

std::string Bot::summary() const {
    const BotStats &s = impl_->stats;
    std::ostringstream out;
    out << "seed " << impl_->opt.seed << ", " << impl_->opt.players << " player(s), "
        << (impl_->opt.monochrome ? "monochrome" : "colour") << ": " << s.turns << " turns, " << s.foundings
        << " foundings, " << s.mergers << " mergers, " << s.splits << " splits, " << s.black_holes
        << " black holes, " << s.trades << " trades (" << s.invalid_amounts << " invalid), " << s.hotkeys
        << " hotkeys, " << s.short_prompts << " prompts with fewer than 5 offers"
        << (s.ended_without_offers ? ", ended without offers" : "");
    return out.str();
}

}  // namespace e2e
