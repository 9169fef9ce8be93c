// The recording: every byte the game writes to the terminal in a set of
// pinned games, kept in tests/e2e/recordings/ and compared byte for byte,
// with the exit status. It guards a change to the code that must leave
// every screen as it was: one byte more, less or other fails the test.
//
// The games: each scripted game of tests/perf under each terminal type it
// lists, and eight of the bot's whole games (seeds, 1 to 4 players, colour
// and monochrome, hotkeys and invalid amounts on). The clock and pid are
// pinned and every key is typed only once the game waits for it, so the
// bytes depend on no timing: a game played twice writes the same bytes,
// in the normal build and in the sanitizer build alike. They do depend on
// ncurses and its terminfo entries (the banner even names the version), so
// the recordings hold for the ncurses that scripts/setup installs.
//
// On a mismatch the test names the first differing byte, the key and screen
// it answers, and shows the bytes around it; the actual bytes go to
// recording-NAME.actual in the test's working directory (build/tests under
// ctest), to compare with `cmp` against the recording.
//
// After a change that alters a screen on purpose, take the recordings anew
// and commit them with the change:
//
//   VEGATRADE_RECORD=1 ctest --test-dir build -R Recording
//
// With VEGATRADE_RECORD=1 the test writes the recordings instead of
// comparing, says so, and passes (unless the game went wrong).
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "perf/scripted_games.h"
#include "support/bot.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// The bot's games. The pause after each invalid amount costs a second of
// the run: the bot's default share (2%) gives a few per game.
struct BotGame {
    std::uint32_t seed;
    int players;
    bool monochrome;
};
constexpr BotGame BOT_GAMES[] = {
    {11, 1, false}, {12, 2, false}, {13, 3, false}, {14, 4, false},
    {15, 1, true},  {16, 2, true},  {17, 3, true},  {18, 4, true},
};

struct Case {
    std::string name;  // the recording's file name, without extension
    std::optional<perf::ScriptedGame> scripted;
    std::string term;
    BotGame bot{};
};

void PrintTo(const Case &c, std::ostream *out) { *out << c.name; }

std::vector<Case> scripted_cases() {
    std::vector<Case> all;
    for (const auto &game : perf::scripted_games())
        for (const auto &term : perf::terminal_types())
            all.push_back({"perf-" + game.name + "-" + term, game, term, BotGame{}});
    return all;
}

std::vector<Case> bot_cases() {
    std::vector<Case> all;
    for (const BotGame &game : BOT_GAMES) {
        all.push_back({"bot-seed" + std::to_string(game.seed) + "-" + std::to_string(game.players) + "p-" +
                           (game.monochrome ? "monochrome" : "colour"),
                       std::nullopt, "xterm-256color", game});
    }
    return all;
}

// Where the answer to one key begins in the output, and what to call it.
struct Mark {
    std::size_t begin = 0;
    std::string what;
};

// One game as played now.
struct Played {
    std::string output;
    std::optional<ExitStatus> status;
    std::vector<Mark> marks;
    std::string failure;  // the script or the bot went wrong
};

// A key as typed, readable: "<Esc>OB", "<CR>", "q".
std::string readable_keys(std::string_view keys) {
    std::string out;
    for (const char ch : keys) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == 27)
            out += "<Esc>";
        else if (byte == '\r')
            out += "<CR>";
        else if (byte == '\n')
            out += "<LF>";
        else if (byte == 127)
            out += "<DEL>";
        else if (byte < 32)
            out += "<^" + std::string(1, static_cast<char>(byte + 64)) + ">";
        else
            out += ch;
    }
    return out;
}

Played play(const Case &c) {
    Played played;
    if (c.scripted) {
        perf::GameRun run = perf::play(*c.scripted, c.term);
        played.output = std::move(run.output);
        played.status = run.status;
        played.failure = std::move(run.failure);
        for (std::size_t k = 0; k < run.keys.size(); ++k) {
            const perf::KeyRecord &key = run.keys[k];
            played.marks.push_back({key.begin, k == 0 ? std::string("the start-up, before the first key")
                                                      : "key " + std::to_string(k) + " \"" + key.label +
                                                            "\" at the " + key.context + " screen"});
        }
        return played;
    }
    BotOptions options;
    options.players = c.bot.players;
    options.monochrome = c.bot.monochrome;
    options.seed = c.bot.seed;
    Bot bot(options);
    const ::testing::AssertionResult result = bot.play();
    if (!result) played.failure = result.message();
    played.output = bot.output();
    played.status = bot.exit_status();
    played.marks.push_back({0, "the start-up, before the first key"});
    const auto &presses = bot.presses();
    for (std::size_t k = 0; k < presses.size(); ++k) {
        const BotPress &press = presses[k];
        played.marks.push_back({press.begin, "press " + std::to_string(k + 1) + " \"" +
                                                 readable_keys(press.keys) + "\" (" + press.why +
                                                 ") at turn " + std::to_string(press.turn)});
    }
    std::printf("%s\n", bot.summary().c_str());
    return played;
}

// ------------------------------------------------------------ files

fs::path recordings_dir() { return fs::path(VEGATRADE_SOURCE_DIR) / "tests" / "e2e" / "recordings"; }

