// The game's record: what a claim and the trades of a turn put into it, on
// small games, and a full record giving way line by line.
#include <array>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "rules/course.h"
#include "rules/record.h"
#include "rules_fixture.h"

namespace {

using rules_test::at;
using rules_test::game_from_map;
using rules_test::ScriptedRandom;

using Five = std::array<int, NUM_COMPANIES>;

const char *deed_name(Deed deed) {
    switch (deed) {
        case Deed::OUTPOST: return "outpost";
        case Deed::SITE_LOST: return "site lost";
        case Deed::FOUNDED: return "founded";
        case Deed::FOUNDING_SWALLOWED: return "founded and swallowed";
        case Deed::JOINED: return "joined";
        case Deed::MERGED: return "merged";
        case Deed::SPLIT: return "split";
        case Deed::SWALLOWED: return "swallowed";
        case Deed::BOUGHT: return "bought";
        case Deed::SOLD: return "sold";
    }
    return "?";
}

// A line as text: "turn 1, P1 at (4,4): merged A into B", "... bought 3 of A".
std::string line_text(const Game &game, const RecordLine &line) {
    std::string text = "turn " + std::to_string(line.turn) + ", " + game.players[line.player].name + " at (" +
                       std::to_string(line.pos / map_width) + "," + std::to_string(line.pos % map_width) +
                       "): " + deed_name(line.deed);
    if (line.absorbed >= 0) text += std::string(" ") + company_letter(line.absorbed) + " into";
    if (line.shares != 0) text += " " + std::to_string(line.shares) + " of";
    if (line.company >= 0) text += std::string(" ") + company_letter(line.company);
    return text;
}

std::vector<std::string> record_text(const Game &game, const GameRecord &record) {
    std::vector<std::string> lines;
    for (int index = 0; index < record.count; ++index)
        lines.push_back(line_text(game, record_line(record, index)));
    return lines;
}

struct ClaimCase {
    const char *what;
    std::vector<std::string> map;
    Five prices;
    Five holdings;  // the mover's; the other player holds as many
    int pos;
    std::vector<std::string> lines;
};

// clang-format off
const ClaimCase claim_cases[] = {
    {"a lone sector", {}, {}, {}, at(4, 4), {"turn 1, P1 at (4,4): outpost"}},
    {"a lone sector by a black hole", {"", "", "", "....@"}, {}, {}, at(4, 4),
     {"turn 1, P1 at (4,4): site lost"}},
    {"a founding", {"", "", "", "....*"}, {}, {}, at(4, 4), {"turn 1, P1 at (4,4): founded A"}},
    {"a founding taken at once by a black hole", {"", "", "", "", "...+.@"}, {}, {}, at(4, 4),
     {"turn 1, P1 at (4,4): founded and swallowed A"}},
    {"growth", {"", "", "", "....C"}, {0, 0, 300}, {0, 0, 2}, at(4, 4), {"turn 1, P1 at (4,4): joined C"}},
    {"growth past the split threshold", {"....A"}, {2950}, {10}, at(1, 4),
     {"turn 1, P1 at (1,4): joined A", "turn 1, P1 at (1,4): split A"}},
    {"growth into a black hole", {"....A", "...@"}, {300}, {3}, at(1, 4),
     {"turn 1, P1 at (1,4): joined A", "turn 1, P1 at (1,4): swallowed A"}},
    {"a merger: the claim's line first, then the merger", {"", "", "", "", "...A.BB"}, {300, 500}, {4}, at(4, 4),
     {"turn 1, P1 at (4,4): joined B", "turn 1, P1 at (4,4): merged A into B"}},
    {"a merger that splits the survivor", {"", "", "", "", "...A.B"}, {2000, 1200}, {5, 6}, at(4, 4),
     {"turn 1, P1 at (4,4): joined A", "turn 1, P1 at (4,4): merged B into A", "turn 1, P1 at (4,4): split A"}},
    {"three mergers in one claim", {"", "", "", "....A", "...B.C", "....DD"}, {100, 100, 100, 100}, {}, at(4, 4),
     {"turn 1, P1 at (4,4): joined D", "turn 1, P1 at (4,4): merged A into D",
      "turn 1, P1 at (4,4): merged C into D", "turn 1, P1 at (4,4): merged B into D"}},
};
// clang-format on

class Claims : public ::testing::TestWithParam<ClaimCase> {};

TEST_P(Claims, PutTheClaimThenWhatItSetOff) {
    const ClaimCase &c = GetParam();
    Game game = game_from_map(c.map);
    for (int i = 0; i < NUM_COMPANIES; ++i) {
        game.companies[i].price = c.prices[static_cast<std::size_t>(i)];
        game.players[0].holdings[i] = game.players[1].holdings[i] = c.holdings[static_cast<std::size_t>(i)];
    }
    GameRecord record{};
    MoveReport report;
    ScriptedRandom random{{0, 0, 0}};
    claim_sector(game, c.pos, random.random(), report);
    record_claim(record, game, report);
    EXPECT_EQ(record_text(game, record), c.lines);
}

INSTANTIATE_TEST_SUITE_P(Record, Claims, ::testing::ValuesIn(claim_cases),
                         [](const ::testing::TestParamInfo<ClaimCase> &param) {
                             return "case" + std::to_string(param.index);
                         });

// A turn's trades follow its claim, each with its shares and company, sold
// or bought; a trade of nothing is not kept. The next player's turn is the
// next turn.
TEST(Record, TradesFollowTheirTurnsClaimAndTurnsAreCounted) {
    Game game = game_from_map({"", "", "", "....*"});
    GameRecord record{};
    MoveReport report;
    claim_sector(game, at(4, 4), ScriptedRandom{}.random(), report);
    record_claim(record, game, report);
    const struct {
        int company;
        int amount;
    } trades[] = {{0, -2}, {0, 0}, {0, 7}, {0, 1}, {0, -1}, {0, INT_MAX}};
    for (const auto &trade : trades) record_trade(record, game, trade.company, trade.amount);
    end_turn(game);
    claim_sector(game, at(0, 0), ScriptedRandom{}.random(), report);
    record_claim(record, game, report);
    record_trade(record, game, 0, -3);
    EXPECT_EQ(record_text(game, record), (std::vector<std::string>{
                                             "turn 1, P1 at (4,4): founded A",
                                             "turn 1, P1 at (4,4): sold 2 of A",
                                             "turn 1, P1 at (4,4): bought 7 of A",
                                             "turn 1, P1 at (4,4): bought 1 of A",
                                             "turn 1, P1 at (4,4): sold 1 of A",
                                             "turn 1, P1 at (4,4): bought 2147483647 of A",
                                             "turn 2, P2 at (0,0): outpost",
                                             "turn 2, P2 at (0,0): sold 3 of A",
                                         }));
    EXPECT_EQ(record.turns, 2);
    EXPECT_EQ(record.forgotten, 0);
}

// The record holds every line of turns that fill the whole map, each with
// the most a turn can write; past that, each new line takes the place of
// the oldest, and the lines kept stay in their order.
TEST(Record, AFullRecordGivesWayOldestFirst) {
    EXPECT_GE(RECORD_CAPACITY, MAP_CELLS * (1 + MAX_EVENTS + 2 * NUM_COMPANIES));
    Game game = game_from_map({});
    auto record = std::make_unique<GameRecord>();
    clear_record(*record);
    MoveReport report;
    claim_sector(game, at(0, 0), ScriptedRandom{}.random(), report);
    record_claim(*record, game, report);
    for (int k = 1; k < RECORD_CAPACITY + 5; ++k) record_trade(*record, game, 0, k);
    EXPECT_EQ(record->count, RECORD_CAPACITY);
    EXPECT_EQ(record->forgotten, 5);
    EXPECT_EQ(line_text(game, record_line(*record, 0)), "turn 1, P1 at (0,0): bought 5 of A");
    EXPECT_EQ(line_text(game, record_line(*record, RECORD_CAPACITY - 1)),
              "turn 1, P1 at (0,0): bought " + std::to_string(RECORD_CAPACITY + 4) + " of A");
    // A new turn after the record is full.
    claim_sector(game, at(0, 2), ScriptedRandom{}.random(), report);
    record_claim(*record, game, report);
    EXPECT_EQ(record->forgotten, 6);
    EXPECT_EQ(line_text(game, record_line(*record, RECORD_CAPACITY - 1)), "turn 2, P1 at (0,2): outpost");
    EXPECT_EQ(line_text(game, record_line(*record, 0)), "turn 1, P1 at (0,0): bought 6 of A");
}

}  // namespace

