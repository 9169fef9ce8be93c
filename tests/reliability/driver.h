// Drives whole games of vegatrade through the terminal for the reliability
// tests: tells which prompt is up from the screen (support/screen_reader.h),
// answers it at random
// (a player who keeps the rules, or a monkey that types anything), and
// keeps the figures the suite reports.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/screen_reader.h"
#include "support/terminal.h"

namespace reliability {

using e2e::Millis;
using e2e::Terminal;
using Clock = std::chrono::steady_clock;

// A size the full run sets through the environment; the normal test run
// uses the small default.
inline long setting(const char *name, long fallback) {
    const char *text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    return std::strtol(text, nullptr, 10);
}

// Appends one line of figures to the file named by VEGATRADE_RELIABILITY_REPORT.
inline void report(const std::string &line) {
    std::printf("[figures] %s\n", line.c_str());
    const char *path = std::getenv("VEGATRADE_RELIABILITY_REPORT");
    if (path == nullptr || *path == '\0') return;
    std::ofstream out(path, std::ios::app);
    out << line << '\n';
}

// The seed of a test's random choices: VEGATRADE_RELIABILITY_SEED, or the
// clock; printed so a failure can be replayed.
inline unsigned seed_for(const std::string &what) {
    const long fixed = setting("VEGATRADE_RELIABILITY_SEED", 0);
    const unsigned seed =
        fixed != 0 ? static_cast<unsigned>(fixed) + static_cast<unsigned>(std::hash<std::string>{}(what))
                   : static_cast<unsigned>(Clock::now().time_since_epoch().count());
    std::printf("[seed] %s: %u\n", what.c_str(), seed);
    return seed;
}

inline e2e::Options with_args(std::vector<std::string> args) {
    e2e::Options options;
    options.args = std::move(args);
    return options;
}

// The screens the driver answers, as the tests' one reader tells them.
using Stage = e2e::Screen;
using e2e::screen_name;

// Random keys of every kind a keyboard can send.
class KeySource {
  public:
    explicit KeySource(std::mt19937 &rng) : rng_(rng) {}

    std::string key() {
        static constexpr const char *sequences[] = {
            "\033OA",   "\033OB",   "\033OC",   "\033OD",        "\033[A",   "\033[B",    "\033[C",
            "\033[D",   "\033OP",   "\033OQ",   "\033OR",        "\033OS",   "\033[15~",  "\033[17~",
            "\033[18~", "\033[19~", "\033[20~", "\033[21~",      "\033[23~", "\033[24~",  "\033[H",
            "\033[F",   "\033[2~",  "\033[3~",  "\033[5~",       "\033[6~",  "\033[1;5A", "\033[Z",
            "\033",     "\033[",    "\033O",    "\033[999;999R",
        };
        switch (pick(10)) {
            case 0:
            case 1:
            case 2:
            case 3: return std::string(1, static_cast<char>(' ' + pick(95)));  // printable
            case 4: return std::string(1, "0123456789"[pick(10)]);
            case 5: {
                // Control characters, NUL included; not Ctrl-Z, which typed after
                // the game has restored the terminal would stop the exiting program.
                const int control = pick(32);
                return std::string(1, static_cast<char>(control == 26 ? 25 : control));
            }
            case 6: return std::string(1, "\r\n\177\b\033"[pick(5)]);
            case 7: {
                // A byte from 128, or a character of several bytes, ordinary or
                // hostile in a UTF-8 locale.
                static constexpr const char *characters[] = {"é",      "Ж",      "王",     "🚀",
                                                             "\u0301", "\u202E", "\u200B", "\u0085"};
                if (pick(2) == 0) return characters[pick(static_cast<int>(std::size(characters)))];
                return std::string(1, static_cast<char>(128 + pick(128)));
            }
            default: return sequences[pick(static_cast<int>(std::size(sequences)))];
        }
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  private:
    std::mt19937 &rng_;
};

// What the driver saw and did, over all games of one test.
struct Tally {
    long games_finished = 0;  // exit 0 after the final standings
    long games_quit = 0;      // exit 2 after a confirmed quit
    long keys = 0;            // keys typed (an escape sequence counts once)
    long random_keys = 0;     // of them, typed by the monkey
    long turns = 0;
    long silent_keys = 0;  // answered keys that brought no output
    std::map<std::string, long> announcements;
    std::map<std::string, long> monkey_stages;  // bursts typed at each stage
};

// Plays one game on a terminal. The player answers every prompt with a
// legal key chosen at random; with a key budget it is a monkey that also
// types random bursts, and once the budget is spent it quits the game.
class Driver {
  public:
    Driver(Terminal &t, std::mt19937 &rng, Tally &tally) : t_(t), rng_(rng), keys_(rng), tally_(tally) {}

