// The bot at the market: the trading dialog and its amounts, the standings
// and the company report, each checked against what the screens said.
#include "support/bot_impl.h"

namespace e2e {

// ------------------------------------------------------------ trading

AssertionResult Bot::Impl::expect_trading(const std::vector<PanelRow> &entries, int selected, bool moved,
                                          Position cursor) const {
    General content;
    content.centred(1, "Arrow keys to select a company, return to trade, escape when done:");
    for (std::size_t j = 0; j < entries.size(); ++j) {
        content.at(LIST_ROW + static_cast<int>(j), NAME_COLUMN, entries[j].name);
    }
    BOT_TRY(expect_region(content, "the trading dialog"));
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const Cell cell = t.cell(GENERAL_TOP + LIST_ROW + static_cast<int>(j), 1 + NAME_COLUMN);
        const int letter = letter_named(entries[j].name);
        Style want;
        if (static_cast<int>(j) == selected) {
            if (opt.monochrome || !moved) {
                want.reverse = true;
            } else {
                want.fg = BLACK;
                want.bg = WHITE;
            }
        } else if (!opt.monochrome) {
            constexpr int company_colours[COMPANIES] = {BLUE, GREEN, YELLOW, RED, MAGENTA};
            want.fg = company_colours[letter];
            want.bg = BLACK;
            want.bold = letter == 0;
        }
        std::ostringstream out;
        out << "the trading entry " << entries[j].name
            << (static_cast<int>(j) == selected ? " (selected)" : "") << " is drawn "
            << static_cast<const Style &>(cell) << ", expected " << want;
        BOT_CHECK(drawn_as(cell, want), out.str());
    }
    return expect_cursor(cursor, "the trading dialog");
}

AssertionResult Bot::Impl::trading() {
    std::string name;
    long long shown_cash = 0;
    BOT_TRY(read_title(name, shown_cash));
    BOT_CHECK(player_named(name) == current, "the trading dialog is " + name + "'s, after " +
                                                 players[static_cast<std::size_t>(current)] + "'s move");
    const auto pi = static_cast<std::size_t>(current);
    // The dividends were paid since the move prompt: the cash can only have grown.
    BOT_CHECK(shown_cash >= cash[pi], "the cash fell from $" + std::to_string(cash[pi]) + " to $" +
                                          std::to_string(shown_cash) +
                                          " between the move and the trading dialog");
    cash[pi] = shown_cash;
    BOT_TRY(expect_map_styles());
    BOT_TRY(expect_panel("in the trading dialog"));
    std::vector<PanelRow> entries;
    BOT_TRY(read_panel(entries));
    const int count = static_cast<int>(entries.size());
    BOT_CHECK(count > 0, "a trading dialog without companies");
    auto after_name = [&](int entry) {
        return Position{
            GENERAL_TOP + LIST_ROW + entry,
            1 + NAME_COLUMN + static_cast<int>(entries[static_cast<std::size_t>(entry)].name.size())};
    };
    int selected = 0;
    bool moved = false;
    BOT_TRY(expect_trading(entries, selected, moved, after_name(count - 1)));

    while (chance(62)) {
        const int action = roll(100);
        if (action < opt.hotkey_percent) {
            BOT_TRY(hotkey(true, after_name(selected)));
        } else if (action < 35) {
            const bool down = chance(50);
            press(down ? pick<std::string>({std::string(key::Down), "5", "j", "J"})
                       : pick<std::string>({std::string(key::Up), "8", "k", "K"}),
                  down ? "the next company" : "the previous company");
            BOT_TRY(settle_running("in the trading dialog"));
            const int next = (selected + (down ? 1 : -1) + count) % count;
            const Position cursor = next == selected ? t.cursor() : after_name(next);
            if (next != selected) moved = true;
            selected = next;
            BOT_TRY(expect_trading(entries, selected, moved, cursor));
        } else {
            BOT_TRY(trade(entries, selected, moved));
        }
    }
    press("\x1b", "done trading");
    return AssertionSuccess();
}

