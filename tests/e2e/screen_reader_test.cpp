// The tests' one reader of the game's screens (support/screen_reader.h),
// on screens painted as the game paints them: which screen waits, the
// topmost where windows overlap; whose turn, the offers, the amount
// prompt, the panel and what an announcement tells, with names that look
// like the texts around them.
#include <string>
#include <vector>

#include "support/screen_reader.h"

namespace e2e {
namespace {

// The main screen at Ann's move prompt; "{r:X}" is X in reverse video.
constexpr std::string_view MOVE = R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  {r:1}  .  .  .  .  .  *  .  .  . |
 | .  .  .  .  .  .  .  {r:5}  .  .  .  . | no active companies
 | .  .  .  .  .  .  .  {r:4}  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  *  .  {r:2} |
 | .  .  .  .  @  .  .  *  .  .  .  * |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  *  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  *  . |
 | .  .  *  .  .  {r:3}  .  .  *  .  .  . |
 └------------------------------------┘
 ┌//////////////////////////// Ann (Cash: $6000) /////////////////////////////┐
 |                                                                            |
 | Ann, enter your move [1-5]:                                                |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘)";

// The standings over that prompt.
constexpr std::string_view STANDINGS = R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  {r:1}  .  .  .  .  .  *  .  .  . |
 | .  .  .  .  .  .  .  {r:5}  .  .  .  . | no active companies
 | .  .  .  .  .  .  .  {r:4}  .  .  .  . |
 | .  .  .┌==================  Current Standings  ===================┐
 | .  .  .|                                                          |
 | .  .  .| =Player================Stock Value===Cash=====Net Worth= |
 | .  .  .|                                                          |
 | .  .  .|  Ann                   $0          $6000      $6000      |
 | .  .  .|  Bob                   $0          $6000      $6000      |
 | .  .  *|                                                          |
 └--------|         Available company sectors remaining: 65          |
 ┌////////|                                                          |////////┐
 |        |               Press any key to continue...               |        |
 | Ann, en└==========================================================┘        |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘)";

// The trading dialog of a computer, its amount prompt open.
constexpr std::string_view AMOUNT = R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  .  .  .  .  .  .  *  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . | Altair Starways        $600    5
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  *  .  A | Beetlejuice, Ltd.      $1200   0
 | .  .  .  .  @  .  .  *  .  .  .  * |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . |
 | .  .  .  .  .  *  .  .  .  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  *  . |
 | .  .  *  .  .  .  .  .  *  B  B  . |
 └------------------------------------┘
 ┌////////////////////// Rigel (computer) (Cash: $6150) //////////////////////┐
 |     Arrow keys to select a company, return to trade, escape when done:     |
 |                                                                            |
 |                   {r:Altair Starways}     Amount (-5 to 10): 10                |
 |                   Beetlejuice, Ltd.                                        |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 |                                                                            |
 └////////////////////////////////////////////////////////////////////////////┘)";

// The record window over the final standings.
constexpr std::string_view RECORD_OVER_FINAL = R"(
 VegaTrade =====================================================================
 ┌--------------- Map ----------------┐ Company                Price  Holdings
 | .  .  .  .  .  .  .  .  *  .  .  . |
 | .  .  .  .  .  .  .  .  .  .  .  . | Altair Starways        $1200   15
 | .  .┌================== The game's record: page 1 of 1 ==================┐
 | .  .|                                                                    |
 | .  .| Newest first. Sector 5C: row 5 from the top, column C from the left|
 | .  .|                                                                    |
 | {r:5}  .| Bob claimed 9J and founded Eridani Expediters                      |
 | .  .|                                                                    |
 | .  .|                 Press any key to continue...                       |
 └-----└====================================================================┘
 |        |               GAME OVER - Final Standings                |        |
 └////////////////////////////////////////////////////////////////////////////┘)";

// The last page of the help, over the trading dialog.
constexpr std::string_view HELP = R"(
 VegaTrade =====================================================================
 | ┌========================= Help: page 4 of 4 ==========================┐ |
 | |                      Dividends and the end of the game                 | |
 | |                                                                        | |
 | |                      Press any key to continue...                      | |
 | └========================================================================┘ |
 |     Arrow keys to select a company, return to trade, escape when done:     |)";

