// Keys as a player means them: an announcement waits for a key pressed once
// it is on the screen, Escape backs out of an amount, and a terminal that
// shrank and grew again during a computer's turn is repainted whole by
// itself, with the note that it is too small in between.
#include <sstream>
#include <string>

#include "support/game_driver.h"

namespace e2e {
namespace {

// A two-seat game whose first turn is the computer's, which founds a
// company with its first claim; and a one-player game whose second offer
// founds one.
constexpr PinnedClock COMPUTER_FIRST{1992, 1250};
constexpr PinnedClock ALONE{2026, 1210};

Options pinned(PinnedClock clock, int rows = 25) {
    Options options;
    options.args = {"-c"};
    options.pin_clock = clock;
    options.rows = rows;
    return options;
}

bool shows(const Terminal &t, std::string_view text) {
    return t.screen_text().find(text) != std::string::npos;
}

// Whether a computer's move prompt is up, and with its digit typed.
bool computer_prompt(const Terminal &t, bool with_digit) {
    const std::string prompt = t.row_text(PROMPT_ROW);
    const auto at = prompt.find("(normal), enter your move [1-");
    if (at == std::string::npos) return false;
    const auto end = prompt.find("]: ", at);
    return end != std::string::npos && (prompt.size() > end + 3 && prompt[end + 3] != ' ') == with_digit;
}

// Answers the title screen of the two-seat game, the computer's seat
// first, and waits for the title screen to be gone.
::testing::AssertionResult seat_computer_and_bob(Terminal &t) {
    auto answered = answer_title_screen(t, {"", "Bob"});
    if (!answered) return answered;
    return t.wait_for_screen_contains("(normal) (Cash: $");
}

// The whole screen as it looks: every cell's character and style, and the
// cursor. A blank shows only its background, and curses may clear a blank
// it holds as white on black with the terminal's default colours.
std::string look(const Terminal &t) {
    std::ostringstream out;
    for (int row = 0; row < t.rows(); ++row) {
        for (int col = 0; col < t.cols(); ++col) {
            const Cell cell = t.cell(row, col);
            if (cell.ch == " ") {
                out << (cell.reverse ? "R" : "_") << (cell.bg == -1 ? 0 : cell.bg) << ' ';
            } else {
                out << cell << ' ';
            }
        }
        out << '\n';
    }
    out << t.cursor();
    return out.str();
}

// The computer's first claim in the two-seat game founds a company.
constexpr const char *COMPUTER_FOUNDS = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    5
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  {S:*}  .  {A:A} {W:|}
 {W:|} .  .  .  .  @  .  .  {S:*}  .  .  .  {S:*} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  {S:*}  .  .  .  .  .  {S:*}  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌//////////////////////////}{B: Special Announcement! }{u:///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|}                  {W:A new shipping company has been formed!}                   {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        {W:Its name is Altair Starways}                         {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";

// Ann's second offer in the one-player game founds a company.
constexpr const char *ANN_FOUNDS = R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    5
 {W:|} .  .  .  .  {S:*}  .  .  .  .  .  {A:A}  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  {S:*}  .  .  .  .  .  .  @  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  {S:*}  .  .  .  .  .  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌//////////////////////////}{B: Special Announcement! }{u:///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|}                  {W:A new shipping company has been formed!}                   {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        {W:Its name is Altair Starways}                         {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                        Press any key to continue...                        {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)";

// Where the cursor waits under an announcement: after "Press any key to continue...".
constexpr Position AFTER_PRESS_ANY_KEY{20, 54};

// Keys typed before an announcement appears, to hurry a computer or ahead
// of it, are dropped: the announcement stays until a key pressed once it is
// shown. The computer's case types its keys in one go while its turn waits
// for the standings opened over its offers: the first closes them, the next
// two hurry its offers, shown again, and its digit, and the rest come before
// the announcement.
TEST(Announcement, KeysTypedBeforeItIsShownDoNotAnswerIt) {
    const struct {
        const char *what;
        PinnedClock clock;
        std::vector<std::string> names;  // "": the computer's seat
        std::string keys;
        const char *announcement;
    } cases[] = {
        {"typed to hurry a computer", COMPUTER_FIRST, {"", "Bob"}, "    x", COMPUTER_FOUNDS},
        {"typed ahead by a person", ALONE, {"Ann"}, "2 x", ANN_FOUNDS},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Terminal t(pinned(c.clock));
        if (c.names[0].empty()) {
            ASSERT_TRUE(seat_computer_and_bob(t));
            ASSERT_TRUE(t.wait_for([&] { return t.pausing() && computer_prompt(t, false); }));
            t.type("s");
            ASSERT_TRUE(t.wait_for_key_request());
            ASSERT_TRUE(shows(t, "Current Standings")) << t.dump();
        } else {
            ASSERT_TRUE(start_players(t, c.names));
            ASSERT_TRUE(t.wait_for_key_request());
        }
        t.type(c.keys);
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_TRUE(t.expect_screen(c.announcement, GAME_STYLES, Millis{0}));
        EXPECT_EQ(t.cursor(), AFTER_PRESS_ANY_KEY);
        // The key pressed now answers it.
        t.type(" ");
        ASSERT_TRUE(t.wait_for([&] { return !shows(t, "Special Announcement!"); }));
    }
}

// Escape at the amount prompt takes the amount back, as Enter on an empty
// line does, whatever was typed (after m too): nothing is traded, the
// prompt is gone and the dialog waits on the company; a second Escape
// ends the turn.
TEST(AmountPrompt, EscapeCancelsTheTrade) {
    Terminal t(pinned(ALONE));
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(answer_until(t, [&] { return shows(t, "escape when done:"); },
                             {.move = [] { return std::string("2"); }}));
    for (const char *typed : {"5", "-3", "m"}) {
        SCOPED_TRACE(typed);
        t.type(key::Enter);
        ASSERT_TRUE(t.wait_for_key_request());
        t.type(typed);
        ASSERT_TRUE(t.wait_for_key_request());
        ASSERT_TRUE(shows(t, "Amount (")) << t.dump();
        t.type(key::Escape);
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_TRUE(t.expect_screen(R"(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}{A: Altair Starways        }$600    5
 {W:|} .  .  .  .  {S:*}  .  .  .  .  .  {A:A}  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  {S:*}  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  {S:*}  .  .  .  .  .  .  @  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  {S:*}  .  .  .  .  .  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Ann (Cash: $6150) }{u://///////////////////////////┐}
 {u:|}     Arrow keys to select a company, return to trade, escape when done:     {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                   {r:Altair Starways}                                          {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)",
                                    GAME_STYLES, Millis{0}));
        EXPECT_EQ(t.cursor(), (Position{16, 36}));
    }
    t.type(key::Escape);
    ASSERT_TRUE(t.wait_for([&] { return at_move_prompt(t); }));
}

constexpr const char *NOTE = "Terminal too small, needs 80 x 24: enlarge it, then press Ctrl-L";

// A terminal of 80 x 24 shrinks to 70 x 20 while a computer's announcement
// waits for a key, and grows back: the note that it is too small shows on
// the top row at once, and once it is large enough the whole screen is
// drawn anew, as it was, without a key.
TEST(Resize, AtAComputersAnnouncementRepaintsByItself) {
    Terminal t(pinned(COMPUTER_FIRST, 24));
    ASSERT_TRUE(seat_computer_and_bob(t));
    ASSERT_TRUE(hurry_to_a_person(t));
    ASSERT_TRUE(shows(t, "Special Announcement!")) << t.dump();
    const std::string before = look(t);

    t.resize(20, 70);
    ASSERT_TRUE(t.wait_for_text(0, NOTE));
    ASSERT_TRUE(t.wait_for_key_request());
    t.resize(24, 80);
    EXPECT_TRUE(t.wait_for([&] { return look(t) == before; }, kDefaultTimeout, "the screen as it was"));
    EXPECT_TRUE(t.expect_screen(COMPUTER_FOUNDS, GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), AFTER_PRESS_ANY_KEY);
}

// The same during the computer's pauses: the terminal shrinks while its
// offers stand and grows again at once, and the turn goes on; the screen
// at the computer's announcement is then the one a run without the change
// shows, without a key.
TEST(Resize, DuringAComputersPausesRepaintsByItself) {
    std::string quiet;
    std::string quiet_dump;
    {
        Terminal t(pinned(COMPUTER_FIRST, 24));
        ASSERT_TRUE(seat_computer_and_bob(t));
        ASSERT_TRUE(t.wait_for_key_request(Millis{60000}));
        quiet = look(t);
        quiet_dump = t.dump();
    }
    Terminal t(pinned(COMPUTER_FIRST, 24));
    ASSERT_TRUE(seat_computer_and_bob(t));
    ASSERT_TRUE(t.wait_for([&] { return t.pausing() && computer_prompt(t, false); }));
    t.resize(20, 70);
    ASSERT_TRUE(t.wait_for_text(0, NOTE));
    t.resize(24, 80);
    ASSERT_TRUE(t.wait_for_key_request(Millis{60000}));
    EXPECT_EQ(look(t), quiet) << t.dump() << "\nwithout the change:\n" << quiet_dump;
}

}  // namespace
}  // namespace e2e