// One amount at the prompt: valid ones at random, the shortcuts, empty and
// zero amounts, and now and then one just out of range. Afterwards the
// title's cash and the panel's holding have moved by exactly amount x price.
AssertionResult Bot::Impl::trade(const std::vector<PanelRow> &entries, int selected, bool moved) {
    ++stats.trades;
    const PanelRow &entry = entries[static_cast<std::size_t>(selected)];
    const auto company = static_cast<std::size_t>(letter_named(entry.name));
    const auto pi = static_cast<std::size_t>(current);
    const long long cash_before = cash[pi];
    const long long held_before = holdings[pi][company];
    const long long price_now = price[company];
    const int row = GENERAL_TOP + LIST_ROW + selected;

    press(pick<std::string>({"\r", "\n", std::string(key::Right), std::string(CTRL_F)}),
          "trading in " + entry.name);
    BOT_TRY(settle_running("at the amount prompt"));
    const auto asked = amount_prompt_of(t);
    BOT_CHECK(asked.has_value() && asked->row == row && asked->column == 1 + PROMPT_COLUMN,
              "the amount prompt reads \"" + trimmed(text_at(t, row, 1 + PROMPT_COLUMN, 37)) + "\"");
    const long long min = asked->min, max = asked->max;
    BOT_CHECK(min == -held_before, "the amount prompt's least amount is " + std::to_string(min) + " with " +
                                       std::to_string(held_before) + " shares held");
    BOT_CHECK(max >= 0 && max * price_now <= cash_before && (max + 1) * price_now > cash_before,
              "the amount prompt's most is " + std::to_string(max) + " shares at $" +
                  std::to_string(price_now) + " with $" + std::to_string(cash_before) + " in cash");
    const std::string prompt = "Amount (" + std::to_string(min) + " to " + std::to_string(max) + "): ";
    BOT_TRY(expect_text(row, 1 + PROMPT_COLUMN, prompt, "the amount prompt"));
    const int echo_column = 1 + PROMPT_COLUMN + static_cast<int>(prompt.size());
    BOT_TRY(expect_cursor({row, echo_column}, "the amount prompt"));

    std::string keys;  // what is typed before the key that ends the input
    std::string echo;  // what the editor echoes of it
    std::string end = "\r";
    long long amount = 0;
    bool valid = true;
    const int kind = roll(100);
    if (kind < opt.invalid_amount_percent) {
        valid = false;
        amount = chance(50) || min == 0 ? max + 1 : min - 1;
        keys = echo = std::to_string(amount);
    } else if (kind < 14) {
        keys = echo = pick<std::string>({"m", "M"});
        end = pick<std::string>({"\r", "x", "5", "\x0c"});  // discarded, whatever it is
        amount = max;
    } else if (kind < 22) {
        keys = echo = pick<std::string>({"n", "N"});
        end = pick<std::string>({"\r", "x", "5", "\x0c"});
        amount = min;
    } else if (kind < 27) {
        keys = echo = "";
    } else if (kind < 31) {
        keys = echo = "0";
    } else if (kind < 35) {
        keys = echo = "-";
    } else {
        amount = chance(70) ? std::uniform_int_distribution<long long>(0, max)(rng)
                            : std::uniform_int_distribution<long long>(min, 0)(rng);
        keys = echo = std::to_string(amount);
        if (chance(15)) keys = "7\x7f" + keys;  // a digit typed and erased
        if (chance(15) && keys.size() > 1) {
            keys.insert(1, pick<std::string>({"x", "-", "m", " "}));  // refused after the first place
        }
    }
    // Erasing an empty amount does nothing; a repaint keeps what was typed
    // (but after a shortcut letter the next key would end the input).
    if (chance(8)) keys.insert(0, "\x7f");
    if (chance(8)) {
        const bool shortcut = !keys.empty() && std::string("mMnN").find(keys.back()) != std::string::npos;
        keys.insert(shortcut ? 0 : static_cast<std::size_t>(roll(static_cast<int>(keys.size()) + 1)), "\x0c");
    }
    if (chance(30)) {
        press(keys, "an amount");
        BOT_TRY(settle_running("while typing an amount"));
        BOT_TRY(expect_text(row, echo_column, padded(echo, 9), "the typed amount"));
        press(end, "ending the amount");
    } else {
        press(keys + end, "an amount");
    }
    if (!valid) {
        ++stats.invalid_amounts;
        amount = 0;
        auto message = [&] { return text_at(t, row, 1 + PROMPT_COLUMN, 15) == "Invalid amount!"; };
        BOT_TRY(t.wait_for(message, Millis{5000}, "\"Invalid amount!\""));
        BOT_TRY(t.wait_for([&] { return !message(); }, Millis{5000}, "the end of \"Invalid amount!\""));
    }
    BOT_TRY(settle_running("after an amount"));
    std::string name;
    long long cash_after = 0;
    BOT_TRY(read_title(name, cash_after));
    BOT_CHECK(cash_after == cash_before - amount * price_now,
              "after trading " + std::to_string(amount) + " shares at $" + std::to_string(price_now) +
                  " the title shows $" + std::to_string(cash_after) + "; it showed $" +
                  std::to_string(cash_before));
    cash[pi] = cash_after;
    holdings[pi][company] = held_before + amount;
    BOT_TRY(expect_panel("after a trade of " + std::to_string(amount) + " in " + entry.name));
    BOT_TRY(expect_text(row, 1 + PROMPT_COLUMN, std::string(37, ' '), "the cleared amount prompt"));
    return expect_trading(entries, selected, moved,
                          {row, 1 + NAME_COLUMN + static_cast<int>(entry.name.size())});
}