std::optional<std::string> read_file(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool write_file(const fs::path &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return static_cast<bool>(out);
}

// The exit status as the .status file holds it: "exit 0" or "signal 9".
std::string status_line(const std::optional<ExitStatus> &status) {
    if (!status) return "running";
    if (status->code >= 0) return "exit " + std::to_string(status->code);
    return "signal " + std::to_string(status->signal);
}

bool recording_mode() {
    const char *text = std::getenv("VEGATRADE_RECORD");
    return text != nullptr && std::string(text) == "1";
}

// ------------------------------------------------------------ the report of a difference

// Bytes as a C string would write them: "\e[1;5H", "\r\n", "\x0f".
std::string escaped(const std::string &bytes, std::size_t from, std::size_t to) {
    std::string out;
    to = std::min(to, bytes.size());
    for (std::size_t i = from; i < to; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 27)
            out += "\\e";
        else if (byte == '\r')
            out += "\\r";
        else if (byte == '\n')
            out += "\\n";
        else if (byte == '\\')
            out += "\\\\";
        else if (byte == '"')
            out += "\\\"";
        else if (byte >= 32 && byte < 127)
            out += static_cast<char>(byte);
        else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        }
    }
    return out;
}

constexpr std::size_t EXCERPT = 60;  // bytes shown on each side of the difference

std::string describe_difference(const std::string &expected, const Played &played, std::size_t at) {
    const std::string &actual = played.output;
    std::ostringstream out;
    out << "the bytes differ from byte " << at << " on (the recording has " << expected.size()
        << " bytes, the game wrote " << actual.size() << ")\n";
    const Mark *mark = nullptr;
    std::size_t end = actual.size();
    for (std::size_t k = 0; k < played.marks.size(); ++k) {
        if (played.marks[k].begin > at) {
            end = played.marks[k].begin;
            break;
        }
        mark = &played.marks[k];
    }
    if (mark != nullptr) {
        out << "  in the answer to " << mark->what << ": its byte " << at - mark->begin << " of "
            << end - mark->begin << " (it begins at byte " << mark->begin << ")\n";
    }
    const std::size_t from = at > EXCERPT ? at - EXCERPT : 0;
    out << "  the same bytes before: \"" << escaped(actual, from, at) << "\"\n";
    out << "  then the recording:    \"" << escaped(expected, at, at + EXCERPT) << "\""
        << (at + EXCERPT >= expected.size() ? " (its end)" : "") << "\n";
    out << "  then the game wrote:   \"" << escaped(actual, at, at + EXCERPT) << "\""
        << (at + EXCERPT >= actual.size() ? " (its end)" : "") << "\n";
    return out.str();
}

// ------------------------------------------------------------ the test

class Recording : public ::testing::TestWithParam<Case> {};

TEST_P(Recording, WritesTheRecordedBytes) {
    const Case &c = GetParam();
    const fs::path bytes_path = recordings_dir() / (c.name + ".bytes");
    const fs::path status_path = recordings_dir() / (c.name + ".status");
    const Played played = play(c);

    if (recording_mode()) {
        ASSERT_EQ(played.failure, "") << "not recorded: the game did not go as it should";
        ASSERT_TRUE(played.status) << "not recorded: the game did not end";
        fs::create_directories(recordings_dir());
        ASSERT_TRUE(write_file(bytes_path, played.output)) << "cannot write " << bytes_path;
        ASSERT_TRUE(write_file(status_path, status_line(played.status) + "\n"))
            << "cannot write " << status_path;
        std::printf("VEGATRADE_RECORD=1: recorded %s: %zu bytes, %s, in %s\n", c.name.c_str(),
                    played.output.size(), status_line(played.status).c_str(), bytes_path.c_str());
        return;
    }

    const std::optional<std::string> expected = read_file(bytes_path);
    const std::optional<std::string> expected_status = read_file(status_path);
    ASSERT_TRUE(expected && expected_status)
        << "no recording " << bytes_path << " (or its .status); take it with VEGATRADE_RECORD=1";

    const fs::path actual_path = fs::absolute(fs::path("recording-" + c.name + ".actual"));
    const std::string status = status_line(played.status) + "\n";
    if (*expected != played.output) {
        std::size_t at = 0;
        const std::size_t common = std::min(expected->size(), played.output.size());
        while (at < common && (*expected)[at] == played.output[at]) ++at;
        const bool saved = write_file(actual_path, played.output);
        ADD_FAILURE() << c.name << ": " << describe_difference(*expected, played, at)
                      << (saved ? "the bytes written are in " : "could not write the bytes to ")
                      << actual_path << "\n  compare: cmp " << bytes_path << " " << actual_path
                      << "\nIf the change to the screens is meant, take the recordings anew: "
                         "VEGATRADE_RECORD=1 ctest -R Recording";
    } else {
        std::error_code ignored;
        fs::remove(actual_path, ignored);  // a leftover of an earlier failure
    }
    EXPECT_EQ(*expected_status, status) << c.name << ": the game ended otherwise than recorded";
    EXPECT_EQ(played.failure, "") << c.name << ": the game did not go as it should";
}

std::string test_name(const ::testing::TestParamInfo<Case> &param) {
    std::string name = param.param.name;
    for (char &ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(ScriptedGames, Recording, ::testing::ValuesIn(scripted_cases()), test_name);
INSTANTIATE_TEST_SUITE_P(BotGames, Recording, ::testing::ValuesIn(bot_cases()), test_name);

}  // namespace
}  // namespace e2e