// The title screen: the number given, the second name asked.
constexpr std::string_view NAMES = R"(
 ┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐

                  Please enter the number of players [1-4]: 2

                     Player 1, enter your name: Ann
                     Player 2, enter your name: )";

constexpr std::string_view NUMBER = R"(

                  Please enter the number of players [1-4]: )";

// Paints `picture` on a 25 x 80 terminal and waits there: "{r:X}" draws X
// in reverse video, each row written where it stands.
Options painted(std::string_view picture) {
    std::string text(picture.substr(picture.starts_with('\n') ? 1 : 0));
    std::string bytes = "\033[2J";
    int row = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        for (std::size_t mark; (mark = line.find("{r:")) != std::string::npos;) {
            const std::size_t close = line.find('}', mark);
            line = line.substr(0, mark) + "\033[7m" + line.substr(mark + 3, close - mark - 3) + "\033[0m" +
                   line.substr(close + 1);
        }
        bytes += "\033[" + std::to_string(row + 1) + ";1H" + line;
        ++row;
        at = end + 1;
    }
    Options options = shell(R"(printf '%s' "$SCREEN_BYTES"; read x)");
    options.env["SCREEN_BYTES"] = bytes;
    return options;
}

// `picture` with its row `row` (0 the first after the opening newline) made `text`.
std::string with_row(std::string_view picture, int row, std::string_view text) {
    std::string out(picture);
    std::size_t at = 0;
    for (int r = 0; r <= row; ++r) at = out.find('\n', at) + 1;
    const std::size_t end = std::min(out.find('\n', at), out.size());
    return out.replace(at, end - at, text);
}

// The main screen's map with the general window under a title, its content
// rows centred as the game centres them.
std::string announcing(std::string_view title, const std::vector<std::pair<int, std::string>> &rows) {
    std::string picture(MOVE.substr(0, MOVE.find("\n ┌///")));
    std::string top(76, '/');
    top.replace((78 - title.size()) / 2 - 1, title.size(), title);
    picture += "\n ┌" + top + "┐";
    for (int k = 1; k <= 9; ++k) {
        std::string inner(76, ' ');
        for (const auto &[at, text] : rows) {
            if (at == k) inner.replace((78 - text.size()) / 2 - 1, text.size(), text);
        }
        picture += "\n |" + inner + "|";
    }
    return picture + "\n └" + std::string(76, '/') + "┘";
}

const std::string ANY = "Press any key to continue...";

TEST(ScreenReader, KnowsEachScreenTheTopmostFirst) {
    const struct {
        const char *name;
        std::string picture;
        Screen screen;
    } cases[] = {
        {"move prompt", std::string(MOVE), Screen::Move},
        {"standings over the prompt", std::string(STANDINGS), Screen::Standings},
        {"final standings",
         with_row(STANDINGS, 5, " | .  .  .┌=============  GAME OVER - Final Standings  ==============┐"),
         Screen::Final},
        {"report", with_row(STANDINGS, 5, " | .  .  .  .  .  .  .┌==== Detailed Company Information ====┐"),
         Screen::Report},
        {"quit question over the prompt",
         with_row(with_row(MOVE, 5, " | .  .  .  .  .  .┌============= Really Quit? =============┐"), 7,
                  " | .  .  .  .  @  .| Are you sure you want to quit (y/n)?   |"),
         Screen::Quit},
        {"record over the final standings", std::string(RECORD_OVER_FINAL), Screen::Record},
        {"help's last page over the trading dialog", std::string(HELP), Screen::Help},
        {"amount prompt", std::string(AMOUNT), Screen::Amount},
        {"trading list",
         with_row(AMOUNT, 16, " |                   Altair Starways" + std::string(42, ' ') + "|"),
         Screen::Trade},
        {"announcement",
         announcing(
             " Special Announcement! ",
             {{2, "The new company site just placed"}, {3, "has been sucked into a black hole!"}, {8, ANY}}),
         Screen::Announcement},
        {"name prompt", std::string(NAMES), Screen::Name},
        {"number prompt", std::string(NUMBER), Screen::Number},
        {"nothing known", "\n\n   Terminal too small, needs 80 x 24: enlarge it, then press Ctrl-L",
         Screen::Unknown},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Terminal t(painted(c.picture));
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_EQ(screen_of(t), c.screen) << t.dump();
        EXPECT_EQ(at_move_prompt(t), c.screen == Screen::Move);
    }
}

