// Renders the terminal's cells as SVG: one rectangle per run of a background
// colour, one text element per run of a text style, each run stretched to
// exactly its cells so that any monospace font keeps the columns.
#include "support/svg.h"

#include <cstdio>
#include <sstream>

namespace e2e {
namespace {

constexpr int CELL_WIDTH = 9;
constexpr int CELL_HEIGHT = 18;
constexpr int FONT_SIZE = 15;
constexpr int BASELINE = 14;  // from the top of a cell
constexpr int DEFAULT_FG = -1;
constexpr int DEFAULT_BG = -1;
constexpr const char *DEFAULT_FG_COLOUR = "#d0d0d0";
constexpr const char *DEFAULT_BG_COLOUR = "#000000";

// xterm's colours: the 16 named ones, the 6 x 6 x 6 cube, the grey ramp.
std::string palette_colour(int index, bool foreground) {
    static constexpr unsigned NAMED[16] = {0x000000, 0xcd0000, 0x00cd00, 0xcdcd00, 0x0000ee, 0xcd00cd,
                                           0x00cdcd, 0xe5e5e5, 0x7f7f7f, 0xff0000, 0x00ff00, 0xffff00,
                                           0x5c5cff, 0xff00ff, 0x00ffff, 0xffffff};
    unsigned rgb = 0;
    if (index < 0 || index > 255) {
        return foreground ? DEFAULT_FG_COLOUR : DEFAULT_BG_COLOUR;
    } else if (index < 16) {
        rgb = NAMED[index];
    } else if (index < 232) {
        const auto level = [](int step) { return step == 0 ? 0u : static_cast<unsigned>(55 + step * 40); };
        const int cube = index - 16;
        rgb = level(cube / 36) << 16 | level(cube / 6 % 6) << 8 | level(cube % 6);
    } else {
        const auto grey = static_cast<unsigned>(8 + (index - 232) * 10);
        rgb = grey << 16 | grey << 8 | grey;
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", rgb);
    return text;
}

// What a cell looks like once reverse video has swapped its colours.
struct Look {
    std::string fg;
    std::string bg;
    bool bold = false;
    bool underline = false;
    bool blink = false;
    bool operator==(const Look &) const = default;
};

Look look_of(const Cell &cell) {
    Look look;
    look.fg = palette_colour(cell.fg == DEFAULT_FG ? -1 : cell.fg, true);
    look.bg = palette_colour(cell.bg == DEFAULT_BG ? -1 : cell.bg, false);
    if (cell.reverse) std::swap(look.fg, look.bg);
    look.bold = cell.bold;
    look.underline = cell.underline;
    look.blink = cell.blink;
    return look;
}

void append_escaped(std::string &out, const std::string &text) {
    for (const char ch : text) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += ch;
        }
    }
}

void background_row(std::ostringstream &out, const Terminal &t, int row) {
    int col = 0;
    while (col < t.cols()) {
        const std::string bg = look_of(t.cell(row, col)).bg;
        int end = col + 1;
        while (end < t.cols() && look_of(t.cell(row, end)).bg == bg) ++end;
        if (bg != DEFAULT_BG_COLOUR)
            out << "<rect x=\"" << col * CELL_WIDTH << "\" y=\"" << row * CELL_HEIGHT << "\" width=\""
                << (end - col) * CELL_WIDTH << "\" height=\"" << CELL_HEIGHT << "\" fill=\"" << bg
                << "\"/>\n";
        col = end;
    }
}

void text_row(std::ostringstream &out, const Terminal &t, int row) {
    int col = 0;
    while (col < t.cols()) {
        const Look look = look_of(t.cell(row, col));
        std::string text;
        bool blank = true;
        int end = col;
        for (; end < t.cols(); ++end) {
            const Cell cell = t.cell(row, end);
            const Look other = look_of(cell);
            if (other.fg != look.fg || other.bold != look.bold || other.underline != look.underline ||
                other.blink != look.blink)
                break;
            text += cell.ch;  // "" for the right half of a wide character
            if (cell.ch != " " && !cell.ch.empty()) blank = false;
        }
        // Blanks at either end of a run are left to the background.
        int first = col;
        int last = end;
        if (!look.underline) {
            while (first < last && t.cell(row, first).ch == " ") ++first;
            while (last > first && t.cell(row, last - 1).ch == " ") --last;
            text.clear();
            for (int c = first; c < last; ++c) text += t.cell(row, c).ch;
        }
        if (!blank || look.underline) {
            out << "<text x=\"" << first * CELL_WIDTH << "\" y=\"" << row * CELL_HEIGHT + BASELINE
                << "\" textLength=\"" << (last - first) * CELL_WIDTH
                << "\" lengthAdjust=\"spacingAndGlyphs\"";
            if (look.fg != DEFAULT_FG_COLOUR) out << " fill=\"" << look.fg << "\"";
            if (look.bold) out << " font-weight=\"bold\"";
            if (look.underline) out << " text-decoration=\"underline\"";
            out << ">";
            std::string escaped;
            append_escaped(escaped, text);
            out << escaped;
            if (look.blink)
                out << "<animate attributeName=\"opacity\" values=\"1;0\" dur=\"1s\" calcMode=\"discrete\""
                       " repeatCount=\"indefinite\"/>";
            out << "</text>\n";
        }
        col = end;
    }
}

}  // namespace

std::string screen_svg(const Terminal &t, std::string_view title) {
    const int width = t.cols() * CELL_WIDTH;
    const int height = t.rows() * CELL_HEIGHT;
    std::ostringstream out;
    std::string escaped_title;
    append_escaped(escaped_title, std::string(title));
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << " " << height
        << "\" font-family=\"DejaVu Sans Mono, Menlo, Consolas, "
        << "monospace\" font-size=\"" << FONT_SIZE << "\" fill=\"" << DEFAULT_FG_COLOUR
        << "\" xml:space=\"preserve\">\n"
        << "<title>" << escaped_title << "</title>\n"
        << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"" << DEFAULT_BG_COLOUR
        << "\"/>\n";
    for (int row = 0; row < t.rows(); ++row) background_row(out, t, row);
    for (int row = 0; row < t.rows(); ++row) text_row(out, t, row);
    out << "</svg>\n";
    return out.str();
}

}  // namespace e2e
