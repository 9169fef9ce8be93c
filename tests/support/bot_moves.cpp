// The bot following a move: each announcement checked against the four
// neighbours the map showed, a merger's stock table against the holdings the
// screens said, and the map after the move.
#include "support/bot_impl.h"

namespace e2e {

// One announcement: the title, the content rows, the panel where the game
// has repainted it, and then a key (sometimes a repaint first, which must
// keep the announcement up).
AssertionResult Bot::Impl::announce(const std::string &title, bool blink, const General &content,
                                    bool panel_fresh, const std::string &what) {
    BOT_TRY(expect_title(title, blink));
    BOT_TRY(expect_region(content, what));
    BOT_TRY(expect_map_styles());
    if (panel_fresh) BOT_TRY(expect_panel("during " + what));
    if (chance(10)) {
        const std::string before = t.screen_text();
        const Position cursor = t.cursor();
        press("\x0c", "a repaint during " + what);
        BOT_TRY(settle_running("after a repaint"));
        BOT_TRY(expect_unchanged(before, cursor, "a repaint during " + what));
    }
    press(pick<std::string>({"\r", " ", "x", "q", "Q", "7", "y", "n", "\x1b", "\x03", "\x7f",
                             std::string(key::Down), std::string(key::Up), std::string(key::Right)}),
          "closing " + what);
    return AssertionSuccess();
}

// Follows the announcements of one move, each checked against the four
// neighbours the map showed around the chosen sector, and then the map.
AssertionResult Bot::Impl::follow_move(int pos) {
    const std::string before = map;
    std::array<char, 4> around{};  // north, south, west, east; 0 off the map
    for (const Direction d : {NORTH, SOUTH, WEST, EAST})
        around[static_cast<std::size_t>(d)] = neighbour(map, pos, d);
    std::array<char, 4> now = around;  // the neighbours as the mergers relabel them
    auto beside = [&](auto test) { return std::any_of(now.begin(), now.end(), test); };
    auto hole_beside = [&] { return beside([](char s) { return s == '@'; }); };
    auto letter_beside = [&](char letter) { return beside([&](char s) { return s == letter; }); };
    auto founding_site = [&] {
        return beside([](char s) { return s == '*' || s == '+'; }) &&
               !beside([](char s) { return is_letter(s); });
    };
    const std::string where = " at sector " + sector_name(pos);
    Events events;
    for (;;) {
        BOT_TRY(settle_running(("while following the move" + where).c_str()));
        const Announcement news = announcement_of(t);
        if (news.kind == News::StockTransactions)
            return fail("a stock exchange without a merger announcement before it");
        if (news.kind == News::None) break;
        BOT_CHECK(news.title_row == GENERAL_TOP, "an announcement outside the general window");
        General content;
        const std::string any = "Press any key to continue...";
        if (news.kind == News::Founding) {
            const std::string name = news.company;
            BOT_CHECK(!name.empty(), "the founding names no company: \"" + trimmed(general_row(4)) + "\"");
            BOT_CHECK(founding_site() && events.founded == 0 && events.mergers.empty(),
                      "a founding" + where + ", whose neighbours were not a founding site");
            const char letter = read_map()[static_cast<std::size_t>(pos)];
            BOT_CHECK(is_letter(letter) && letters(before, letter) == 0,
                      "the founding" + where + " did not put a new company's letter there");
            const auto i = static_cast<std::size_t>(letter - 'A');
            BOT_CHECK(names[i].empty() || names[i] == name, "company " + std::string(1, letter) +
                                                                " was founded before as " + names[i] +
                                                                ", now as " + name);
            BOT_CHECK(letter_named(name) < 0 || letter_named(name) == static_cast<int>(i),
                      name + " was founded before under another letter");
            names[i] = name;
            // The founder's shares are whatever the panel shows.
            std::vector<PanelRow> panel;
            BOT_TRY(read_panel(panel));
            for (const PanelRow &row : panel) {
                if (row.name == name) holdings[static_cast<std::size_t>(current)][i] = row.holding;
            }
            BOT_CHECK(holdings[static_cast<std::size_t>(current)][i] > 0,
                      "the founder holds no shares of " + name);
            for (std::size_t q = 0; q < players.size(); ++q) {
                BOT_CHECK(q == static_cast<std::size_t>(current) || holdings[q][i] == 0,
                          "a new company's shares held by " + players[q]);
            }
            events.founded = letter;
            map = read_map();
            ++stats.foundings;
            content.centred(2, "A new shipping company has been formed!");
            content.centred(4, "Its name is " + name);
            content.centred(7, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, true, "the founding of " + name));
        } else if (news.kind == News::Merger) {
            const std::string gone = news.company;
            const std::string kept = news.into;
            const int a = letter_named(gone);
            const int s = letter_named(kept);
            BOT_CHECK(a >= 0 && s >= 0 && a != s,
                      "the merger of \"" + gone + "\" into \"" + kept + "\" names no two companies");
            const char absorbed = static_cast<char>('A' + a);
            const char survivor = static_cast<char>('A' + s);
            BOT_CHECK(letter_beside(absorbed) && letter_beside(survivor),
                      "the merger of " + gone + " into " + kept + where + ", which was not next to both");
            // What the absorbed company's price was before this move, if this
            // move has not changed it yet.
            const bool known = price_known[static_cast<std::size_t>(a)];
            const long long absorbed_price = price[static_cast<std::size_t>(a)];
            for (char &symbol : now) {
                if (symbol == absorbed) symbol = survivor;
            }
            price_known[static_cast<std::size_t>(s)] = false;
            price_known[static_cast<std::size_t>(a)] = false;
            events.mergers.emplace_back(absorbed, survivor);
            ++stats.mergers;
            content.centred(2, gone);
            content.centred(3, "has just been merged into");
            content.centred(4, kept);
            content.centred(7, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, false,
                             "the merger of " + gone + " into " + kept));
            BOT_TRY(exchange(absorbed, survivor, known, absorbed_price));
        } else if (news.kind == News::Split) {
            const std::string name = news.company;
            BOT_CHECK(!name.empty(), "the split names no company: \"" + trimmed(general_row(2)) + "\"");
            const int i = letter_named(name);
            BOT_CHECK(i >= 0 && letter_beside(static_cast<char>('A' + i)),
                      "the split of " + name + where + ", which was not next to it");
            for (auto &held : holdings) held[static_cast<std::size_t>(i)] *= 2;
            price_known[static_cast<std::size_t>(i)] = false;
            ++stats.splits;
            content.centred(2, "The stock of " + name);
            content.centred(3, "has split two-for-one!");
            content.centred(6, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, true, "the split of " + name));
        } else if (news.kind == News::CompanyLost || news.kind == News::LostFounding) {
            const bool existing = news.kind == News::CompanyLost;
            const std::string name = news.company;
            BOT_CHECK(hole_beside(), "a company lost" + where + ", which has no black hole beside it");
            content.centred(2, existing ? "The company named" : "The company that would have been named");
            content.centred(3, name);
            content.centred(4, "has been sucked into a black hole!");
            if (existing) {
                const int i = letter_named(name);
                BOT_CHECK(i >= 0 && letter_beside(static_cast<char>('A' + i)),
                          "the loss of " + name + where + ", which was not next to it");
                for (auto &held : holdings) held[static_cast<std::size_t>(i)] = 0;
                events.swallowed = static_cast<char>('A' + i);
                content.centred(6, "All players' holdings lost.");
                map = read_map();
            } else {
                BOT_CHECK(founding_site() && events.founded == 0,
                          "a founding lost" + where + ", whose neighbours were not a founding site");
                events.lost_founding = true;
            }
            ++stats.black_holes;
            content.centred(8, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, existing, "the loss of " + name));
        } else if (news.kind == News::LostSite) {
            BOT_CHECK(
                hole_beside() && !beside([](char s) { return s == '*' || s == '+' || is_letter(s); }),
                "the site" + where + " was lost, though not only open space and black holes were beside it");
            events.lost_site = true;
            ++stats.black_holes;
            content.centred(2, "The new company site just placed");
            content.centred(3, "has been sucked into a black hole!");
            content.centred(8, any);
            BOT_TRY(announce(" Special Announcement! ", true, content, false, "the loss of the site"));
        } else {
            return fail("an announcement the bot does not know");
        }
    }
    if (screen_of(t) == Screen::Final) {
        map_hidden = true;  // the final standings cover the map
        return AssertionSuccess();
    }
    map = read_map();
    return expect_map_after(pos, before, around, events);
}