    int players = 2;
    std::vector<std::string> names;   // typed at the name prompts; random when empty
    long monkey_budget = 0;           // 0: play fairly to the end
    bool quit = false;                // quit the game at the first chance
    bool prefer_black_holes = false;  // take offers next to a black hole when there are any
    Millis game_limit{setting("VEGATRADE_SOAK_GAME_SECONDS", 180) * 1000};
    // Called at every stage before the driver answers it; returning true
    // stops the game there (the program is left running).
    std::function<bool(Stage, const std::string &screen)> stop_at;

    // Plays until the program exits or stop_at says so. Fails on a hang:
    // no exit within the game's time limit.
    ::testing::AssertionResult play() {
        const auto deadline = Clock::now() + game_limit;
        long typed = 0;
        int names_typed = 0;
        bool started = false;  // keys typed before raw mode could raise signals
        while (true) {
            if (!t_.running()) return ::testing::AssertionSuccess();
            if (Clock::now() > deadline) {
                return ::testing::AssertionFailure()
                       << "hang: the game did not end within " << game_limit.count() << " ms\n"
                       << t_.dump();
            }
            const std::string screen = t_.screen_text();
            Stage stage = e2e::screen_of(t_);
            if (stage == Stage::Name && names_typed >= players && monkey_budget == 0) stage = Stage::Unknown;
            if (stop_at && stop_at(stage, screen)) return ::testing::AssertionSuccess();
            const bool quitting = quit || (monkey_budget > 0 && typed >= monkey_budget);
            if (stage != Stage::Unknown) started = true;
            if (monkey_budget > 0 && started && !quitting && keys_.pick(3) != 0) {
                const int length = 1 + keys_.pick(keys_.pick(4) == 0 ? 64 : 8);
                std::string burst;
                for (int i = 0; i < length; ++i) burst += keys_.key();
                ++tally_.monkey_stages[screen_name(stage)];
                tally_.random_keys += length;
                typed += length;
                send(burst, length, false);
                continue;
            }
            switch (stage) {
                case Stage::Number: send(std::string(1, static_cast<char>('0' + players))); break;
                case Stage::Name:
                    send(name_for(names_typed) + "\r");
                    ++names_typed;
                    break;
                case Stage::Move:
                    ++tally_.turns;
                    if (quitting) {
                        send("q");
                    } else if (keys_.pick(25) == 0) {
                        // The report opens only when a company is active.
                        const bool active = e2e::any_company_active(t_);
                        send(std::string(1, (active ? "scSC\014" : "sS\014")[keys_.pick(active ? 5 : 3)]));
                    } else {
                        const int near_hole = prefer_black_holes ? offer_next_to_black_hole() : 0;
                        const int choice = near_hole != 0 ? near_hole : 1 + keys_.pick(offer_count());
                        send(std::string(1, static_cast<char>('0' + choice)));
                    }
                    break;
                case Stage::Trade:
                    if (quitting) {
                        send("q");
                    } else if (keys_.pick(5) < 2) {
                        send(std::string(e2e::key::Escape));
                    } else {
                        const int steps = e2e::trading_list_of(t_).size() > 1 ? keys_.pick(4) : 0;
                        for (int i = 0; i < steps; ++i) send(keys_.pick(2) == 0 ? "j" : "k");
                        send("\r");
                    }
                    break;
                case Stage::Amount: send(quitting ? "\r" : random_amount() + "\r"); break;
                case Stage::Announcement:
                    ++tally_.announcements[e2e::news_name(e2e::announcement_of(t_).kind)];
                    send(" ");
                    break;
                case Stage::Standings:
                case Stage::Report:
                case Stage::Help:
                case Stage::Record:
                case Stage::Final: send(" "); break;
                case Stage::Quit: send(quitting ? "y" : "n"); break;
                case Stage::Unknown:
                    (void)t_.wait_for_key_request(Millis{500});
                    if (quitting) send("\r");
                    break;
            }
            typed += 1;
        }
    }

