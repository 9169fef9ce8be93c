// Key-by-key analysis of a program's output on a libvterm screen. Printable
// characters and control sequences are fed to libvterm one at a time, so
// that each rectangle libvterm reports as written is known to come from a
// printed character or from an erase.
#include "perf/output_analysis.h"

#include <vterm.h>

#include <algorithm>
#include <cstdlib>

namespace perf {
namespace {

int damage(VTermRect rect, void *user) {
    static_cast<OutputAnalysis *>(user)->damaged(rect.start_row, rect.end_row, rect.start_col, rect.end_col);
    return 1;
}

// A scroll moves what was written with the text.
int moverect(VTermRect dest, VTermRect src, void *user) {
    static_cast<OutputAnalysis *>(user)->moved(dest.start_row, src.start_row, src.end_row, src.start_col,
                                               src.end_col);
    return 0;  // libvterm then reports the destination as damaged
}

constexpr VTermScreenCallbacks kCallbacks = {&damage, &moverect, nullptr, nullptr,
                                             nullptr, nullptr,   nullptr, nullptr};

unsigned colour_code(const VTermColor &colour, bool foreground) {
    if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&colour) : VTERM_COLOR_IS_DEFAULT_BG(&colour)) return 0;
    if (VTERM_COLOR_IS_INDEXED(&colour)) return 0x100u | colour.indexed.idx;
    return 0x1000000u | (unsigned{colour.rgb.red} << 16) | (unsigned{colour.rgb.green} << 8) |
           colour.rgb.blue;
}

std::size_t digits(int n) { return n < 10 ? 1 : n < 100 ? 2 : n < 1000 ? 3 : 4; }

// The bytes of ESC [ row ; col H, which addresses a cell (1-based).
std::size_t cursor_address_bytes(int row, int col) { return 4 + digits(row + 1) + digits(col + 1); }

ByteKind csi_kind(char final) {
    switch (final) {
        case 'H':
        case 'f':
        case 'A':
        case 'B':
        case 'C':
        case 'D':
        case 'E':
        case 'F':
        case 'G':
        case '`':
        case 'a':
        case 'd':
        case 'e': return ByteKind::Cursor;
        case 'm': return ByteKind::Attributes;
        case 'K':
        case 'J':
        case 'X':
        case 'P':
        case '@':
        case 'L':
        case 'M':
        case 'S':
        case 'T': return ByteKind::Erase;
        case 'b': return ByteKind::Repeat;
        case 'h':
        case 'l':
        case 'r': return ByteKind::Modes;
        default: return ByteKind::Other;
    }
}

ByteKind escape_kind(const std::string &sequence) {
    if (sequence.size() > 2) return ByteKind::Attributes;  // ESC ( 0 and the like: character sets
    switch (sequence.back()) {
        case '7':
        case '8':
        case 'D':
        case 'E':
        case 'M': return ByteKind::Cursor;
        case '=':
        case '>': return ByteKind::Modes;
        default: return ByteKind::Other;
    }
}

ByteKind control_kind(unsigned char byte) {
    switch (byte) {
        case '\b':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r': return ByteKind::Cursor;
        case 0x0E:
        case 0x0F: return ByteKind::Attributes;  // shift out / in: the line-drawing set
        default: return ByteKind::Other;
    }
}

}  // namespace

const char *byte_kind_name(ByteKind kind) {
    switch (kind) {
        case ByteKind::Text: return "text";
        case ByteKind::Cursor: return "cursor";
        case ByteKind::Attributes: return "attributes";
        case ByteKind::Erase: return "erase";
        case ByteKind::Repeat: return "repeat";
        case ByteKind::Modes: return "modes";
        case ByteKind::Other: return "other";
        case ByteKind::Count: break;
    }
    return "?";
}

void OutputAnalysis::VTermDeleter::operator()(VTerm *vt) const { vterm_free(vt); }

OutputAnalysis::OutputAnalysis(int rows, int cols)
    : rows_(rows),
      cols_(cols),
      vt_(vterm_new(rows, cols)),
      touched_(static_cast<std::size_t>(rows * cols), None) {
    vterm_set_utf8(vt_.get(), 1);
    VTermScreen *screen = vterm_obtain_screen(vt_.get());
    vterm_screen_set_callbacks(screen, &kCallbacks, this);
    vterm_screen_set_damage_merge(screen, VTERM_DAMAGE_CELL);
    vterm_screen_enable_altscreen(screen, 1);
    vterm_screen_reset(screen, 1);
}

