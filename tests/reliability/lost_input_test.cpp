// Lost input at every kind of prompt: the terminal hung up, or the end of
// a piped standard input. Each time the game restores the terminal, says
// "vegatrade: input closed" and exits with status 1 within a second, with
// no CPU spent spinning on the failed read.
#include "reliability/driver.h"

namespace reliability {
namespace {

enum class Cut { HangUp, EndOfFile };

struct Place {
    const char *name;
    Stage stage;       // where the driver stops
    e2e::News kind;    // the announcement's kind, or None
    const char *keys;  // typed at the stop to open the place, or nullptr
    Stage opens;       // the screen once it is open
};

using e2e::News;

const Place PLACES[] = {
    {"NumberPrompt", Stage::Number, News::None, nullptr, Stage::Number},
    {"NameEditor", Stage::Name, News::None, nullptr, Stage::Name},
    {"MovePrompt", Stage::Move, News::None, nullptr, Stage::Move},
    {"TradingList", Stage::Trade, News::None, nullptr, Stage::Trade},
    {"AmountEditor", Stage::Trade, News::None, "\r", Stage::Amount},
    {"Standings", Stage::Move, News::None, "s", Stage::Standings},
    {"CompanyReport", Stage::Trade, News::None, "c", Stage::Report},
    {"QuitQuestion", Stage::Move, News::None, "q", Stage::Quit},
    {"NewCompany", Stage::Announcement, News::Founding, nullptr, Stage::Announcement},
    {"Merger", Stage::Announcement, News::Merger, nullptr, Stage::Announcement},
    {"StockTransactions", Stage::Announcement, News::StockTransactions, nullptr, Stage::Announcement},
    {"Split", Stage::Announcement, News::Split, nullptr, Stage::Announcement},
    {"LostSite", Stage::Announcement, News::LostSite, nullptr, Stage::Announcement},
    {"LostFounding", Stage::Announcement, News::LostFounding, nullptr, Stage::Announcement},
    {"CompanyLost", Stage::Announcement, News::CompanyLost, nullptr, Stage::Announcement},
    {"FinalStandings", Stage::Final, News::None, nullptr, Stage::Final},
};

// The announcements come up in one pinned game: its clock and process id
// fix the galaxy and the game's draws, and a fixed seed the driver's
// players and choices (taking offers next to black holes), so every run
// plays the same game to each announcement, whichever way the input is cut
// later. Found by reading the announcements of pinned games.
constexpr e2e::PinnedClock ANNOUNCING_CLOCK{1002, 2002};
constexpr unsigned ANNOUNCING_CHOICES = 2;
constexpr int ANNOUNCING_PLAYERS = 3;

struct Case {
    Place place;
    Cut cut;
};

class LostInput : public ::testing::TestWithParam<Case> {};

TEST_P(LostInput, EndsTheGameAtOnce) {
    const Case c = GetParam();
    const Place &place = c.place;
    const bool announcement = place.kind != News::None;
    std::mt19937 rng(announcement ? ANNOUNCING_CHOICES : seed_for(std::string("lost input ") + place.name));
    Tally tally;
    const long attempts = announcement ? 1 : 10;
    for (long attempt = 0; attempt < attempts; ++attempt) {
        e2e::Options options = with_args({attempt % 2 == 0 ? "-c" : "-m"});
        options.stdin_pipe = c.cut == Cut::EndOfFile;
        if (announcement) options.pin_clock = ANNOUNCING_CLOCK;
        Terminal t(options);
        Driver driver(t, rng, tally);
        driver.players = announcement ? ANNOUNCING_PLAYERS : 1 + static_cast<int>(attempt % 4);
        driver.prefer_black_holes = announcement;
        // The report is opened from the trading list, which implies an active company.
        driver.stop_at = [&](Stage stage, const std::string &) {
            return stage == place.stage && (!announcement || e2e::announcement_of(t).kind == place.kind);
        };
        ASSERT_TRUE(driver.play());
        if (!t.running()) continue;  // the game ended before the place came up
        if (place.keys != nullptr) t.type(place.keys);
        ASSERT_TRUE(t.wait_for([&] { return e2e::screen_of(t) == place.opens; }, e2e::kDefaultTimeout,
                               e2e::screen_name(place.opens)))
            << place.name;
        ASSERT_TRUE(t.wait_for_key_request()) << place.name;

        const auto cpu_before = t.cpu_time();
        const auto cut_at = Clock::now();
        if (c.cut == Cut::HangUp) {
            t.hangup();
        } else {
            t.close_input();
        }
        const auto status = t.wait_exit(Millis{1000});
        ASSERT_TRUE(status.has_value()) << "still running a second after the input was lost\n" << t.dump();
        const auto took = std::chrono::duration_cast<Millis>(Clock::now() - cut_at);
        EXPECT_EQ(*status, e2e::ExitStatus::exited(1));
        EXPECT_EQ(t.stderr_text(), "vegatrade: input closed\n");
        EXPECT_LT(t.cpu_time() - cpu_before, std::chrono::milliseconds(300))
            << "CPU spent after the input was lost";
        if (c.cut == Cut::EndOfFile) {
            // The terminal is still there, so its modes can be compared.
            EXPECT_TRUE(t.modes_restored());
        }
        report(std::string("lost input ") + place.name + ": " +
               (c.cut == Cut::HangUp ? "hangups=1" : "eofs=1") + " exit_ms=" + std::to_string(took.count()));
        return;
    }
    FAIL() << place.name << " did not come up in " << attempts << " games";
}

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const Place &place : PLACES) {
        all.push_back({place, Cut::HangUp});
        all.push_back({place, Cut::EndOfFile});
    }
    return all;
}

std::string case_name(const ::testing::TestParamInfo<Case> &info) {
    return std::string(info.param.place.name) + (info.param.cut == Cut::HangUp ? "HangUp" : "EndOfFile");
}

INSTANTIATE_TEST_SUITE_P(Reliability, LostInput, ::testing::ValuesIn(cases()), case_name);

}  // namespace
}  // namespace reliability