    // Plays a whole game without reading the screen: the title answers,
    // then a stream of keys that cannot quit (move digits, Escape, any-key
    // answers, whole trades with m or n) until the program exits. Only
    // Ctrl-F opens the amount editor, and always with its m or n and a
    // closing key, so no stray digit makes an invalid amount (which pauses
    // a second).
    ::testing::AssertionResult play_blind() {
        const auto deadline = Clock::now() + game_limit;
        if (!t_.wait_for([&] { return e2e::screen_of(t_) == Stage::Number; }, Millis{10000},
                         "the number prompt"))
            return ::testing::AssertionFailure() << "no title screen\n" << t_.dump();
        std::string title(1, static_cast<char>('0' + players));
        for (int i = 0; i < players; ++i) title += name_for(i) + "\r";
        t_.type(title);
        tally_.keys += 1 + 2 * players;
        static constexpr const char *tokens[] = {"1",    "2",    "3", "4",      "5",      "1", "2", "\033",
                                                 "\033", "\033", " ", "\006m ", "\006n ", "j", "k"};
        while (t_.running()) {
            if (Clock::now() > deadline) {
                return ::testing::AssertionFailure()
                       << "hang: the game did not end within " << game_limit.count() << " ms\n"
                       << t_.dump();
            }
            std::string chunk;
            for (int i = 0; i < 8; ++i) chunk += tokens[keys_.pick(static_cast<int>(std::size(tokens)))];
            t_.type(chunk);
            tally_.keys += static_cast<long>(chunk.size());
            (void)t_.wait_for_key_request(Millis{3000});
        }
        return ::testing::AssertionSuccess();
    }

  private:
    // Types keys and waits until the program has answered them and waits
    // for the next key (or has ended). A wait that times out is left to the
    // game's time limit, which tells a hang.
    void send(const std::string &bytes, long count = 1, bool wait = true) {
        const std::size_t before = t_.output_bytes().size();
        t_.type(bytes);
        tally_.keys += count;
        if (!wait) return;
        (void)t_.wait_for_key_request(Millis{3000});
        if (t_.output_bytes().size() == before && t_.running()) ++tally_.silent_keys;
    }

    // An offer (1 to 5) next to a black hole on the map, or 0.
    int offer_next_to_black_hole() const {
        const std::string map = e2e::map_of(t_);
        auto hole = [&](int r, int c) {
            return r >= 0 && r < e2e::MAP_ROWS && c >= 0 && c < e2e::MAP_COLUMNS &&
                   map[static_cast<std::size_t>(r * e2e::MAP_COLUMNS + c)] == '@';
        };
        for (const e2e::Offer &offer : e2e::offers_on_map(t_)) {
            const int r = offer.pos / e2e::MAP_COLUMNS;
            const int c = offer.pos % e2e::MAP_COLUMNS;
            if (offer.digit <= 5 && (hole(r - 1, c) || hole(r + 1, c) || hole(r, c - 1) || hole(r, c + 1)))
                return offer.digit;
        }
        return 0;
    }

    int offer_count() const {
        const auto prompt = e2e::move_prompt_of(t_);
        const int k = prompt ? prompt->offers : 0;
        return k >= 1 && k <= 5 ? k : 1;
    }

    std::string name_for(int player) {
        const auto index = static_cast<std::size_t>(player);
        return index < names.size() ? names[index] : random_name();
    }

    // A name of 1 to 8 bytes, any byte the editor stores (not Enter,
    // erase, Ctrl-L or Ctrl-C, which the editor acts on, nor NUL).
    std::string random_name() {
        const int length = 1 + keys_.pick(8);
        std::string name;
        while (static_cast<int>(name.size()) < length) {
            const int byte = keys_.pick(3) == 0 ? 1 + keys_.pick(255) : 'a' + keys_.pick(26);
            if (byte == '\r' || byte == '\n' || byte == 8 || byte == 127 || byte == 12 || byte == 3) continue;
            name += static_cast<char>(byte);
        }
        return name;
    }

    // "m", "n", or a number within the range the prompt shows.
    std::string random_amount() {
        const auto prompt = e2e::amount_prompt_of(t_);
        if (!prompt) return "0";
        switch (keys_.pick(4)) {
            case 0: return "m";
            case 1: return "n";
            default:
                return std::to_string(std::uniform_int_distribution<long>(
                    static_cast<long>(prompt->min), static_cast<long>(prompt->max))(rng_));
        }
    }

    Terminal &t_;
    std::mt19937 &rng_;
    KeySource keys_;
    Tally &tally_;
};

}  // namespace reliability