OutputAnalysis::~OutputAnalysis() = default;

void OutputAnalysis::damaged(int start_row, int end_row, int start_col, int end_col) {
    if (touching_ == None) return;
    for (int row = std::max(start_row, 0); row < std::min(end_row, rows_); ++row)
        for (int col = std::max(start_col, 0); col < std::min(end_col, cols_); ++col)
            touched_[static_cast<std::size_t>(row * cols_ + col)] |= touching_;
}

void OutputAnalysis::moved(int dest_row, int start_row, int end_row, int start_col, int end_col) {
    const std::vector<unsigned char> copy = touched_;
    for (int row = std::max(start_row, 0); row < std::min(end_row, rows_); ++row)
        for (int col = std::max(start_col, 0); col < std::min(end_col, cols_); ++col)
            touched_[static_cast<std::size_t>(row * cols_ + col)] = None;
    for (int row = start_row; row < end_row; ++row) {
        const int to = dest_row + row - start_row;
        if (row < 0 || row >= rows_ || to < 0 || to >= rows_) continue;
        for (int col = std::max(start_col, 0); col < std::min(end_col, cols_); ++col)
            touched_[static_cast<std::size_t>(to * cols_ + col)] =
                copy[static_cast<std::size_t>(row * cols_ + col)];
    }
}

OutputAnalysis::CellValue OutputAnalysis::cell_value(int row, int col) const {
    VTermScreenCell raw{};
    CellValue value;
    vterm_screen_get_cell(vterm_obtain_screen(vt_.get()), VTermPos{row, col}, &raw);
    for (std::size_t i = 0; i < value.chars.size() && raw.chars[i] != 0; ++i) value.chars[i] = raw.chars[i];
    if (value.chars[0] == 0) value.chars[0] = ' ';  // an erased cell shows a blank
    const VTermScreenCellAttrs &a = raw.attrs;
    value.attrs = a.bold | a.underline << 1 | a.italic << 3 | a.blink << 4 | a.reverse << 5 | a.strike << 6 |
                  a.font << 7;
    value.fg = colour_code(raw.fg, true);
    value.bg = colour_code(raw.bg, false);
    return value;
}

std::string OutputAnalysis::text() const {
    std::string text;
    for (int row = 0; row < rows_; ++row) {
        if (row > 0) text += '\n';
        for (int col = 0; col < cols_; ++col) {
            const unsigned ch = cell_value(row, col).chars[0];
            text += ch < 0x80 ? static_cast<char>(ch) : '?';
        }
    }
    return text;
}

void OutputAnalysis::write(std::string_view bytes, Touch how) {
    touching_ = how;
    vterm_input_write(vt_.get(), bytes.data(), bytes.size());
    touching_ = None;
}

void OutputAnalysis::finish_sequence(KeyCost &cost, ByteKind kind) {
    cost.by_kind[static_cast<std::size_t>(kind)] += sequence_.size();
    if (kind == ByteKind::Repeat) {
        // ESC [ n b prints the last character n more times.
        const int n = std::max(1, std::atoi(sequence_.c_str() + 2));
        for (int i = 0; i < n; ++i) write(last_char_, Printed);
    } else {
        write(sequence_, kind == ByteKind::Erase ? Erased : None);
    }
    sequence_.clear();
    state_ = State::Ground;
}

