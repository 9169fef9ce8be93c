#include "support/picture.h"

#include <locale.h>
#include <wchar.h>

#include <algorithm>
#include <sstream>
#include <utility>

namespace picture {

namespace {

// Decodes the code point at text[i] and advances i; a byte that does not
// start a well-formed sequence stands for itself.
char32_t next_code_point(std::string_view text, std::size_t &i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    char32_t code = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        code = lead & 0x07u;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        code = lead & 0x1Fu;
    }
    if (length == 1 || i + length > text.size()) {
        ++i;
        return lead;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        code = (code << 6) | (byte & 0x3Fu);
    }
    i += length;
    return code;
}

// Whether a code point joins the cell before it: a character of no width
// in a UTF-8 locale, as curses and the terminal both take it, whatever
// locale the test runs in.
bool joins_previous(char32_t code) {
    if (code < 0x80) return false;
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (utf8 == static_cast<locale_t>(nullptr)) return false;
    const locale_t previous = uselocale(utf8);
    const int width = wcwidth(static_cast<wchar_t>(code));
    uselocale(previous);
    return width == 0;
}

bool blank_end(const Cell &cell, const Legend &legend) {
    return cell.text == " " && (!legend.styled || cell.style == legend.plain);
}

// A row with markup: "{k:...}" round the cells in the style of key k, "?"
// for a style that no key names (added to `unknown`). Blanks at the end
// are left out.
std::string render(const Row &row, const Legend &legend, std::vector<std::string> &unknown) {
    std::size_t end = row.size();
    while (end > 0 && blank_end(row[end - 1], legend)) --end;
    std::string out;
    char open = 0;
    for (std::size_t i = 0; i < end; ++i) {
        const Cell &cell = row[i];
        char key = 0;
        if (legend.styled && cell.style != legend.plain) {
            const auto named = std::find_if(legend.keys.begin(), legend.keys.end(),
                                            [&](const auto &entry) { return entry.second == cell.style; });
            key = named != legend.keys.end() ? named->first : '?';
            if (key == '?' && std::find(unknown.begin(), unknown.end(), cell.style) == unknown.end())
                unknown.push_back(cell.style);
        }
        if (key != open) {
            if (open != 0) out += '}';
            if (key != 0) out += std::string{'{', key, ':'};
            open = key;
        }
        out += cell.text;
    }
    if (open != 0) out += '}';
    return out;
}

}  // namespace

Picture::Picture(std::string_view text, Legend legend) : legend_(std::move(legend)) {
    if (!text.empty() && text.front() == '\n') text.remove_prefix(1);
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view source = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        Line line{std::string(source), {}};
        const std::string *style = nullptr;
        for (std::size_t i = 0; i < source.size();) {
            if (style == nullptr && source[i] == '{' && i + 2 < source.size() && source[i + 2] == ':' &&
                legend_.keys.count(source[i + 1]) != 0) {
                style = &legend_.keys.at(source[i + 1]);
                i += 3;
                continue;
            }
            if (style != nullptr && source[i] == '}') {
                style = nullptr;
                ++i;
                continue;
            }
            const char32_t code = next_code_point(source, i);
            if (joins_previous(code) && !line.cells.empty()) {
                append_utf8(line.cells.back().text, code);
                continue;
            }
            Cell cell{"", style != nullptr ? *style : legend_.plain};
            append_utf8(cell.text, code);
            line.cells.push_back(std::move(cell));
        }
        rows_.push_back(std::move(line));
    }
    while (!rows_.empty() && rows_.back().source.find_first_not_of(' ') == std::string::npos)
        rows_.pop_back();
}

bool Picture::row_shown(std::size_t index, const Row &actual) const {
    static const Row none;
    const Row &expected = index < rows_.size() ? rows_[index].cells : none;
    const Cell blank{" ", legend_.plain};
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const Cell &have = i < actual.size() ? actual[i] : blank;
        const Cell &want = i < expected.size() ? expected[i] : blank;
        if (have.text != want.text || (legend_.styled && have.style != want.style)) return false;
    }
    return true;
}

bool Picture::shown_by(const Screen &screen) const {
    if (rows_.size() > screen.size()) return false;
    for (std::size_t r = 0; r < screen.size(); ++r)
        if (!row_shown(r, screen[r])) return false;
    return true;
}

std::string Picture::differences(const Screen &screen, std::string_view what) const {
    std::ostringstream out;
    std::vector<std::string> unknown;
    if (rows_.size() > screen.size()) {
        out << "the picture has " << rows_.size() << " rows, the " << what << ' ' << screen.size() << '\n';
    } else {
        out << "rows that differ:\n";
        for (std::size_t r = 0; r < screen.size(); ++r) {
            if (row_shown(r, screen[r])) continue;
            out << "  row ";
            out.width(2);
            out << r << " expected |" << (r < rows_.size() ? rows_[r].source : "") << "|\n"
                << "         actual   |" << render(screen[r], legend_, unknown) << "|\n";
        }
    }
    out << "the whole " << what << ":\n" << draw(screen, legend_);
    return out.str();
}

std::string draw(const Screen &screen, const Legend &legend) {
    std::vector<std::string> unknown;
    std::string out = "R\"(\n";
    for (const Row &row : screen) out += render(row, legend, unknown) + '\n';
    out += ")\"\n";
    for (const std::string &style : unknown) out += "? is " + style + '\n';
    return out;
}

void append_utf8(std::string &out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace picture
