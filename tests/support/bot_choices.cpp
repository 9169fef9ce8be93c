// The bot's choices as a player: the number of players and the names, the
// first map, the offers and the one it takes, and the side trips from a
// prompt (standings, report, a declined quit, a repaint, an ignored key).
#include "support/bot_impl.h"

namespace e2e {

AssertionResult Bot::Impl::title_screen() {
    BOT_TRY(settle_running("before the title screen"));
    BOT_TRY(expect_text(9, 19, "Please enter the number of players [1-4]: ", "the number prompt"));
    BOT_TRY(expect_cursor({9, 61}, "the number prompt"));
    if (chance(30)) {
        const std::string before = t.screen_text();
        press(pick<std::string>({"0", "5", "9", "x", "\r", "q", "\x0c", std::string(key::Up)}),
              "a key the number prompt ignores");
        BOT_TRY(settle_running("at the number prompt"));
        BOT_TRY(expect_unchanged(before, {9, 61}, "a key the number prompt ignores"));
    }
    const int n = opt.players;
    press(std::to_string(n), "the number of players");

    std::vector<std::string> pool(std::begin(NAME_POOL), std::end(NAME_POOL));
    std::shuffle(pool.begin(), pool.end(), rng);
    for (int i = 0; i < n; ++i) {
        const std::string name = pool[static_cast<std::size_t>(i)];
        players.push_back(name);
        cash.push_back(-1);
        holdings.push_back({});
        const std::string prompt = "Player " + std::to_string(i + 1) + ", enter your name: ";
        BOT_TRY(settle_running("at the name prompt"));
        BOT_TRY(expect_text(11 + i, 22, prompt, "the name prompt"));
        BOT_TRY(expect_cursor({11 + i, 49}, "the name prompt"));
        if (chance(15)) {
            press("\r", "an empty name, asked again");
            BOT_TRY(settle_running("at the name prompt"));
            BOT_TRY(expect_text(11 + i, 22, padded(prompt, 27 + 21), "the name prompt asked again"));
            BOT_TRY(expect_cursor({11 + i, 49}, "the name prompt asked again"));
        }
        press(name + "\r", "player " + std::to_string(i + 1) + "'s name");
    }
    return AssertionSuccess();
}

// The first map is the galaxy that the game's own generator makes from the
// pinned time.
AssertionResult Bot::Impl::read_galaxy() {
    map = read_map();
    const std::vector<std::string> seeded = galaxy_for_seed(static_cast<unsigned>(clock.time));
    for (int pos = 0; pos < CELLS; ++pos) {
        const char want =
            seeded[static_cast<std::size_t>(pos / MAP_WIDTH)][static_cast<std::size_t>(pos % MAP_WIDTH)];
        BOT_CHECK(map[static_cast<std::size_t>(pos)] == want,
                  "the first map differs from the galaxy of the time seed at sector " + sector_name(pos));
    }
    return AssertionSuccess();
}

// The offers are the digits in reverse video on the map, 1 to the number the
// prompt names, each once and each on open space.
AssertionResult Bot::Impl::read_offers() {
    offer_count = 0;
    const auto prompt = move_prompt_of(t);
    BOT_CHECK(prompt.has_value() && prompt->row == PROMPT_ROW, "no move prompt");
    const int k = prompt->offers;
    BOT_CHECK(k >= 1 && k <= 5, "the move prompt offers \"" + t.row_text(PROMPT_ROW) + "\"");
    std::array<int, 5> found{-1, -1, -1, -1, -1};
    for (const Offer &offer : offers_on_map(t)) {
        const std::string digit = std::to_string(offer.digit);
        BOT_CHECK(offer.digit <= k, "sector " + sector_name(offer.pos) + " shows offer " + digit +
                                        " of a prompt [1-" + std::to_string(k) + "]");
        BOT_CHECK(found[static_cast<std::size_t>(offer.digit - 1)] < 0,
                  "offer " + digit + " is marked twice");
        BOT_CHECK(map[static_cast<std::size_t>(offer.pos)] == '.',
                  "offer " + digit + " stands on sector " + sector_name(offer.pos) + ", which showed \"" +
                      std::string(1, map[static_cast<std::size_t>(offer.pos)]) + "\"");
        found[static_cast<std::size_t>(offer.digit - 1)] = offer.pos;
    }
    for (int d = 0; d < k; ++d) {
        BOT_CHECK(found[static_cast<std::size_t>(d)] >= 0,
                  "offer " + std::to_string(d + 1) + " is not on the map");
        offers[static_cast<std::size_t>(d)] = found[static_cast<std::size_t>(d)];
    }
    offer_count = k;
    if (k < 5) ++stats.short_prompts;
    return AssertionSuccess();
}

// One move: the prompt checked against what the screens said before, perhaps
// a few hotkeys, an offer chosen at random and its outcome followed.
AssertionResult Bot::Impl::move_turn() {
    std::string name;
    long long shown_cash = 0;
    BOT_TRY(read_title(name, shown_cash));
    const int p = player_named(name);
    BOT_CHECK(p >= 0, "the move prompt's title names \"" + name + "\", who is not playing");
    current = p;
    const auto pi = static_cast<std::size_t>(p);
    if (cash[pi] < 0) cash[pi] = shown_cash;
    BOT_CHECK(shown_cash == cash[pi], "the move prompt shows " + name + "'s cash as $" +
                                          std::to_string(shown_cash) + "; the screens before said $" +
                                          std::to_string(cash[pi]));
    BOT_TRY(read_offers());
    General content;
    const std::string prompt = " " + name + ", enter your move [1-" + std::to_string(offer_count) + "]: ";
    content.at(2, 1, prompt);
    BOT_TRY(expect_region(content, "the move prompt"));
    BOT_TRY(expect_cursor({GENERAL_TOP + 2, 2 + static_cast<int>(prompt.size())}, "the move prompt"));
    BOT_CHECK(read_map() == map, "the map changed between the move and the next prompt");
    BOT_TRY(expect_map_styles());
    BOT_TRY(expect_panel("at the move prompt"));

    while (chance(opt.hotkey_percent)) BOT_TRY(hotkey(false));

    const int choice = choose_offer();
    const int pos = offers[static_cast<std::size_t>(choice)];
    press(std::to_string(choice + 1), "offer at sector " + sector_name(pos));
    return follow_move(pos);
}

// The offer to take. Most games take any offer; some prefer lone sectors,
// which fill the map with outposts for companies to absorb later, and some
// prefer sectors next to companies, for more growth, mergers and splits.
int Bot::Impl::choose_offer() {
    std::vector<int> preferred;
    for (int k = 0; k < offer_count; ++k) {
        const int pos = offers[static_cast<std::size_t>(k)];
        int companies_near = 0;
        bool lone = true;
        for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
            const char symbol = neighbour(map, pos, d);
            if (is_letter(symbol)) ++companies_near;
            if (symbol != '.' && symbol != 0) lone = false;
        }
        if ((style == 1 && lone) || (style == 2 && companies_near > 0)) preferred.push_back(k);
    }
    if (preferred.empty() || chance(10)) return roll(offer_count);
    return pick(preferred);
}