void OutputAnalysis::take(char byte, KeyCost &cost) {
    const auto b = static_cast<unsigned char>(byte);
    switch (state_) {
        case State::Ground:
            if (utf8_left_ > 0 && (b & 0xC0) == 0x80) {
                sequence_ += byte;
                cost.by_kind[static_cast<std::size_t>(ByteKind::Text)] += 1;
                if (--utf8_left_ == 0) {
                    last_char_ = sequence_;
                    write(sequence_, Printed);
                    sequence_.clear();
                }
                return;
            }
            utf8_left_ = 0;
            sequence_.clear();
            if (b == 0x1B) {
                sequence_ = byte;
                state_ = State::Escape;
            } else if (b < 0x20 || b == 0x7F) {
                cost.by_kind[static_cast<std::size_t>(control_kind(b))] += 1;
                write(std::string_view(&byte, 1), None);
            } else {
                cost.by_kind[static_cast<std::size_t>(ByteKind::Text)] += 1;
                if (b >= 0xC0) {
                    sequence_ = byte;
                    utf8_left_ = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
                    return;
                }
                last_char_ = std::string(1, byte);
                write(last_char_, Printed);
            }
            return;
        case State::Escape:
            sequence_ += byte;
            if (b == '[' && sequence_.size() == 2) {
                state_ = State::Csi;
            } else if ((b == ']' || b == 'P' || b == '_' || b == '^') && sequence_.size() == 2) {
                state_ = State::String;
            } else if (b >= 0x30 && b <= 0x7E) {
                finish_sequence(cost, escape_kind(sequence_));
            } else if (b < 0x20 || b > 0x7E) {
                finish_sequence(cost, ByteKind::Other);
            }
            return;
        case State::Csi:
            sequence_ += byte;
            if (b >= 0x40 && b <= 0x7E) {
                const bool private_marker =
                    sequence_.size() > 2 && sequence_[2] >= 0x3C && sequence_[2] <= 0x3F;
                finish_sequence(cost,
                                private_marker && b != 'h' && b != 'l' ? ByteKind::Other : csi_kind(byte));
            } else if (b < 0x20) {
                finish_sequence(cost, ByteKind::Other);
            }
            return;
        case State::String:
            sequence_ += byte;
            if (b == 0x07) finish_sequence(cost, ByteKind::Other);
            if (b == 0x1B) state_ = State::StringEscape;
            return;
        case State::StringEscape:
            sequence_ += byte;
            if (b == '\\')
                finish_sequence(cost, ByteKind::Other);
            else
                state_ = State::String;
            return;
    }
}

KeyCost OutputAnalysis::feed(std::string_view bytes) {
    KeyCost cost;
    cost.bytes = bytes.size();
    std::vector<CellValue> before;
    before.reserve(touched_.size());
    for (int row = 0; row < rows_; ++row)
        for (int col = 0; col < cols_; ++col) before.push_back(cell_value(row, col));
    std::fill(touched_.begin(), touched_.end(), None);

    for (char byte : bytes) take(byte, cost);

    VTermPos cursor{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_.get()), &cursor);
    std::vector<bool> changed(static_cast<std::size_t>(cols_));
    for (int row = 0; row < rows_; ++row) {
        for (int col = 0; col < cols_; ++col) {
            const auto i = static_cast<std::size_t>(row * cols_ + col);
            changed[static_cast<std::size_t>(col)] = !(cell_value(row, col) == before[i]);
        }
        int rewritten_run = 0;
        for (int col = 0; col <= cols_; ++col) {
            const auto c = static_cast<std::size_t>(col);
            const bool here = col < cols_ && changed[c];
            const bool rewritten = col < cols_ && !here &&
                                   (touched_[static_cast<std::size_t>(row * cols_ + col)] & Printed) != 0;
            if (here) {
                ++cost.changed_cells;
                if (col == 0 || !changed[c - 1]) {
                    ++cost.changed_runs;
                    cost.lower_bound += cursor_address_bytes(row, col);
                }
            } else if (col < cols_ && !rewritten &&
                       (touched_[static_cast<std::size_t>(row * cols_ + col)] & Erased)) {
                ++cost.erased_unchanged;
            }
            if (rewritten) {
                ++cost.rewritten_cells;
                ++rewritten_run;
                continue;
            }
            if (rewritten_run > 0) {
                const bool target = here || (row == cursor.row && col == cursor.col);
                const auto run = static_cast<std::size_t>(rewritten_run);
                if (!target || run > cursor_address_bytes(row, col - rewritten_run))
                    cost.wasted_cells += rewritten_run;
            }
            rewritten_run = 0;
        }
    }
    cost.lower_bound += static_cast<std::size_t>(cost.changed_cells);
    return cost;
}

}  // namespace perf