namespace {

// The worths of every player in a game, as the rules count them now.
std::vector<std::int64_t> worths_now(const Game &game) {
    std::vector<std::int64_t> worths;
    for (int p = 0; p < game.num_players; ++p) worths.push_back(net_worth(game, p));
    return worths;
}

std::vector<std::int64_t> worths_kept(const Game &game, const WorthPoint &point) {
    return std::vector<std::int64_t>(point.worth, point.worth + game.num_players);
}

// A game where (5, 1), beside a black hole only, is lost whenever it is
// claimed, and (0, 2) merges A and B.
Game worth_game() {
    Game game = game_from_map({"AA.BB", "", "", "", "", "@"});
    game.companies[0].price = 200;
    game.companies[1].price = 300;
    game.players[0].holdings[0] = 10;
    game.players[1].holdings[1] = 4;
    return game;
}

}  // namespace

// After each turn every player's net worth is kept whole, the turn of a
// merger marked; a trade takes the worths of its turn again.
TEST(Record, KeepsEveryPlayersWorthAfterEachTurn) {
    Game game = worth_game();
    GameRecord record{};
    clear_record(record);
    MoveReport report;
    claim_sector(game, at(5, 1), ScriptedRandom{}.random(), report);
    record_claim(record, game, report);
    // 10 A at $200 and $100 of dividends; 4 B at $300.
    EXPECT_EQ(worths_kept(game, worth_point(record, 0)), (std::vector<std::int64_t>{8100, 7200}));
    apply_trade(game, 0, 2);
    record_trade(record, game, 0, 2);
    end_turn(game);
    claim_sector(game, at(0, 2), ScriptedRandom{{0, 0, 0}}.random(), report);
    record_claim(record, game, report);
    game.players[1].cash += 1;  // a change of worth the trade below takes in
    record_trade(record, game, 0, 1);
    ASSERT_EQ(record.point_count, 2);
    EXPECT_EQ(record.point_step, 1);
    const WorthPoint &first = worth_point(record, 0);
    const WorthPoint &second = worth_point(record, 1);
    EXPECT_EQ(first.turn, 1);
    EXPECT_FALSE(first.merger);
    EXPECT_EQ(second.turn, 2);
    EXPECT_TRUE(second.merger);
    EXPECT_EQ(worths_kept(game, second), worths_now(game));
}