TEST(ScreenReader, ReadsTheTurnThePromptTheOffersAndTheMap) {
    Terminal t(painted(MOVE));
    ASSERT_TRUE(t.wait_for_key_request());
    const auto turn = turn_of(t);
    ASSERT_TRUE(turn.has_value());
    EXPECT_EQ(turn->player, "Ann");
    EXPECT_EQ(turn->cash, 6000);
    EXPECT_EQ(turn->row, GENERAL_TOP);
    const auto prompt = move_prompt_of(t);
    ASSERT_TRUE(prompt.has_value());
    EXPECT_EQ(prompt->player, "Ann");
    EXPECT_EQ(prompt->offers, 5);
    EXPECT_EQ(prompt->typed, "");
    EXPECT_EQ(prompt->row, PROMPT_ROW);

    const std::vector<Offer> offers = offers_on_map(t);
    ASSERT_EQ(offers.size(), 5U);
    const int digits[] = {1, 5, 4, 2, 3};
    const int places[] = {0 * 12 + 2, 1 * 12 + 7, 2 * 12 + 7, 3 * 12 + 11, 9 * 12 + 5};
    for (std::size_t i = 0; i < offers.size(); ++i) {
        EXPECT_EQ(offers[i].digit, digits[i]) << i;
        EXPECT_EQ(offers[i].pos, places[i]) << i;
        EXPECT_TRUE(offers[i].marked) << i;
    }
    const std::string map = map_of(t);
    EXPECT_EQ(map.substr(0, 12), "........*...");
    EXPECT_EQ(map.substr(4 * 12, 12), "....@..*...*");
    EXPECT_EQ(map.substr(9 * 12, 12), "..*.....*...");
    EXPECT_FALSE(any_company_active(t));
    const auto panel = panel_of(t);
    ASSERT_TRUE(panel.has_value());
    EXPECT_TRUE(panel->empty());
}

// A name may hold the very texts the reader looks for; the prompt and the
// title are read from their ends, so the whole name comes back.
TEST(ScreenReader, ReadsNamesThatLookLikeThePromptOrTheTitle) {
    std::string screen =
        with_row(MOVE, 13, " ┌//////////////// Z (Cash: $99) (Cash: $6000) ////////////////┐");
    screen =
        with_row(screen, 15, " | |, enter your move, enter your move [1-3]: 2                           |");
    Terminal t(painted(screen));
    ASSERT_TRUE(t.wait_for_key_request());
    const auto turn = turn_of(t);
    ASSERT_TRUE(turn.has_value());
    EXPECT_EQ(turn->player, "Z (Cash: $99)");
    EXPECT_EQ(turn->cash, 6000);
    const auto prompt = move_prompt_of(t);
    ASSERT_TRUE(prompt.has_value());
    EXPECT_EQ(prompt->player, "|, enter your move");
    EXPECT_EQ(prompt->offers, 3);
    EXPECT_EQ(prompt->typed, "2");
}

TEST(ScreenReader, ReadsTheTradingDialogAndThePanel) {
    Terminal t(painted(AMOUNT));
    ASSERT_TRUE(t.wait_for_key_request());
    const auto turn = turn_of(t);
    ASSERT_TRUE(turn.has_value());
    EXPECT_EQ(turn->player, "Rigel (computer)");
    EXPECT_EQ(turn->cash, 6150);
    EXPECT_EQ(trading_list_of(t), (std::vector<std::string>{"Altair Starways", "Beetlejuice, Ltd."}));
    const auto asked = amount_prompt_of(t);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->min, -5);
    EXPECT_EQ(asked->max, 10);
    EXPECT_EQ(asked->row, GENERAL_TOP + 3);
    EXPECT_EQ(asked->column, 41);
    EXPECT_EQ(asked->echo_column, 41 + 19);
    EXPECT_TRUE(any_company_active(t));
    const auto panel = panel_of(t);
    ASSERT_TRUE(panel.has_value());
    ASSERT_EQ(panel->size(), 2U);
    EXPECT_EQ((*panel)[0].name, "Altair Starways");
    EXPECT_EQ((*panel)[0].price, 600);
    EXPECT_EQ((*panel)[0].holding, 5);
    EXPECT_EQ((*panel)[1].name, "Beetlejuice, Ltd.");
    EXPECT_EQ((*panel)[1].price, 1200);
    EXPECT_EQ((*panel)[1].holding, 0);
    EXPECT_EQ((*panel)[1].row, MAP_TOP + 4);
}