// ------------------------------------------------------------ standings and report

namespace {

// The line under the final standings, from the names and worths the table
// lists, richest first: the winner and by how much, or the tie.
std::string winner_line(const std::vector<std::pair<std::string, long long>> &ranked) {
    const auto &[first, top] = ranked.front();
    if (ranked.size() == 1) return first + " finishes with $" + std::to_string(top);
    std::size_t tied = 1;
    while (tied < ranked.size() && ranked[tied].second == top) ++tied;
    const std::string each = " tie with $" + std::to_string(top) + " each";
    if (tied == 2) return first + " and " + ranked[1].first + each;
    if (tied == 3) return first + ", " + ranked[1].first + " and " + ranked[2].first + each;
    if (tied > 3) return std::to_string(tied) + " players" + each;
    const long long next = ranked[1].second;
    const std::string by = first + " wins by $" + std::to_string(top - next);
    if (next == 0) return by;
    const double ratio = static_cast<double>(top) / static_cast<double>(next);
    return by + " (" + format(ratio < 9.95 ? "%.1f" : "%.0f", ratio) + " to 1)";
}

}  // namespace

// The standings: every player's cash as the screens said, stock value the
// holdings at the panel's prices, net worth their sum, richest first; the
// sectors remaining fall by one for each letter added to the map.
AssertionResult Bot::Impl::expect_standings(bool final) {
    const int n = static_cast<int>(players.size());
    const std::string title = final ? "  GAME OVER - Final Standings  " : "  Current Standings  ";
    BOT_TRY(expect_text(5, 10 + (60 - static_cast<int>(title.size())) / 2, title, "the standings title"));
    const std::vector<PanelRow> panel = last_panel();
    // Window rows 1 to n + 7, columns 1 to 58; the final standings have two
    // rows more, for the winner's line.
    Region inside(6, 11, final ? n + 9 : n + 7, 58);
    std::vector<std::pair<std::string, long long>> ranked;  // name and net worth, as listed
    inside.put(1, 1, "=Player================Stock Value===Cash=====Net Worth=");
    long long richer = std::numeric_limits<long long>::max();
    std::vector<bool> listed(static_cast<std::size_t>(n), false);
    for (int place = 0; place < n; ++place) {
        const std::string row = text_at(t, 9 + place, 13, 56);
        int p = -1;
        for (int q = 0; q < n; ++q) {
            const std::string &name = players[static_cast<std::size_t>(q)];
            if (!listed[static_cast<std::size_t>(q)] && row.starts_with(name) &&
                (row.size() == name.size() || row[name.size()] == ' ') &&
                (p < 0 || name.size() > players[static_cast<std::size_t>(p)].size()))
                p = q;
        }
        BOT_CHECK(p >= 0,
                  "the standings row " + std::to_string(place + 1) + " names no player: \"" + row + "\"");
        listed[static_cast<std::size_t>(p)] = true;
        const auto pi = static_cast<std::size_t>(p);
        long long value = 0;
        for (const PanelRow &company : panel) {
            value += holdings[pi][static_cast<std::size_t>(letter_named(company.name))] * company.price;
        }
        long long shown_value = 0, shown_cash = 0, shown_worth = 0;
        // The name's field is 22 columns, whatever the name's length.
        const std::string figures = row.substr(std::min<std::size_t>(22, row.size()));
        BOT_CHECK(
            std::sscanf(figures.c_str(), "$%lld $%lld $%lld", &shown_value, &shown_cash, &shown_worth) == 3,
            "the standings row of " + players[pi] + " reads \"" + row + "\"");
        if (cash[pi] < 0) cash[pi] = shown_cash;  // first seen here
        BOT_CHECK(shown_cash == cash[pi], "the standings show " + players[pi] + "'s cash as $" +
                                              std::to_string(shown_cash) + "; the screens before said $" +
                                              std::to_string(cash[pi]));
        BOT_CHECK(map_hidden || shown_value == value,
                  "the standings show " + players[pi] + "'s stock as $" + std::to_string(shown_value) +
                      "; the holdings at the panel's prices are $" + std::to_string(value));
        BOT_CHECK(shown_worth == shown_cash + shown_value,
                  "the standings' net worth of " + players[pi] + " is not cash plus stock value");
        BOT_CHECK(shown_worth <= richer, "the standings do not list the richest first");
        richer = shown_worth;
        ranked.emplace_back(players[pi], shown_worth);
        inside.put(3 + place, 2,
                   padded(players[pi], 22) + format("$%-8lld   $%-8lld  ", shown_value, shown_cash) +
                       format("$%-8lld", shown_worth));
    }
    const int below = final ? 2 : 0;  // the rows the winner's line takes
    if (final) {
        const std::string line = winner_line(ranked);
        inside.put(n + 4, (60 - static_cast<int>(line.size())) / 2 - 1, line);
    }
    const std::string remaining_row = trimmed(text_at(t, 6 + n + 4 + below, 11, 58));
    const std::string label = "Available company sectors remaining: ";
    BOT_CHECK(remaining_row.starts_with(label),
              "the standings' sectors remaining read \"" + remaining_row + "\"");
    const long long remaining = std::atoll(remaining_row.c_str() + label.size());
    long long taken = 0;
    for (int i = 0; i < COMPANIES; ++i) taken += letters(map, static_cast<char>('A' + i));
    if (sectors_and_remaining < 0) sectors_and_remaining = remaining + taken;
    BOT_CHECK(map_hidden || remaining + taken == sectors_and_remaining,
              "the standings' sectors remaining (" + std::to_string(remaining) + ") did not fall by the " +
                  std::to_string(taken) + " company sectors on the map");
    inside.put(n + 4 + below, (60 - static_cast<int>(remaining_row.size())) / 2 - 1, remaining_row);
    if (final) {
        inside.put(n + 8, 1, "R: the record, G: the chart, any other key ends the game");
    } else {
        inside.put(n + 6, 15, "Press any key to continue...");
    }
    return expect_region(inside, final ? "the final standings" : "the current standings");
}

// The detailed company report: the panel's companies and prices, sizes
// that count the letters on the map, worths of every player's holdings.
AssertionResult Bot::Impl::expect_report() {
    const std::vector<PanelRow> panel = last_panel();
    const int n = static_cast<int>(panel.size());
    BOT_TRY(expect_text(5, 25, " Detailed Company Information ", "the report's title"));
    Region inside(6, 15, n + 5, 50);  // window rows 1 to n + 5, columns 1 to 50
    inside.put(1, 0, " Company name          Price   Size   Total Worth ");
    for (int row = 0; row < n; ++row) {
        const PanelRow &company = panel[static_cast<std::size_t>(row)];
        const auto i = static_cast<std::size_t>(letter_named(company.name));
        long long worth = 0;
        for (const auto &held : holdings) worth += held[i] * company.price;
        inside.put(3 + row, 1,
                   format("%-20s  $%-4lld    %-3lld    $%-9lld", company.name.c_str(), company.price,
                          letters(map, static_cast<char>('A' + i)), worth));
    }
    inside.put(n + 4, 11, "Press any key to continue...");
    return expect_region(inside,
                         "the company report (sizes are the letters on the map, worths the holdings at the "
                         "panel's prices)");
}

}  // namespace e2e
