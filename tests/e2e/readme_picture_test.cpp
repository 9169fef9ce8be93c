// The pictures of the game in the README are screens of a real run: a pinned
// two-player game after a few turns, as text in the README and in colour in
// docs/screens/main.svg, and the first merger of the same game in
// docs/screens/merger.svg. Run this test with VEGATRADE_UPDATE_README=1 to
// take the pictures anew after a change to what the game draws.
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/game_driver.h"
#include "support/svg.h"

namespace e2e {
namespace {

constexpr const char *BEGIN = "<!-- main screen: begin -->\n```text\n";
constexpr const char *END = "```\n<!-- main screen: end -->";

// In the trading list: buys all the cash allows of the first company
// listed, once a move, then leaves.
std::string buy_once(bool &traded) {
    const bool first = !traded;
    traded = true;
    return first ? "\rm\r" : std::string(key::Escape);
}

// Plays `moves` turns, always taking offer 1 and buying all the cash
// allows of the first company listed.
::testing::AssertionResult play_turns(Terminal &t, int moves) {
    int played = 0;
    bool traded = false;
    return answer_until(t, [&] { return played == moves && at_move_prompt(t); },
                        {.move =
                             [&] {
                                 ++played;
                                 traded = false;
                                 return std::string("1");
                             },
                         .trade = [&] { return buy_once(traded); }});
}

bool updating() {
    const char *update = std::getenv("VEGATRADE_UPDATE_README");
    return update != nullptr && std::string(update) == "1";
}

std::string read_file(const std::string &path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Compares a picture with the committed file, or writes it when updating.
void expect_picture_file(const std::string &relative_path, const std::string &picture) {
    const std::string path = std::string(VEGATRADE_SOURCE_DIR) + "/" + relative_path;
    if (updating()) {
        std::ofstream(path) << picture;
        return;
    }
    EXPECT_EQ(read_file(path), picture)
        << relative_path << " differs; run with VEGATRADE_UPDATE_README=1 to take it anew";
}

// The offer on the map (its digit) next to the most different companies,
// read off the screen; 0 when no offer touches a company.
char offer_between_companies(const Terminal &t) {
    const std::string map = map_of(t);
    char best = '0';
    std::size_t best_count = 0;
    for (const Offer &offer : offers_on_map(t)) {
        if (offer.digit > 5) continue;
        const int r = offer.pos / MAP_COLUMNS;
        const int c = offer.pos % MAP_COLUMNS;
        std::set<char> companies;
        const int around[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto &step : around) {
            const int nr = r + step[0];
            const int nc = c + step[1];
            if (nr < 0 || nr >= MAP_ROWS || nc < 0 || nc >= MAP_COLUMNS) continue;
            const char next = map[static_cast<std::size_t>(nr * MAP_COLUMNS + nc)];
            if (next >= 'A' && next <= 'E') companies.insert(next);
        }
        if (companies.size() > best_count) {
            best = static_cast<char>('0' + offer.digit);
            best_count = companies.size();
        }
    }
    return best_count > 0 ? best : '0';
}

// Plays on, taking the offer next to the most companies (offer 1 when none
// touches one), until a merger is announced; the announcement is then on
// the screen.
::testing::AssertionResult play_until_merger(Terminal &t, int max_moves) {
    const auto merged = [&] { return announcement_of(t).kind == News::Merger; };
    int played = 0;
    bool traded = false;
    auto result = answer_until(t, [&] { return merged() || (played == max_moves && at_move_prompt(t)); },
                               {.move =
                                    [&] {
                                        ++played;
                                        traded = false;
                                        const char offer = offer_between_companies(t);
                                        return std::string(1, offer == '0' ? '1' : offer);
                                    },
                                .trade = [&] { return buy_once(traded); }});
    if (!result) return result;
    if (!merged())
        return ::testing::AssertionFailure() << "no merger in " << max_moves << " moves:\n" << t.dump();
    return ::testing::AssertionSuccess();
}

TEST(ReadmePicture, ShowsTheMainScreenOfARealRun) {
    Options options;
    options.pin_clock = PinnedClock{2026, 1210};
    Terminal t(options);
    ASSERT_TRUE(start_players(t, {"Vega", "Altair"}));
    ASSERT_TRUE(play_turns(t, 10));
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string picture = BEGIN + t.screen_text() + "\n" + END;
    const std::string main_svg = screen_svg(t, "vegatrade: the main screen at Vega's move prompt");

    const std::string path = std::string(VEGATRADE_SOURCE_DIR) + "/README.md";
    std::string readme = read_file(path);
    const auto begin = readme.find(BEGIN);
    const auto end = readme.find(END);
    ASSERT_NE(begin, std::string::npos) << "README.md has no picture markers";
    ASSERT_NE(end, std::string::npos) << "README.md has no picture markers";

    if (updating()) {
        readme.replace(begin, end + std::string(END).size() - begin, picture);
        std::ofstream(path) << readme;
    } else {
        EXPECT_EQ(readme.substr(begin, end + std::string(END).size() - begin), picture)
            << "run with VEGATRADE_UPDATE_README=1 to take a new picture";
    }
    expect_picture_file("docs/screens/main.svg", main_svg);

    ASSERT_TRUE(play_until_merger(t, 60));
    ASSERT_TRUE(t.wait_for_key_request());
    expect_picture_file("docs/screens/merger.svg", screen_svg(t, "vegatrade: a merger is announced"));
}

}  // namespace
}  // namespace e2e
