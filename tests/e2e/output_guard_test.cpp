// The output guard: the bytes the game writes to the terminal in each
// scripted game of tests/perf must stay within 5% of the committed
// baseline. The games are deterministic (pinned clock, each key typed only
// once the game waits for it), so the count depends on no timing.
//
// After a deliberate change in what the game draws, update the baseline in
// a commit of its own: scripts/bench --write-baseline.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "perf/scripted_games.h"

namespace {

struct Case {
    perf::ScriptedGame game;
    std::string term;
};

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const auto &term : perf::terminal_types())
        for (const auto &game : perf::scripted_games()) all.push_back({game, term});
    return all;
}

struct Baseline {
    int keys = 0;
    std::size_t bytes = 0;
};

// The baseline line for one game and terminal type ("game term keys bytes").
std::optional<Baseline> baseline_for(const std::string &game, const std::string &term) {
    std::ifstream in(VEGATRADE_PERF_BASELINE);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        std::string type;
        Baseline entry;
        if (fields >> name >> type >> entry.keys >> entry.bytes && name == game && type == term) return entry;
    }
    return std::nullopt;
}

void PrintTo(const Case &c, std::ostream *out) { *out << c.game.name << " under " << c.term; }

class OutputGuard : public ::testing::TestWithParam<Case> {};

TEST_P(OutputGuard, BytesStayWithinFivePercentOfTheBaseline) {
    const Case &c = GetParam();
    const auto baseline = baseline_for(c.game.name, c.term);
    ASSERT_TRUE(baseline) << "no line for " << c.game.name << " " << c.term << " in "
                          << VEGATRADE_PERF_BASELINE;

    const perf::GameRun run = perf::play(c.game, c.term);
    ASSERT_EQ(run.failure, "");
    // A game played to the end exits with 0, one that the script quits with 2.
    ASSERT_EQ(run.status, e2e::ExitStatus::exited(c.game.max_turns > 0 ? 2 : 0));

    const auto keys = static_cast<int>(run.keys.size()) - 1;
    const double limit = static_cast<double>(baseline->bytes) * 1.05;
    EXPECT_LE(static_cast<double>(run.output.size()), limit)
        << c.game.name << " under " << c.term << " wrote " << run.output.size() << " bytes in " << keys
        << " keys; the baseline is " << baseline->bytes << " bytes in " << baseline->keys
        << " keys. Run scripts/bench to see which screens cost more.";
    if (keys != baseline->keys)
        std::printf("note: %s under %s took %d keys, the baseline %d: the game went another way\n",
                    c.game.name.c_str(), c.term.c_str(), keys, baseline->keys);
}

INSTANTIATE_TEST_SUITE_P(ScriptedGames, OutputGuard, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &param) {
                             std::string name = param.param.game.name + "_" + param.param.term;
                             for (char &ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