// Where long bounds leave no room, the prompt drops its first word.
TEST(ScreenReader, ReadsTheShortAmountPrompt) {
    Terminal t(painted(with_row(
        AMOUNT, 16, " |                   {r:Altair Starways}     (-2147483648 to 0):           |")));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(screen_of(t), Screen::Amount);
    const auto asked = amount_prompt_of(t);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->min, -2147483648LL);
    EXPECT_EQ(asked->max, 0);
    EXPECT_EQ(asked->echo_column, 41 + 20);
}

TEST(ScreenReader, TellsEachAnnouncementAndTheCompaniesItNames) {
    const struct {
        const char *title;
        std::vector<std::pair<int, std::string>> rows;
        News kind;
        const char *company;
        const char *into;
    } cases[] = {
        {" Special Announcement! ",
         {{2, "A new shipping company has been formed!"}, {4, "Its name is Altair Starways"}, {7, ANY}},
         News::Founding,
         "Altair Starways",
         ""},
        {" Special Announcement! ",
         {{2, "Beetlejuice, Ltd."}, {3, "has just been merged into"}, {4, "Altair Starways"}, {7, ANY}},
         News::Merger,
         "Beetlejuice, Ltd.",
         "Altair Starways"},
        {" Special Announcement! ",
         {{2, "The stock of Capella Freight Co."}, {3, "has split two-for-one!"}, {6, ANY}},
         News::Split,
         "Capella Freight Co.",
         ""},
        {" Special Announcement! ",
         {{2, "The company named"},
          {3, "Denebola Shipping"},
          {4, "has been sucked into a black hole!"},
          {6, "All players' holdings lost."},
          {8, ANY}},
         News::CompanyLost,
         "Denebola Shipping",
         ""},
        {" Special Announcement! ",
         {{2, "The company that would have been named"},
          {3, "Eridani Expediters"},
          {4, "has been sucked into a black hole!"},
          {8, ANY}},
         News::LostFounding,
         "Eridani Expediters",
         ""},
        {" Special Announcement! ",
         {{2, "The new company site just placed"}, {3, "has been sucked into a black hole!"}, {8, ANY}},
         News::LostSite,
         "",
         ""},
        {" Stock Transactions ",
         {{2, "=Player===============Old Stock===New Stock===Total Holdings===Bonus="}, {8, ANY}},
         News::StockTransactions,
         "",
         ""},
        {" Special Announcement! ", {{2, "Something new"}, {7, ANY}}, News::Other, "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(news_name(c.kind));
        Terminal t(painted(announcing(c.title, c.rows)));
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_EQ(screen_of(t), Screen::Announcement) << t.dump();
        const Announcement news = announcement_of(t);
        EXPECT_EQ(news.kind, c.kind) << t.dump();
        EXPECT_EQ(news.company, c.company);
        EXPECT_EQ(news.into, c.into);
        EXPECT_EQ(news.title_row, GENERAL_TOP);
    }
    Terminal t(painted(MOVE));
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(announcement_of(t).kind, News::None);
}

TEST(ScreenReader, TellsWhichNameTheTitleScreenAsksFor) {
    Terminal names(painted(NAMES));
    ASSERT_TRUE(names.wait_for_key_request());
    EXPECT_EQ(name_prompt_of(names), 2);
    Terminal number(painted(NUMBER));
    ASSERT_TRUE(number.wait_for_key_request());
    EXPECT_EQ(name_prompt_of(number), 0);
}

}  // namespace
}  // namespace e2e
