// A session through the real terminal: the title screen, the main screen,
// quitting, repainting and losing the terminal.
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "support/game_driver.h"

namespace e2e {
namespace {

// Writes text onto the game's terminal as another program would.
void scribble_over(Terminal &t, const std::string &text) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/%d/fd/1", static_cast<int>(t.pid()));
    char device[256] = {};
    ASSERT_GT(readlink(link, device, sizeof device - 1), 0);
    const int fd = open(device, O_WRONLY | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(fd);
}

class TitleScreen : public ::testing::TestWithParam<bool> {};

TEST_P(TitleScreen, ShowsBorderBannerNoticeAndPrompt) {
    const bool mono = GetParam();
    Options options;
    options.args = {mono ? "-m" : "-c"};
    Terminal t(options);
    // Colour: a bold yellow border and the banner bold yellow on blue;
    // monochrome: a plain border and the banner in reverse video.
    const char *const title = mono ? R"screen(
┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                    {r:* V * E * G * A ** T * R * A * D * E *}                    $
$                                                                              $
$                                                                              $
$                  Please enter the number of players [1-4]:                   $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$  Alone? Choose 2, then press Tab at the second name: the computer plays it   $
$                           ?: help during the game                            $
$                                                                              $
$                                                                              $
$          This program is free software, and comes with NO WARRANTY.          $
$            You may share and change it under the MIT License; see            $
$            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            $
$                                                                              $
└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘
)screen"
                                   : R"screen(
{S:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                    {T:* V * E * G * A ** T * R * A * D * E *}                    {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                  Please enter the number of players [1-4]:                   {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}  Alone? Choose 2, then press Tab at the second name: the computer plays it   {S:$}
{S:$}                           ?: help during the game                            {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}          This program is free software, and comes with NO WARRANTY.          {S:$}
{S:$}            You may share and change it under the MIT License; see            {S:$}
{S:$}            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            {S:$}
{S:$}                                                                              {S:$}
{S:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)screen";
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(title, GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{9, 61}));

    // Every key but 1 to 4 is ignored without a trace.
    t.type("05x\r\x0cq");
    t.type(key::Up);
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(title, GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{9, 61}));

    t.type("3");
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(mono ? R"screen(
┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                    {r:* V * E * G * A ** T * R * A * D * E *}                    $
$                                                                              $
$                                                                              $
$                  Please enter the number of players [1-4]: 3                 $
$                                                                              $
$                     Player 1, enter your name:                               $
$                                                                              $
$                                                                              $
$                                                                              $
$                                                                              $
$                      Tab: the computer plays this seat                       $
$                           ?: help during the game                            $
$                                                                              $
$                                                                              $
$          This program is free software, and comes with NO WARRANTY.          $
$            You may share and change it under the MIT License; see            $
$            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            $
$                                                                              $
└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘
)screen"
                                     : R"screen(
{S:┌$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┐}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                    {T:* V * E * G * A ** T * R * A * D * E *}                    {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                  Please enter the number of players [1-4]: 3                 {S:$}
{S:$}                                                                              {S:$}
{S:$}                     Player 1, enter your name:                               {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}                      Tab: the computer plays this seat                       {S:$}
{S:$}                           ?: help during the game                            {S:$}
{S:$}                                                                              {S:$}
{S:$}                                                                              {S:$}
{S:$}          This program is free software, and comes with NO WARRANTY.          {S:$}
{S:$}            You may share and change it under the MIT License; see            {S:$}
{S:$}            /usr/share/doc/vegatrade/copyright (or /usr/local/...)            {S:$}
{S:$}                                                                              {S:$}
{S:└$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$ V1.2.2 $$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$┘}
)screen",
                                GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{11, 49}));
}

INSTANTIATE_TEST_SUITE_P(Schemes, TitleScreen, ::testing::Values(false, true),
                         [](const auto &param_info) { return param_info.param ? "Monochrome" : "Colour"; });

TEST(Session, NamesLeadToTheMainScreenOfThePinnedGalaxy) {
    constexpr unsigned seed = 1997;
    Options options;
    options.pin_clock = PinnedClock{seed, 4242};
    Terminal t(options);
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type("3");
    ASSERT_TRUE(t.wait_for_text(11, "Player 1, enter your name:"));
    EXPECT_EQ(t.row_text(11).find("Player 1"), 22u);
    t.type("Ann\r");
    ASSERT_TRUE(t.wait_for_text(12, "Player 2, enter your name:"));
    t.type("\r");  // an empty name is asked for again, on the same row
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_EQ(t.cursor(), (Position{12, 49}));
    t.type("Bob\r");
    ASSERT_TRUE(t.wait_for_text(13, "Player 3, enter your name:"));
    EXPECT_EQ(text_at(t, 12, 49, 4), "Bob ");
    t.type("Cy\r");

    // The pinned process id makes Ann the first player; the map is the
    // galaxy of the pinned clock with five offers.
    ASSERT_TRUE(t.wait_for_key_request());
    EXPECT_TRUE(t.expect_screen(R"screen(
{T: VegaTrade }{u:=====================================================================}
 {W:┌---------------}{m: Map }{W:----------------┐}{p: Company                Price  Holdings }
 {W:|} .  .  .  .  .  .  .  .  @  {S:*}  {r:5}  {r:3} {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:| no active companies}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:2}  .  .  @  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  .  .  .  .  . {W:|}
 {W:|} .  .  .  .  .  .  .  {r:1}  {r:4}  {S:*}  .  . {W:|}
 {W:|} .  .  .  .  .  {S:*}  .  .  .  .  .  . {W:|}
 {W:└------------------------------------┘}
 {u:┌////////////////////////////}{h: Ann (Cash: $6000) }{u://///////////////////////////┐}
 {u:|}                                                                            {u:|}
 {u:|} Ann, enter your move [1-5]:                                                {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:|}                                                                            {u:|}
 {u:└////////////////////////////////////////////////////////////////////////////┘}
)screen",
                                GAME_STYLES, Millis{0}));
    EXPECT_EQ(t.cursor(), (Position{15, 31}));
    const auto galaxy = galaxy_for_seed(seed);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 12; ++c) {
            const Position at = sector_cell(r, c);
            const std::string shown = t.cell(at.row, at.col).ch;
            // An offer's digit stands on open space.
            const char symbol = shown.size() != 1 ? '?' : shown[0] >= '1' && shown[0] <= '5' ? '.' : shown[0];
            EXPECT_EQ(symbol, galaxy[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                << "sector " << r << "," << c << " is not the galaxy the game makes from the clock";
        }
    }
}

