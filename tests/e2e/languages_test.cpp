// The game in every language, end to end: a pinned game played in each
// language of po/LINGUAS (and in English, and in a language without a
// catalog) through the screens a player reaches, each checked for English
// messages shown where their translation should be, for windows whose
// borders a text has run over, for titles that do not fit their border or
// stand off centre, and for texts cut short. The screens are a table, so a
// screen is checked in every language by adding a row. A damaged catalog
// leaves the game in English, and the yes letter of a translation quits.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "screens/screens.h"
#include "support/catalog.h"
#include "support/game_driver.h"

namespace e2e {
namespace {

// A window's frame on the 25 x 80 screen: its corners, the character of its
// sides and of its top and bottom edges.
struct Frame {
    const char *name;
    int top;
    int left;
    int rows;
    int cols;
    const char *side;
    const char *edge;
};

constexpr Frame MAP{"map", 1, 1, 12, 38, "|", "-"};
constexpr Frame GENERAL{"general window", 13, 1, 11, 78, "|", "/"};
constexpr Frame HELP{"help window", 5, 3, 16, 74, "|", "="};
constexpr Frame QUIT{"quit window", 5, 19, 5, 42, "|", "="};
constexpr Frame STANDINGS{"standings", 5, 10, 10, 60, "|", "="};
constexpr Frame FINAL_STANDINGS{"final standings", 5, 10, 12, 60, "|", "="};
constexpr Frame CHART{"chart window", 5, 1, 16, 78, "|", "="};

// The columns a text takes at (row, col) when the screen shows it there
// whole, else -1. A wide character takes its cell and the empty one after it.
int shown_at(const Terminal &t, int row, int col, const std::string &text) {
    const int start = col;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (col >= t.cols() || t.cell(row, col).ch != text.substr(i, length)) return -1;
        ++col;
        if (col < t.cols() && t.cell(row, col).ch.empty()) ++col;
        i += length;
    }
    return col - start;
}

// The first column where a row shows `text`, or -1.
int column_of(const Terminal &t, int row, const std::string &text) {
    for (int col = 0; col < t.cols(); ++col) {
        if (shown_at(t, row, col, text) >= 0) return col;
    }
    return -1;
}

// Whether `text` stands whole on `row`, centred within `width` columns from
// `left` as the game centres a text.
::testing::AssertionResult centred(const Terminal &t, int row, int left, int width, const std::string &text) {
    const int col = column_of(t, row, text);
    if (col < 0) return ::testing::AssertionFailure() << "row " << row << " does not show \"" << text << "\"";
    const int columns = shown_at(t, row, col, text);
    if (col != left + (width - columns) / 2) {
        return ::testing::AssertionFailure() << "\"" << text << "\" stands at column " << col
                                             << ", not centred at " << left + (width - columns) / 2;
    }
    return ::testing::AssertionSuccess();
}

// Whether a window's frame is whole: its corners, both sides on every row,
// its bottom edge, and its top edge but for its title, which stands centred
// (nullopt: any title, left unchecked).
::testing::AssertionResult frame_intact(const Terminal &t, const Frame &frame,
                                        const std::optional<std::string> &title) {
    const int bottom = frame.top + frame.rows - 1;
    const int right = frame.left + frame.cols - 1;
    auto fail = [&](int row, int col, const std::string &what) {
        return ::testing::AssertionFailure() << "the " << frame.name << "'s " << what << " at (" << row
                                             << ", " << col << ") shows \"" << t.cell(row, col).ch << "\"";
    };
    const struct {
        int row, col;
        const char *corner;
    } corners[] = {{frame.top, frame.left, "┌"},
                   {frame.top, right, "┐"},
                   {bottom, frame.left, "└"},
                   {bottom, right, "┘"}};
    for (const auto &corner : corners) {
        if (t.cell(corner.row, corner.col).ch != corner.corner) return fail(corner.row, corner.col, "corner");
    }
    for (int row = frame.top + 1; row < bottom; ++row) {
        if (t.cell(row, frame.left).ch != frame.side) return fail(row, frame.left, "left side");
        if (t.cell(row, right).ch != frame.side) return fail(row, right, "right side");
    }
    for (int col = frame.left + 1; col < right; ++col) {
        if (t.cell(bottom, col).ch != frame.edge) return fail(bottom, col, "bottom edge");
    }
    if (!title) return ::testing::AssertionSuccess();
    auto placed = centred(t, frame.top, frame.left, frame.cols, *title);
    if (!placed) return placed << " (the " << frame.name << "'s title)";
    const int first = column_of(t, frame.top, *title);
    const int end = first + shown_at(t, frame.top, first, *title);
    for (int col = frame.left + 1; col < right; ++col) {
        if ((col < first || col >= end) && t.cell(frame.top, col).ch != frame.edge)
            return fail(frame.top, col, "top edge");
    }
    return ::testing::AssertionSuccess();
}

// Whether every row inside a window keeps a blank column beside each side:
// a text that runs past its field would fill it.
::testing::AssertionResult margins_blank(const Terminal &t, const Frame &frame) {
    for (int row = frame.top + 1; row < frame.top + frame.rows - 1; ++row) {
        for (const int col : {frame.left + 1, frame.left + frame.cols - 2}) {
            if (t.cell(row, col).ch != " ") {
                return ::testing::AssertionFailure()
                       << "the " << frame.name << "'s text runs into its margin at (" << row << ", " << col
                       << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Whether every row inside a window that shows something shows it centred,
// as an announcement's rows are.
::testing::AssertionResult rows_centred(const Terminal &t, const Frame &frame) {
    for (int row = frame.top + 1; row < frame.top + frame.rows - 1; ++row) {
        int first = -1;
        int last = -1;
        for (int col = frame.left + 1; col < frame.left + frame.cols - 1; ++col) {
            if (t.cell(row, col).ch == " ") continue;
            if (first < 0) first = col;
            last = col;
        }
        if (first < 0) continue;
        if (t.cell(row, last + 1).ch.empty()) ++last;  // a wide character's right half
        const int width = last - first + 1;
        if (first != frame.left + (frame.cols - width) / 2) {
            return ::testing::AssertionFailure() << "row " << row << " of the " << frame.name
                                                 << " is not centred: it begins at column " << first;
        }
    }
    return ::testing::AssertionSuccess();
}

// The frame of the modal window that stands at row 5 (the standings, the
// company report), found by its corners.
std::optional<Frame> dialog_frame(const Terminal &t, const char *name) {
    constexpr int TOP = 5;
    int left = -1;
    int right = -1;
    for (int col = 0; col < t.cols(); ++col) {
        if (t.cell(TOP, col).ch == "┌" && left < 0) left = col;
        if (t.cell(TOP, col).ch == "┐") right = col;
    }
    if (left < 0 || right < left) return std::nullopt;
    for (int row = TOP + 1; row < t.rows(); ++row) {
        if (t.cell(row, left).ch == "└")
            return Frame{name, TOP, left, row - TOP + 1, right - left + 1, "|", "="};
    }
    return std::nullopt;
}

// Whether a table's header row shows each of its words whole, in order from
// left to right, each apart from the next, between `left` and `end`.
::testing::AssertionResult header_words(const Terminal &t, int row, int left, int end,
                                        const std::vector<std::string> &words) {
    int after = left;
    for (const std::string &word : words) {
        int col = -1;
        for (int c = after; c < end && col < 0; ++c) {
            if (shown_at(t, row, c, word) >= 0) col = c;
        }
        if (col < 0) {
            return ::testing::AssertionFailure()
                   << "row " << row << " does not show the header word \"" << word << "\" whole after column "
                   << after << " and before " << end;
        }
        after = col + shown_at(t, row, col, word) + 1;
        if (after > end + 1)
            return ::testing::AssertionFailure() << "\"" << word << "\" runs past column " << end;
    }
    return ::testing::AssertionSuccess();
}

// The pieces of an English message a screen could show on its own: its
// lines, cut at its printf directives, without the blanks at their ends.
std::vector<std::string> english_pieces(const std::string &msgid) {
    std::vector<std::string> pieces;
    for (const std::string &line : lines_of(msgid)) {
        std::string piece;
        auto keep = [&] {
            const auto first = piece.find_first_not_of(' ');
            const auto last = piece.find_last_not_of(' ');
            if (first != std::string::npos) pieces.push_back(piece.substr(first, last - first + 1));
            piece.clear();
        };
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '%') {
                piece += line[i];
                continue;
            }
            keep();
            while (i + 1 < line.size() &&
                   std::string("-+ #0123456789.").find(line[i + 1]) != std::string::npos)
                ++i;
            ++i;
        }
        keep();
    }
    return pieces;
}

// Whether the screen shows no English message where the catalog has its
// translation: a piece of a translated message's English text of two words
// or more, which its translation does not hold, found on the screen.
::testing::AssertionResult nothing_untranslated(const Terminal &t, const Catalog &catalog) {
    const std::string screen = t.screen_text();
    for (const auto &[msgid, msgstr] : catalog.translated()) {
        for (const std::string &piece : english_pieces(msgid)) {
            if (piece.size() < 8 || piece.find(' ') == std::string::npos) continue;
            if (msgstr.find(piece) != std::string::npos || screen.find(piece) == std::string::npos) continue;
            return ::testing::AssertionFailure() << "the English \"" << piece << "\" of the message \""
                                                 << msgid << "\" stands untranslated on the screen:\n"
                                                 << t.dump();
        }
    }
    return ::testing::AssertionSuccess();
}

// One language's game: the catalog the test reads, and the game running in
// that language.
struct Game {
    Catalog catalog;
    Terminal &t;
    std::string tr(const std::string &msgid) const { return catalog.tr(msgid); }
};

// A screen of the pinned game: the keys that lead to it from the one before,
// and what it must show.
struct Screen {
    const char *name;
    std::function<void(Game &)> reach;
    std::function<void(Game &)> check;
};

// The help window's headings, page by page, from the move prompt.
const char *const HELP_HEADINGS[] = {"Keys at the move prompt", "Claiming a sector",
                                     "Mergers, splits and black holes", "Dividends and the end of the game"};

void check_help_page(Game &g, int page) {
    const Terminal &t = g.t;
    EXPECT_TRUE(frame_intact(t, HELP, fill(g.tr(" Help: page %d of %d "), {std::to_string(page), "4"})))
        << t.dump();
    EXPECT_TRUE(margins_blank(t, HELP)) << t.dump();
    EXPECT_GE(shown_at(t, HELP.top + 2, HELP.left + 2, g.tr(HELP_HEADINGS[page - 1])), 0)
        << "the heading of page " << page << "\n"
        << t.dump();
    const char *footer =
        page < 4 ? "Press any key for the next page, Escape to close..." : "Press any key to continue...";
    EXPECT_TRUE(centred(t, HELP.top + 14, HELP.left, HELP.cols, g.tr(footer))) << t.dump();
}

// The words of a table's header, translated.
std::vector<std::string> words(const Game &g, std::initializer_list<const char *> msgids) {
    std::vector<std::string> translated;
    for (const char *msgid : msgids) translated.push_back(g.tr(msgid));
    return translated;
}

// The translation of a format up to its first directive, filled with `name`
// where it begins with one: what a screen shows of it before a figure.
std::string shown_before_figure(const Game &g, const char *format, const std::string &name = "") {
    std::string text = g.tr(format);
    const auto name_at = text.find("%s");
    if (name_at != std::string::npos) text.replace(name_at, 2, name);
    const auto figure = text.find('%');
    text = text.substr(0, figure);
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Whether the general window shows `msgid`'s translation on its top border.
bool titled(const Game &g, const char *msgid) { return column_of(g.t, GENERAL.top, g.tr(msgid)) >= 0; }

// The company report and the standings, opened from the trading dialog and
// closed again: each fits its frame under its title, its header words whole
// and in order over the table.
void check_reports(Game &g) {
    const struct {
        const char *key;
        const char *title;
        std::vector<const char *> header;
    } windows[] = {
        {"C", " Detailed Company Information ", {"Company name", "Price", "Size", "Total Worth"}},
        {"S", " Current Standings ", {"Player", "Stock Value", "Cash", "Net Worth"}},
    };
    for (const auto &window : windows) {
        SCOPED_TRACE(window.title);
        g.t.type(window.key);
        ASSERT_TRUE(g.t.wait_for_key_request());
        const auto frame = dialog_frame(g.t, window.title);
        ASSERT_TRUE(frame.has_value()) << g.t.dump();
        const std::string title = window.key[0] == 'S' ? " " + g.tr(window.title) + " " : g.tr(window.title);
        EXPECT_TRUE(frame_intact(g.t, *frame, title)) << g.t.dump();
        EXPECT_TRUE(margins_blank(g.t, *frame)) << g.t.dump();
        std::vector<std::string> header;
        for (const char *word : window.header) header.push_back(g.tr(word));
        EXPECT_TRUE(header_words(g.t, frame->top + 2, frame->left + 1, frame->left + frame->cols - 1, header))
            << g.t.dump();
        EXPECT_TRUE(nothing_untranslated(g.t, g.catalog));
        g.t.type(" ");
        ASSERT_TRUE(g.t.wait_for_key_request());
    }
}

// The trading dialog's first visit: its line under the title, the report
// and the standings over it, its help, and an amount out of bounds.
void check_trading(Game &g) {
    EXPECT_TRUE(frame_intact(g.t, GENERAL, std::nullopt)) << g.t.dump();
    EXPECT_TRUE(centred(g.t, GENERAL.top + 1, GENERAL.left, GENERAL.cols,
                        g.tr("Arrow keys to select a company, return to trade, escape when done:")))
        << g.t.dump();
    check_reports(g);
    if (::testing::Test::HasFatalFailure()) return;
    g.t.type("?");
    ASSERT_TRUE(g.t.wait_for_key_request());
    EXPECT_GE(shown_at(g.t, HELP.top + 2, HELP.left + 2, g.tr("Keys in the trading dialog")), 0)
        << g.t.dump();
    for (int page = 1; page <= 4; ++page) {
        EXPECT_TRUE(frame_intact(g.t, HELP, fill(g.tr(" Help: page %d of %d "), {std::to_string(page), "4"})))
            << g.t.dump();
        EXPECT_TRUE(margins_blank(g.t, HELP)) << g.t.dump();
        EXPECT_TRUE(nothing_untranslated(g.t, g.catalog));
        g.t.type(" ");
        ASSERT_TRUE(g.t.wait_for_key_request());
    }
    // The amount prompt stands on the selected company's row, its field
    // inside the border; an amount beyond every bound is refused.
    g.t.type(key::Enter);
    ASSERT_TRUE(g.t.wait_for_key_request());
    const Position field = g.t.cursor();
    const std::string prompt = g.t.row_text(field.row);
    EXPECT_TRUE(prompt.find(shown_before_figure(g, "Amount (%d to %d): ")) != std::string::npos ||
                prompt.find(shown_before_figure(g, "(%d to %d): ")) != std::string::npos)
        << g.t.dump();
    EXPECT_LE(field.col + 9, GENERAL.left + GENERAL.cols - 1) << "the amount's field runs over the border";
    EXPECT_TRUE(nothing_untranslated(g.t, g.catalog));
    g.t.type("99999999\r");
    EXPECT_TRUE(g.t.wait_for_screen_contains(g.tr("Invalid amount!")));
    EXPECT_TRUE(margins_blank(g.t, GENERAL)) << g.t.dump();
    ASSERT_TRUE(g.t.wait_for_key_request());
}

// Plays the pinned game on from the move prompt, always the first offer,
// until it has shown the founding of a company, a merger and its stock
// table, a split and a black hole, and checks every screen on the way:
// announcements centred inside their frame, the stock table's and the
// panel's header words whole and in order, the trading dialog (the first
// time: with its windows, its help and an amount refused), nothing English.
// It stops at a move prompt.
void play_through(Game &g) {
    std::map<std::string, bool> seen = {{"A new shipping company has been formed!", false},
                                        {"has just been merged into", false},
                                        {" Stock Transactions ", false},
                                        {"has split two-for-one!", false},
                                        {"has been sucked into a black hole!", false}};
    const auto all_seen = [&] {
        return std::all_of(seen.begin(), seen.end(), [](const auto &kind) { return kind.second; });
    };
    bool traded = false;
    const std::string move_prompt = shown_before_figure(g, " %s, enter your move [1-%d]: ", "Ann");
    for (int keys = 0; keys < 400; ++keys) {
        ASSERT_TRUE(g.t.wait_for_key_request());
        EXPECT_TRUE(nothing_untranslated(g.t, g.catalog));
        if (::testing::Test::HasFailure()) return;
        const std::string screen = g.t.screen_text();
        if (titled(g, " Special Announcement! ")) {
            for (auto &[msgid, shown] : seen)
                shown = shown || screen.find(g.tr(msgid.c_str())) != std::string::npos;
            EXPECT_TRUE(frame_intact(g.t, GENERAL, g.tr(" Special Announcement! "))) << g.t.dump();
            EXPECT_TRUE(margins_blank(g.t, GENERAL)) << g.t.dump();
            EXPECT_TRUE(rows_centred(g.t, GENERAL)) << g.t.dump();
            g.t.type(" ");
        } else if (titled(g, " Stock Transactions ")) {
            seen[" Stock Transactions "] = true;
            EXPECT_TRUE(frame_intact(g.t, GENERAL, g.tr(" Stock Transactions "))) << g.t.dump();
            EXPECT_TRUE(margins_blank(g.t, GENERAL)) << g.t.dump();
            EXPECT_TRUE(
                header_words(g.t, GENERAL.top + 2, GENERAL.left + 1, GENERAL.left + GENERAL.cols - 2,
                             words(g, {"Player", "Old Stock", "New Stock", "Total Holdings", "Bonus"})))
                << g.t.dump();
            g.t.type(" ");
        } else if (screen.find(g.tr("Arrow keys to select a company, return to trade, escape when done:")) !=
                   std::string::npos) {
            if (!traded) {
                traded = true;
                check_trading(g);
                if (::testing::Test::HasFatalFailure()) return;
            }
            g.t.type(key::Escape);
        } else if (g.t.row_text(GENERAL.top + 2).find(move_prompt) != std::string::npos) {
            EXPECT_TRUE(frame_intact(g.t, GENERAL, std::nullopt)) << g.t.dump();
            EXPECT_TRUE(header_words(g.t, 1, 39, 80, words(g, {"Company", "Price", "Holdings"})))
                << g.t.dump();
            EXPECT_LE(g.t.cursor().col, GENERAL.left + GENERAL.cols - 2) << "the prompt runs into the border";
            if (all_seen()) return;
            g.t.type("1");
        } else {
            FAIL() << "a screen the test does not know\n" << g.t.dump();
        }
    }
    std::string missing;
    for (const auto &[msgid, shown] : seen) {
        if (!shown) missing += " \"" + msgid + "\"";
    }
    FAIL() << "the pinned game never showed" << missing << "\n" << g.t.dump();
}

// The screens, in the order the pinned one-player game reaches them.
const std::vector<Screen> &screens() {
    static const std::vector<Screen> table = {
        {"title screen", [](Game &g) { ASSERT_TRUE(g.t.wait_for_key_request()); },
         [](Game &g) {
             for (int i = 0; i < 3; ++i)
                 EXPECT_TRUE(centred(g.t, 20 + i, 0, 80, g.tr(NOTICE_LINES[i]))) << g.t.dump();
             EXPECT_TRUE(
                 centred(g.t, 9, 0, 80, fill(g.tr("Please enter the number of players [1-%d]: "), {"4"})))
                 << g.t.dump();
             EXPECT_TRUE(
                 centred(g.t, 16, 0, 80,
                         g.tr("Alone? Choose 2, then press Tab at the second name: the computer plays it")))
                 << g.t.dump();
             EXPECT_TRUE(centred(g.t, 17, 0, 80, g.tr("?: help during the game"))) << g.t.dump();
         }},
        {"name prompt",
         [](Game &g) {
             g.t.type("1");
             ASSERT_TRUE(g.t.wait_for_key_request());
         },
         [](Game &g) {
             EXPECT_TRUE(centred(g.t, 16, 0, 80, g.tr("Tab: the computer plays this seat"))) << g.t.dump();
             // The prompt stands 8 columns left of the centre; the longest
             // name after it stays inside the frame.
             const std::string prompt = fill(g.tr("Player %d, enter your name: "), {"1"});
             const int col = column_of(g.t, 11, prompt);
             ASSERT_GE(col, 0) << g.t.dump();
             const int columns = shown_at(g.t, 11, col, prompt);
             EXPECT_EQ(col, (80 - columns - 8) / 2) << g.t.dump();
             EXPECT_EQ(g.t.cursor(), (Position{11, col + columns})) << "the cursor after the prompt";
             EXPECT_LE(col + columns + 20, 78) << "a 20-column name would run into the frame";
         }},
        {"move prompt",
         [](Game &g) {
             g.t.type("Ann\r");
             ASSERT_TRUE(g.t.wait_for_key_request());
         },
         [](Game &g) {
             EXPECT_TRUE(frame_intact(g.t, MAP, g.tr(" Map "))) << g.t.dump();
             EXPECT_TRUE(frame_intact(g.t, GENERAL, fill(g.tr(" %s (Cash: $%d) "), {"Ann", "6000"})))
                 << g.t.dump();
         }},
        {"help pages",
         [](Game &g) {
             g.t.type("?");
             ASSERT_TRUE(g.t.wait_for_key_request());
         },
         [](Game &g) {
             for (int page = 1; page <= 4; ++page) {
                 SCOPED_TRACE("help page " + std::to_string(page));
                 if (page > 1) {
                     g.t.type(" ");
                     ASSERT_TRUE(g.t.wait_for_key_request());
                 }
                 check_help_page(g, page);
                 EXPECT_TRUE(nothing_untranslated(g.t, g.catalog));
             }
             g.t.type(" ");
             ASSERT_TRUE(g.t.wait_for_key_request());
         }},
        {"standings",
         [](Game &g) {
             g.t.type("S");
             ASSERT_TRUE(g.t.wait_for_key_request());
         },
         [](Game &g) {
             EXPECT_TRUE(frame_intact(g.t, STANDINGS, " " + g.tr(" Current Standings ") + " ")) << g.t.dump();
             g.t.type(" ");
             ASSERT_TRUE(g.t.wait_for_key_request());
         }},
        {"quit question",
         [](Game &g) {
             g.t.type("Q");
             ASSERT_TRUE(g.t.wait_for_key_request());
         },
         [](Game &g) {
             const std::string question = g.tr("Are you sure you want to quit (y/n)? ");
             EXPECT_TRUE(frame_intact(g.t, QUIT, g.tr(" Really Quit? "))) << g.t.dump();
             const int columns = shown_at(g.t, QUIT.top + 2, QUIT.left + 2, question);
             EXPECT_GE(columns, 0) << g.t.dump();
             EXPECT_EQ(g.t.cursor(), (Position{QUIT.top + 2, QUIT.left + 2 + columns}))
                 << "the cursor after the question";
             EXPECT_LE(QUIT.left + 2 + columns, QUIT.left + QUIT.cols - 2)
                 << "the question runs into the border";
             g.t.type("n");
             ASSERT_TRUE(g.t.wait_for_key_request());
         }},
        {"the game's screens", [](Game &) {}, play_through},
        {"final standings after the yes letter",
         [](Game &g) {
             g.t.type("Q");
             ASSERT_TRUE(g.t.wait_for_key_request());
             g.t.type(g.tr("y"));
             ASSERT_TRUE(g.t.wait_for_key_request());
         },
         [](Game &g) {
             EXPECT_TRUE(
                 frame_intact(g.t, FINAL_STANDINGS, " " + g.tr(" GAME OVER - Final Standings ") + " "))
                 << g.t.dump();
             EXPECT_TRUE(margins_blank(g.t, FINAL_STANDINGS)) << g.t.dump();
             EXPECT_TRUE(centred(g.t, FINAL_STANDINGS.top + 10, FINAL_STANDINGS.left, FINAL_STANDINGS.cols,
                                 g.tr("R: the record, G: the chart, any other key ends the game")))
                 << g.t.dump();
             // The chart over them, and back.
             g.t.type("g");
             ASSERT_TRUE(g.t.wait_for_key_request());
             EXPECT_TRUE(frame_intact(g.t, CHART, g.tr(" Net worth by turn "))) << g.t.dump();
             EXPECT_TRUE(margins_blank(g.t, CHART)) << g.t.dump();
             EXPECT_TRUE(nothing_untranslated(g.t, g.catalog));
             g.t.type(" ");
             ASSERT_TRUE(g.t.wait_for_key_request());
             EXPECT_TRUE(
                 frame_intact(g.t, FINAL_STANDINGS, " " + g.tr(" GAME OVER - Final Standings ") + " "))
                 << g.t.dump();
             g.t.type(" ");
             EXPECT_TRUE(ended_with(g.t, 2, ""));
         }},
    };
    return table;
}

// A language to play in: "" for English (LANGUAGE unset), else the value of
// LANGUAGE.
class Languages : public ::testing::TestWithParam<std::string> {};

// A language no catalog will ever have: "qaa" is the first code ISO 639
// keeps for local use.
constexpr const char *NO_CATALOG = "qaa";

TEST_P(Languages, EveryScreenFitsAndIsTranslated) {
    Options options;
    options.args = {"-m"};
    options.pin_clock = PinnedClock{2026, 1210};
    options.env["LANG"] = "C.UTF-8";
    if (!GetParam().empty()) options.env["LANGUAGE"] = GetParam();
    Terminal t(options);
    Game g{Catalog(GetParam()), t};
    if (GetParam() != "" && GetParam() != NO_CATALOG) {
        ASSERT_FALSE(g.catalog.empty()) << "no catalog read";
    }
    for (const Screen &screen : screens()) {
        SCOPED_TRACE(screen.name);
        screen.reach(g);
        if (::testing::Test::HasFatalFailure()) return;
        EXPECT_TRUE(nothing_untranslated(t, g.catalog));
        screen.check(g);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

std::vector<std::string> languages() {
    std::vector<std::string> all = {"", NO_CATALOG};  // English, and a language without a catalog
    for (const std::string &language : catalog_languages()) all.push_back(language);
    return all;
}

std::string language_name(const ::testing::TestParamInfo<std::string> &case_info) {
    if (case_info.param.empty()) return "English";
    return case_info.param == NO_CATALOG ? "NoCatalog" : case_info.param;
}

INSTANTIATE_TEST_SUITE_P(Catalogs, Languages, ::testing::ValuesIn(languages()), language_name);

// A copy of the game beside a share/locale of its own, as an installation
// lays them out, with a German catalog made from the built one by `damage`.
class DamagedCatalog
    : public ::testing::TestWithParam<std::pair<const char *, std::function<std::string(std::string)>>> {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/vegatrade-catalog-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        root_ = folder;
        std::filesystem::create_directories(root_ / "bin");
        const auto catalogs = root_ / "bin" / VEGATRADE_LOCALE_FROM_BINARY / "de" / "LC_MESSAGES";
        std::filesystem::create_directories(catalogs);
        std::filesystem::copy_file(VEGATRADE_BINARY, root_ / "bin" / "vegatrade");
        std::ifstream in(std::string(VEGATRADE_BUILD_LOCALEDIR) + "/de/LC_MESSAGES/vegatrade.mo",
                         std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string built = bytes.str();
        ASSERT_GT(built.size(), 100u) << "no built German catalog";
        std::ofstream(catalogs / "vegatrade.mo", std::ios::binary) << GetParam().second(built);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    Options options(std::vector<std::string> args) const {
        Options o;
        o.program = (root_ / "bin" / "vegatrade").string();
        o.args = std::move(args);
        o.env["LANG"] = "C.UTF-8";
        o.env["LANGUAGE"] = "de";
        return o;
    }

    std::filesystem::path root_;
};

TEST_P(DamagedCatalog, LeavesTheGameInEnglish) {
    {
        Terminal t(options({"-x"}));
        EXPECT_TRUE(ended_with(t, 1, "usage: vegatrade [-v|c|m]\n"));
    }
    Terminal t(options({"-m"}));
    ASSERT_TRUE(start_players(t, {"Ann"}));
    ASSERT_TRUE(t.wait_for_key_request());  // the whole screen drawn
    EXPECT_TRUE(frame_intact(t, GENERAL, " Ann (Cash: $6000) ")) << t.dump();
    t.type("Q");
    ASSERT_TRUE(t.wait_for_screen_contains("Are you sure you want to quit (y/n)?"));
    t.type("y");
    ASSERT_TRUE(t.wait_for_screen_contains("GAME OVER - Final Standings"));
    t.type(" ");
    EXPECT_TRUE(ended_with(t, 2, ""));
}

INSTANTIATE_TEST_SUITE_P(
    German, DamagedCatalog,
    ::testing::Values(std::make_pair("Truncated", [](std::string mo) { return mo.substr(0, mo.size() / 2); }),
                      std::make_pair("HeaderOnly", [](std::string mo) { return mo.substr(0, 28); }),
                      std::make_pair("Empty", [](std::string) { return std::string(); }),
                      std::make_pair("NotACatalog",
                                     [](std::string mo) { return std::string(mo.size(), 'x'); })),
    [](const auto &param) { return std::string(param.param.first); });

// The yes letter a translation names quits as Y does: German "j", and
// Russian "д", a letter of two bytes; another letter closes the question.
TEST(YesLetter, OfATranslationQuits) {
    for (const std::string language : {"de", "ru"}) {
        SCOPED_TRACE(language);
        const Catalog catalog(language);
        ASSERT_NE(catalog.tr("y"), "y");
        Options options;
        options.args = {"-m"};
        options.env["LANG"] = "C.UTF-8";
        options.env["LANGUAGE"] = language;
        Terminal t(options);
        ASSERT_TRUE(t.wait_for_key_request());
        t.type("1");
        ASSERT_TRUE(t.wait_for_key_request());
        t.type("Ann\r");
        ASSERT_TRUE(t.wait_for_key_request());
        t.type("Q");
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_GE(column_of(t, QUIT.top + 2, catalog.tr("Are you sure you want to quit (y/n)? ")), 0)
            << t.dump();
        t.type("x");  // any other key closes the question
        ASSERT_TRUE(t.wait_for_key_request());
        EXPECT_EQ(t.screen_text().find(catalog.tr(" Really Quit? ")), std::string::npos) << t.dump();
        t.type("Q");
        ASSERT_TRUE(t.wait_for_key_request());
        t.type(catalog.tr("y"));
        ASSERT_TRUE(t.wait_for_screen_contains(catalog.tr(" GAME OVER - Final Standings ")));
        t.type(" ");
        EXPECT_TRUE(ended_with(t, 2, ""));
    }
}

// A computer seat's name is translated at every strength, in every
// language, with the hint that says what the strength is for; the standings
// show the name beside a person's.
TEST(ComputerName, IsTranslatedWithWhatItDid) {
    for (const std::string &language : catalog_languages()) {
        SCOPED_TRACE(language);
        const Catalog catalog(language);
        const std::string name = fill(catalog.tr("%s (easy)"), {"Deneb"});
        ASSERT_NE(name, "Deneb (easy)");
        Options options;
        options.args = {"-m"};
        options.pin_clock = PinnedClock{2026, 1210};
        options.env["LANG"] = "C.UTF-8";
        options.env["LANGUAGE"] = language;
        Terminal t(options);
        ASSERT_TRUE(t.wait_for_key_request());
        t.type("2");
        ASSERT_TRUE(t.wait_for_key_request());
        t.type("Ann\r");
        // Tab offers the seat at the easiest strength, each further Tab the
        // next harder one and after the hardest the easiest again, each
        // named as translated, inside the frame, with its hint centred on
        // the hint row; Enter takes the one shown.
        const struct {
            const char *format;
            const char *hint;
        } strengths[] = {
            {"%s (easy)", "Easy: for your first games   Tab: harder   Enter: take it"},
            {"%s (casual)", "Casual: once you know the rules   Tab: harder   Enter: take it"},
            {"%s (normal)", "Normal: a fair match   Tab: harder   Enter: take it"},
            {"%s (hard)", "Hard: for seasoned players   Tab: back to easy   Enter: take it"},
            {"%s (easy)", "Easy: for your first games   Tab: harder   Enter: take it"},
        };
        for (const auto &strength : strengths) {
            ASSERT_TRUE(t.wait_for_key_request());
            t.type("\t");
            ASSERT_TRUE(t.wait_for_key_request());
            const std::string shown = fill(catalog.tr(strength.format), {"Deneb"});
            const int col = column_of(t, 12, shown);
            ASSERT_GE(col, 0) << shown << "\n" << t.dump();
            EXPECT_LE(col + shown_at(t, 12, col, shown), 78) << shown << " runs into the frame";
            EXPECT_TRUE(centred(t, 16, 0, 80, catalog.tr(strength.hint))) << t.dump();
        }
        t.type(key::Enter);
        // Ann's move prompt, after the computer's first turn if it has one
        // (its announcements wait for a key).
        const std::string prompt = fill(catalog.tr(" %s, enter your move [1-%d]: "), {"Ann", "5"}).substr(1);
        for (int keys = 0; keys < 10; ++keys) {
            ASSERT_TRUE(t.wait_for_key_request());
            if (t.screen_text().find(prompt) != std::string::npos) break;
            t.type(" ");
        }
        ASSERT_NE(t.screen_text().find(prompt), std::string::npos) << t.dump();
        // Ann moves, trades nothing, and at her next prompt the list of what
        // the computer did since stands under it, translated; R opens the
        // game's record, translated too.
        const std::string since = catalog.tr("Since your last move (R: the game's record):");
        const std::string trading =
            catalog.tr("Arrow keys to select a company, return to trade, escape when done:");
        t.type("1");
        for (int keys = 0; keys < 40; ++keys) {
            ASSERT_TRUE(t.wait_for_key_request());
            const std::string screen = t.screen_text();
            if (screen.find(since) != std::string::npos) break;
            t.type(screen.find(trading) != std::string::npos ? std::string(key::Escape) : std::string(" "));
        }
        ASSERT_NE(t.screen_text().find(since), std::string::npos) << t.dump();
        EXPECT_TRUE(nothing_untranslated(t, catalog));
        // The chart of the worths first, its legend and axis translated.
        t.type("R");
        ASSERT_TRUE(t.wait_for_screen_contains(catalog.tr("a merger")));
        EXPECT_TRUE(nothing_untranslated(t, catalog));
        t.type(" ");
        ASSERT_TRUE(t.wait_for_screen_contains(
            catalog.tr("Newest first. Sector 5C: row 5 from the top, column C from the left.")));
        EXPECT_TRUE(nothing_untranslated(t, catalog));
        t.type(key::Escape);
        ASSERT_TRUE(t.wait_for_key_request());
        t.type("S");
        ASSERT_TRUE(t.wait_for_screen_contains(catalog.tr(" Current Standings ")));
        EXPECT_TRUE(t.wait_for_screen_contains(name)) << t.dump();
    }
}

}  // namespace
}  // namespace e2e
