// Pictures of a screen: the rows a test expects, written as text with
// "{k:text}" markup for cells drawn in a style, compared with the cells a
// screen holds. The in-process tests hand in what curses holds for a
// window, the end-to-end tests what the terminal shows; each names its
// styles in its own words, and the rules of a picture are the same for
// both:
//
// - One leading newline is dropped, and so are blank rows at the end (the
//   line that holds a raw string's closing quote).
// - "{k:" opens a run of cells in the style of key k and "}" closes it; a
//   brace that does not open a key of the legend is text. Runs do not nest.
// - Each character is one cell, and a combining mark (a character of no
//   width) joins the cell before it. A double-width character is written
//   once: the screen hands in no cell for its right half.
// - Without styles only the text counts. With them every marked cell must
//   be in its key's style and every unmarked cell in the plain style.
// - Cells past the end of a row, and rows past the end of the picture,
//   must be blank (and plain); trailing blanks in a picture change nothing.
// - On a mismatch the failure text shows each row that differs, expected
//   and actual, then the whole screen with markup, ready to paste.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace picture {

// One cell as a screen holds it: its text (UTF-8, a character and any
// combining marks) and the name of its style.
struct Cell {
    std::string text = " ";
    std::string style;
    bool operator==(const Cell &) const = default;
};
using Row = std::vector<Cell>;
using Screen = std::vector<Row>;

// The styles a picture may name, each by the name the screen gives its
// cells. Keys with one style are the same to a comparison.
struct Legend {
    bool styled = false;               // whether styles count at all
    std::string plain;                 // the style of unmarked cells
    std::map<char, std::string> keys;  // markup key -> style
};

class Picture {
  public:
    Picture(std::string_view text, Legend legend);

    std::size_t rows() const { return rows_.size(); }

    // Whether the screen shows the picture.
    bool shown_by(const Screen &screen) const;
    // What a failure says: the rows that differ, expected as written and
    // actual with markup, then the whole screen drawn as by draw(), called
    // the `what` ("window", "screen").
    std::string differences(const Screen &screen, std::string_view what) const;

  private:
    struct Line {
        std::string source;  // as written, markup and all
        Row cells;
    };
    bool row_shown(std::size_t index, const Row &actual) const;

    std::vector<Line> rows_;
    Legend legend_;
};

// The screen as a picture with markup for the legend's keys, between R"(
// and )" ready to paste into a test; '?' marks a style no key names, and a
// line "? is STYLE" after the picture names each one.
std::string draw(const Screen &screen, const Legend &legend);

// Appends a code point to UTF-8 text.
void append_utf8(std::string &out, char32_t code);

}  // namespace picture
