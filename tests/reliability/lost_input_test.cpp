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
    Stage stage;        // where the driver stops
    const char *kind;   // the announcement kind, or nullptr
    const char *keys;   // typed at the stop to open the place, or nullptr
    const char *shows;  // what the screen shows once it is open
};

const Place PLACES[] = {
    {"NumberPrompt", Stage::Number, nullptr, nullptr, "Please enter the number of players"},
    {"NameEditor", Stage::Name, nullptr, nullptr, "enter your name:"},
    {"MovePrompt", Stage::Move, nullptr, nullptr, "enter your move"},
    {"TradingList", Stage::Trade, nullptr, nullptr, "Arrow keys to select a company"},
    {"AmountEditor", Stage::Trade, nullptr, "\r", "Amount ("},
    {"Standings", Stage::Move, nullptr, "s", "Current Standings"},
    {"CompanyReport", Stage::Trade, nullptr, "c", "Detailed Company Information"},
    {"QuitQuestion", Stage::Move, nullptr, "q", "Really Quit?"},
    {"NewCompany", Stage::Announcement, "new company", nullptr, "A new shipping company"},
    {"Merger", Stage::Announcement, "merger", nullptr, "has just been merged into"},
    {"StockTransactions", Stage::Announcement, "stock transactions", nullptr, "Stock Transactions"},
    {"Split", Stage::Announcement, "split", nullptr, "has split two-for-one!"},
    {"LostSite", Stage::Announcement, "lost site", nullptr, "The new company site just placed"},
    {"LostFounding", Stage::Announcement, "lost founding", nullptr, "would have been named"},
    {"CompanyLost", Stage::Announcement, "company lost", nullptr, "All players' holdings lost."},
    {"FinalStandings", Stage::Final, nullptr, nullptr, "GAME OVER - Final Standings"},
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
    const bool announcement = place.kind != nullptr;
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
        driver.stop_at = [&](Stage stage, const std::string &screen) {
            return stage == place.stage && (place.kind == nullptr || announcement_kind(screen) == place.kind);
        };
        ASSERT_TRUE(driver.play());
        if (!t.running()) continue;  // the game ended before the place came up
        if (place.keys != nullptr) t.type(place.keys);
        ASSERT_TRUE(t.wait_for_screen_contains(place.shows)) << place.name;
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