// The merger's stock table: one row per player in player order; the old
// stock is what the screens said the player held of the absorbed company,
// the total is the survivor's holding before plus the new stock, and the
// bonuses share out ten times the absorbed price, each rounded down.
AssertionResult Bot::Impl::exchange(char absorbed, char survivor, bool absorbed_price_known,
                                    long long absorbed_price) {
    BOT_TRY(settle_running("where the stock exchange was due"));
    const auto a = static_cast<std::size_t>(absorbed - 'A');
    const auto s = static_cast<std::size_t>(survivor - 'A');
    const std::string what = "the stock exchange of " + names[a] + " into " + names[s];
    General table;
    table.skip_row(1);  // the absorbed company's name, covered by the header
    table.at(2, 4, "=Player===============Old Stock===New Stock===Total Holdings===Bonus=");
    std::vector<ExchangeRow> rows;
    long long shares_held = 0, bonuses = 0;
    int holders = 0;
    for (std::size_t k = 0; k < players.size(); ++k) {
        const std::string row = text_at(t, GENERAL_TOP + 3 + static_cast<int>(k), 5, 73);
        ExchangeRow r;
        BOT_CHECK(row.starts_with(" " + players[k] + " ") &&
                      std::sscanf(row.c_str() + 24, "%lld %lld %lld $%lld", &r.old_shares, &r.new_shares,
                                  &r.total, &r.bonus) == 4,
                  what + ": the row of " + players[k] + " reads \"" + row + "\"");
        BOT_CHECK(r.old_shares == holdings[k][a],
                  what + ": " + players[k] + "'s old stock is " + std::to_string(r.old_shares) +
                      "; the screens before said " + std::to_string(holdings[k][a]));
        BOT_CHECK(r.new_shares >= 0 && r.total == holdings[k][s] + r.new_shares,
                  what + ": " + players[k] + "'s total is not the " + std::to_string(holdings[k][s]) +
                      " shares held before plus the new stock");
        BOT_CHECK(r.bonus >= 0, what + ": a negative bonus");
        shares_held += r.old_shares;
        bonuses += r.bonus;
        holders += r.old_shares > 0 ? 1 : 0;
        table.at(
            3 + static_cast<int>(k), 4,
            " " + padded(players[k], 20) + "   " +
                format("%-5lld       %-5lld     %5lld            ", r.old_shares, r.new_shares, r.total) +
                format("$%-5lld", r.bonus));
        rows.push_back(r);
    }
    if (shares_held == 0) {
        BOT_CHECK(bonuses == 0, what + ": bonuses paid though nobody held the absorbed stock");
    } else if (absorbed_price_known) {
        const long long pool = 10 * absorbed_price;
        BOT_CHECK(bonuses <= pool && bonuses > pool - holders,
                  what + ": the bonuses add up to $" + std::to_string(bonuses) +
                      ", not ten times the absorbed price $" + std::to_string(absorbed_price) +
                      " within rounding");
    }
    table.centred(8, "Press any key to continue...");
    BOT_TRY(announce(" Stock Transactions ", false, table, false, what));
    for (std::size_t k = 0; k < players.size(); ++k) {
        holdings[k][s] = rows[k].total;
        holdings[k][a] = 0;
        if (cash[k] >= 0) cash[k] += rows[k].bonus;
    }
    return AssertionSuccess();
}