// A side trip from a prompt that must leave the prompt as it was: the
// standings, the report, a declined quit, a repaint or an ignored key.
// In the trading dialog the standings, the report and a declined quit put
// the cursor back after the selected company's name (`put_back`).
AssertionResult Bot::Impl::hotkey(bool trading, std::optional<Position> put_back) {
    ++stats.hotkeys;
    const std::string before = t.screen_text();
    Position cursor = t.cursor();
    const bool any_company = map.find_first_of("ABCDE") != std::string::npos;
    const std::vector<std::string> any_key = {
        "\r", " ", "x", "y", "n", "7", "\x0c", "\x1b", std::string(key::Down)};
    switch (roll(5)) {
        case 0:
            if (put_back) cursor = *put_back;
            press(pick<std::string>({"s", "S"}), "the standings");
            BOT_TRY(settle_running("in the standings"));
            BOT_TRY(expect_standings(false));
            press(pick(any_key), "closing the standings");
            break;
        case 1:
            if (put_back) cursor = *put_back;
            press(pick<std::string>({"c", "C"}), "the company report");
            BOT_TRY(settle_running("in the company report"));
            if (any_company) {
                BOT_TRY(expect_report());
                press(pick(any_key), "closing the report");
            }
            break;
        case 2: {
            if (put_back) cursor = *put_back;
            press(pick<std::string>({"q", "Q", "\x03"}), "asking to quit");
            BOT_TRY(settle_running("in the quit window"));
            BOT_TRY(expect_quit_window());
            press(pick<std::string>({"n", "N", "\r", "\x1b", "x", "\x0c", std::string(key::Down), " "}),
                  "declining to quit");
            break;
        }
        case 3: press("\x0c", "a repaint"); break;
        default:
            if (trading) {
                press(pick<std::string>({"x", "0", "1", "9", "\t", std::string(key::Left), "z"}),
                      "a key the dialog ignores");
            } else {
                press(pick<std::string>({"0", "6", "9", "x", "\t", std::string(key::Down),
                                         std::string(key::Left), "z", std::string(key::Up), "\033[5~",
                                         "\033OS"}),
                      "a key the move prompt ignores");
            }
            break;
    }
    BOT_TRY(settle_running("after a side trip"));
    return expect_unchanged(before, cursor, "the side trip " + recent.back());
}

AssertionResult Bot::Impl::expect_quit_window() const {
    BOT_TRY(expect_text(5, 33, " Really Quit? ", "the quit window's title"));
    Region inside(6, 20, 3, 40);
    inside.put(1, 1, "Are you sure you want to quit (y/n)? ");
    BOT_TRY(expect_region(inside, "the quit window"));
    return expect_cursor({7, 58}, "the quit question");
}

}  // namespace e2e
