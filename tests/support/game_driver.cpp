#include "support/game_driver.h"

#include <locale.h>

#include <cstdlib>
#include <cwchar>

#include "flow/flow.h"
#include "rules/rules.h"

namespace e2e {

const std::map<char, Style> GAME_STYLES = {
    {' ', {.fg = 7, .bg = 0}},                               // plain
    {'T', {.bold = true, .fg = 3, .bg = 4}},                 // the title bar; the title screen's banner
    {'u', {.fg = 4, .bg = 0}},                               // the general window's border
    {'W', {.bold = true, .fg = 7, .bg = 0}},                 // the map's border and bold text
    {'m', {.fg = 0, .bg = 7}},                               // " Map "
    {'p', {.fg = 0, .bg = 2}},                               // the panel's header
    {'r', {.reverse = true, .fg = 7, .bg = 0}},              // the offers; the banner in monochrome
    {'S', {.bold = true, .fg = 3, .bg = 0}},                 // stars; the title screen's frame
    {'h', {.bold = true, .fg = 7, .bg = 4}},                 // window titles
    {'H', {.fg = 7, .bg = 4}},                               // column headers
    {'A', {.bold = true, .fg = 4, .bg = 0}},                 // company A
    {'B', {.bold = true, .blink = true, .fg = 7, .bg = 4}},  // an announcement's title
    {'R', {.fg = 1, .bg = 0}},                               // the quit window's border
    {'q', {.fg = 0, .bg = 1}},                               // the quit window's title
};

::testing::AssertionResult answer_title_screen(Terminal &t, const std::vector<std::string> &names) {
    auto ready = wait_for_screen(t, Screen::Number);
    if (!ready) return ready;
    t.type(std::to_string(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto asked = wait_for_name_prompt(t, static_cast<int>(i) + 1);
        if (!asked) return asked;
        t.type((names[i].empty() ? std::string("\t\t\t") : names[i]) + std::string(key::Enter));
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult start_players(Terminal &t, const std::vector<std::string> &names) {
    auto answered = answer_title_screen(t, names);
    if (!answered) return answered;
    return wait_for_screen(t, Screen::Move);
}

::testing::AssertionResult hurry_to_a_person(Terminal &t, const std::function<bool()> &at_pause) {
    const auto deadline = std::chrono::steady_clock::now() + Millis{120000};
    for (;;) {
        if (!t.running()) return ::testing::AssertionFailure() << "the game ended\n" << t.dump();
        if (t.awaiting_key()) return ::testing::AssertionSuccess();
        if (t.pausing()) {
            if (at_pause && !at_pause()) return ::testing::AssertionSuccess();
            t.type(" ");
        }
        if (std::chrono::steady_clock::now() > deadline)
            return ::testing::AssertionFailure() << "no person was asked for a key\n" << t.dump();
        t.wait_until_quiet(Millis{2}, Millis{20});
    }
}

std::optional<std::string> answer_for(const Terminal &t, const Answers &answers) {
    switch (screen_of(t)) {
        case Screen::Announcement: return std::string(" ");
        case Screen::Trade: return answers.trade();
        case Screen::Move: return answers.move();
        default: return std::nullopt;
    }
}

::testing::AssertionResult answer_until(Terminal &t, const std::function<bool()> &arrived,
                                        const Answers &answers, int max_keys) {
    for (int keys = 0; keys < max_keys; ++keys) {
        auto settled = answers.computers ? hurry_to_a_person(t,
                                                             [&] {
                                                                 if (answers.at_pause) answers.at_pause();
                                                                 return true;
                                                             })
                                         : t.wait_for_key_request();
        if (!settled) return settled;
        if (arrived()) return ::testing::AssertionSuccess();
        if (screen_of(t) == Screen::Final)
            return ::testing::AssertionFailure() << "the game ended first\n" << t.dump();
        const auto keys_typed = answer_for(t, answers);
        if (!keys_typed) return ::testing::AssertionFailure() << "unexpected screen:\n" << t.dump();
        t.type(*keys_typed);
    }
    return ::testing::AssertionFailure() << "not there after " << max_keys << " answers\n" << t.dump();
}

std::string text_at(const Terminal &t, int row, int col, int length) {
    std::string text;
    for (int c = col; c < col + length; ++c) text += t.cell(row, c).ch;
    return text;
}

::testing::AssertionResult ended_with(Terminal &t, int code, std::string_view error, Millis timeout) {
    const auto status = t.wait_exit(timeout);
    if (!status) return ::testing::AssertionFailure() << "still running\n" << t.dump();
    if (*status != ExitStatus::exited(code)) {
        return ::testing::AssertionFailure() << "ended with " << *status << ", not status " << code << "\n"
                                             << t.dump();
    }
    if (t.stderr_text() != error) {
        return ::testing::AssertionFailure() << "standard error " << ::testing::PrintToString(t.stderr_text())
                                             << ", not " << ::testing::PrintToString(std::string(error));
    }
    return t.modes_restored();
}

::testing::AssertionResult valid_utf8(const std::string &text) {
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (utf8 == static_cast<locale_t>(nullptr)) return ::testing::AssertionFailure() << "no C.UTF-8 locale";
    const locale_t previous = uselocale(utf8);
    std::size_t at = 0;
    while (at < text.size()) {
        wchar_t wide = 0;
        std::mbstate_t state{};
        const std::size_t length = std::mbrtowc(&wide, text.data() + at, text.size() - at, &state);
        if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) ||
            wide > 0x10FFFF || (wide >= 0xD800 && wide <= 0xDFFF)) {
            break;
        }
        at += length == 0 ? 1 : length;
    }
    uselocale(previous);
    freelocale(utf8);
    if (at == text.size()) return ::testing::AssertionSuccess();
    // The bytes before the fault too, so the message tells what was being written.
    const std::size_t from = at > 64 ? at - 64 : 0;
    return ::testing::AssertionFailure() << "no valid UTF-8 at byte " << at << " of " << text.size() << ": "
                                         << ::testing::PrintToString(text.substr(at, 8)) << ", after "
                                         << ::testing::PrintToString(text.substr(from, at - from));
}

// The game's own generate_galaxy, run on a game of this process's.
std::vector<std::string> galaxy_for_seed(unsigned seed) {
    Game drawn{};
    std::srand(seed);
    generate_galaxy(drawn, c_library_random());
    const std::string cells(drawn.galaxy, MAP_CELLS);
    std::vector<std::string> rows;
    for (int row = 0; row < map_height; ++row) {
        rows.push_back(
            cells.substr(static_cast<std::size_t>(row * map_width), static_cast<std::size_t>(map_width)));
    }
    return rows;
}

}  // namespace e2e