// The map after a move differs from the map before only where the move's
// announcements and the four neighbours say: the absorbed companies'
// letters turned into the survivors', a lost company's letters gone, the
// chosen sector and the outposts beside it taken by the company that grew
// or was founded there, an outpost where only open space was beside it.
AssertionResult Bot::Impl::expect_map_after(int pos, const std::string &before,
                                            const std::array<char, 4> &around, const Events &events) {
    std::string want = before;
    for (const auto &[absorbed, survivor] : events.mergers)
        std::replace(want.begin(), want.end(), absorbed, survivor);
    const char placed = map[static_cast<std::size_t>(pos)];
    const std::string where = "sector " + sector_name(pos);
    auto take_outposts = [&](char symbol) {
        for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
            const int next = neighbour_pos(pos, d);
            if (next >= 0 && before[static_cast<std::size_t>(next)] == '+')
                want[static_cast<std::size_t>(next)] = symbol;
        }
    };
    bool any_letter = false;
    for (const char s : around) any_letter = any_letter || is_letter(s);
    if (events.lost_site) {
        BOT_CHECK(placed == '.', "the lost site " + where + " shows \"" + std::string(1, placed) + "\"");
    } else if (events.swallowed != 0 || events.lost_founding) {
        BOT_CHECK(placed == '.',
                  where + " was lost to a black hole but shows \"" + std::string(1, placed) + "\"");
        take_outposts('.');
        if (events.swallowed != 0) std::replace(want.begin(), want.end(), events.swallowed, '.');
    } else if (placed == '+') {
        BOT_CHECK(!any_letter && events.mergers.empty(), where + " became an outpost beside a company");
    } else {
        BOT_CHECK(is_letter(placed), where + " shows \"" + std::string(1, placed) + "\" after the move");
        if (events.founded == 0) {
            bool beside = false;
            for (const Direction d : {NORTH, SOUTH, WEST, EAST}) {
                const int next = neighbour_pos(pos, d);
                beside = beside || (next >= 0 && want[static_cast<std::size_t>(next)] == placed);
            }
            BOT_CHECK(beside,
                      where + " took the letter " + std::string(1, placed) + " of no company beside it");
        }
        take_outposts(placed);
    }
    want[static_cast<std::size_t>(pos)] = placed;
    for (int cell = 0; cell < CELLS; ++cell) {
        const auto c = static_cast<std::size_t>(cell);
        BOT_CHECK(map[c] == want[c], "after the move at " + where + ", sector " + sector_name(cell) +
                                         " shows \"" + std::string(1, map[c]) +
                                         "\" where the announcements and the neighbours "
                                         "leave \"" +
                                         std::string(1, want[c]) + "\"");
    }
    for (int i = 0; i < COMPANIES; ++i) {
        if (letters(map, static_cast<char>('A' + i)) > 0) continue;
        for (std::size_t k = 0; k < players.size(); ++k) {
            BOT_CHECK(holdings[k][static_cast<std::size_t>(i)] == 0,
                      players[k] + " still holds shares of a company that left the map");
        }
    }
    return AssertionSuccess();
}

}  // namespace e2e
