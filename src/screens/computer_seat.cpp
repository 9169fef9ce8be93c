// The computer's turn on the screens: its move at the move prompt and its
// trades in the trading dialog, at its strength, each step shown as a
// person's would be and staying on the screen long enough for the people at
// the terminal to follow it. A person's key ends a step's pause early. Q and
// Ctrl-C ask to quit as at the move prompt, Ctrl-L repaints, and S, C, ? and
// R (the record, in a game with computer seats) open their windows: the step
// waits until the window is closed, then stays on the screen again for its
// time. Any other key is not used otherwise.
#include "screens/seats.h"

namespace {

// A step of a computer's turn: shown for `milliseconds`, or until a key.
// `from` is the prompt whose keys the help shows.
void computer_pause(const Game &game, const Table &table, int milliseconds,
                    HelpFrom from = HelpFrom::MOVE_PROMPT) {
    for (;;) {
        const int key = pause_for_key(milliseconds);
        if (key == CTRL_C || ascii_upper(key) == 'Q') {
            confirm_quit(game, table.record);
            return;
        }
        const int upper = ascii_upper(key);
        const bool window =
            upper == 'S' || upper == 'C' || key == '?' || (upper == 'R' && any_computer_seat(table));
        if (!window) return;
        serve_hotkey(key, from, game, table);
        // The cursor stands where the step left it in the general window.
        wnoutrefresh(general_window);
    }
}

}  // namespace

int computer_move(const Game &game, const Table &table, Strength strength, const int offers[NUM_MOVES],
                  int offer_count) {
    mark_offers(offers, offer_count);
    const int prompt_end = show_move_prompt(game, offer_count);
    const int choice = choose_move(game, offers, offer_count, strength);
    wmove(general_window, 2, prompt_end);
    wnoutrefresh(general_window);
    computer_pause(game, table, OFFERS_PAUSE_MS);
    mvwaddch(general_window, 2, prompt_end, static_cast<chtype>('1' + choice));
    wnoutrefresh(general_window);
    computer_pause(game, table, STEP_PAUSE_MS);
    clear_offers(offers, offer_count);
    return choice;
}

// The plan is made as it is, unchanged: each trade is in an active company
// and its amount is one the dialog takes (plan_trades), typed as a person
// types it. The selection moves to each company it trades.
void computer_trades(Game &game, Table &table, Strength strength) {
    TradingDialog dialog;
    if (!open_trading(game, dialog)) return;
    Trade plan[MAX_TRADES];
    const int count = plan_trades(game, plan, MAX_TRADES, strength);
    put_cursor_back(dialog);
    computer_pause(game, table, STEP_PAUSE_MS, HelpFrom::TRADING);
    for (int k = 0; k < count; ++k) {
        int entry = 0;
        while (entry + 1 < dialog.count && dialog.active[entry] != plan[k].company) ++entry;
        if (entry != dialog.selected) {
            move_selection(dialog, entry - dialog.selected);
            put_cursor_back(dialog);
            computer_pause(game, table, STEP_PAUSE_MS, HelpFrom::TRADING);
        }
        const AmountPrompt prompt = show_amount_prompt(dialog);
        const int amount = plan[k].amount;
        type_amount(prompt, amount);
        computer_pause(game, table, STEP_PAUSE_MS, HelpFrom::TRADING);
        apply_trade(game, prompt.company, amount);
        record_trade(table.record, game, prompt.company, amount);
        finish_trade(dialog, prompt, amount);
        computer_pause(game, table, STEP_PAUSE_MS, HelpFrom::TRADING);
    }
}