TEST(Session, HostileNamesAreShownInVisibleFormAndNeverSentRaw) {
    Terminal t;
    ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    t.type("1");
    ASSERT_TRUE(t.wait_for_text(11, "Player 1, enter your name:"));
    // Escape and a key (as Alt and a letter send) is stored; an escape
    // sequence such as "\033[2J" would be dropped whole.
    t.type("%s%n%x\033c\x07\r");
    ASSERT_TRUE(t.wait_for_text(PROMPT_ROW, " %s%n%x^[c^G, enter your move [1-5]:"));
    EXPECT_EQ(t.bells(), 0);
    EXPECT_EQ(t.output_bytes().find("%s%n%x\033c"), std::string::npos);
}

TEST(Session, QuitDeclinedWithManyKeysThenConfirmed) {
    Terminal t;
    ASSERT_TRUE(start_players(t, {"Ann", "Bob"}));
    for (const std::string_view answer :
         {std::string_view("n"), key::Enter, key::Escape, key::CtrlL, key::Down, std::string_view("x")}) {
        t.type("q");
        ASSERT_TRUE(t.wait_for_screen_contains("Are you sure you want to quit (y/n)?"));
        t.type(answer);
        ASSERT_TRUE(t.wait_for([&] { return screen_of(t) != Screen::Quit; }))
            << "answer " << testing::PrintToString(std::string(answer));
        ASSERT_TRUE(at_move_prompt(t));
    }
    t.type(key::CtrlC);
    ASSERT_TRUE(wait_for_screen(t, Screen::Quit));
    t.type("Y");
    ASSERT_TRUE(wait_for_screen(t, Screen::Final));
    EXPECT_TRUE(t.running()) << "the final standings wait for a key";
    t.type("\r");
    EXPECT_TRUE(ended_with(t, 2, ""));
    EXPECT_NE(t.output_bytes().find("v1.2.2 29-Mar-1997\r\n"), std::string::npos)
        << "banner on standard output";
}

TEST(Session, CtrlLRepairsAScreenThatOtherOutputGarbled) {
    Terminal t;
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(t.wait_for_key_request());
    const std::string clean = t.screen_text();
    const Position cursor = t.cursor();
    scribble_over(t, "\033[H\033[5;10HGARBAGE GARBAGE\033[20;3Hmore garbage\033[1;1HXX");
    ASSERT_TRUE(t.wait_for([&] { return t.screen_text() != clean; }));
    t.type(key::CtrlL);
    ASSERT_TRUE(t.wait_for([&] { return t.screen_text() == clean; }, kDefaultTimeout, "the clean screen"));
    EXPECT_EQ(t.cursor(), cursor);
}

struct LostInputCase {
    const char *name;
    bool hang_up;  // else standard input reaches end of file
    bool at_move_prompt;
};

class LostInput : public ::testing::TestWithParam<LostInputCase> {};

TEST_P(LostInput, EndsTheProgramAtOnceWithoutSpinning) {
    const LostInputCase &c = GetParam();
    Options options;
    options.stdin_pipe = !c.hang_up;
    Terminal t(options);
    if (c.at_move_prompt) {
        ASSERT_TRUE(start_players(t, {"Ann"}));
    } else {
        ASSERT_TRUE(wait_for_screen(t, Screen::Number));
    }
    ASSERT_TRUE(t.wait_for_key_request());
    const auto cpu_before = t.cpu_time();
    if (c.hang_up) {
        t.hangup();
    } else {
        t.close_input();
    }
    const auto status = t.wait_exit(Millis{1000});
    ASSERT_TRUE(status.has_value()) << "still running a second after the input ended";
    EXPECT_EQ(*status, ExitStatus::exited(1));
    EXPECT_EQ(t.stderr_text(), "vegatrade: input closed\n");
    EXPECT_LT(t.cpu_time() - cpu_before, std::chrono::milliseconds(200));
    if (!c.hang_up) {
        EXPECT_TRUE(t.modes_restored());
    }
}

INSTANTIATE_TEST_SUITE_P(Prompts, LostInput,
                         ::testing::Values(LostInputCase{"HangUpAtNumberPrompt", true, false},
                                           LostInputCase{"EndOfFileAtNumberPrompt", false, false},
                                           LostInputCase{"HangUpAtMovePrompt", true, true},
                                           LostInputCase{"EndOfFileAtMovePrompt", false, true}),
                         [](const auto &param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace e2e