// A game longer than the points kept: every second point gives way, again
// and again, so the points span the whole game, the last one the turn just
// played, and a merger stays marked on the point that stands for its turn.
TEST(Record, PointsOfALongGameGiveWayEverySecondOne) {
    Game game = worth_game();
    auto record = std::make_unique<GameRecord>();
    clear_record(*record);
    MoveReport report;
    const int turns = 2 * WORTH_POINTS + 3;
    for (int turn = 1; turn <= turns; ++turn) {
        claim_sector(game, turn == 3 ? at(0, 2) : at(5, 1), ScriptedRandom{{0, 0, 0}}.random(), report);
        record_claim(*record, game, report);
        end_turn(game);
    }
    EXPECT_EQ(record->point_step, 4);
    ASSERT_EQ(record->point_count, WORTH_POINTS / 2 + 1);
    for (int k = 0; k + 1 < record->point_count; ++k) {
        EXPECT_EQ(worth_point(*record, k).turn, 4 * (k + 1));
        EXPECT_EQ(worth_point(*record, k).merger, k == 0) << "the point of turn " << 4 * (k + 1);
    }
    const WorthPoint &last = worth_point(*record, record->point_count - 1);
    EXPECT_EQ(last.turn, turns);
    EXPECT_EQ(worths_kept(game, last), worths_now(game));
}
