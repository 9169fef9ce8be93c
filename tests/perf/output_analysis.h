// What the bytes of one key did to the screen: which cells changed, which
// were written again with what they already held, and what kind of
// terminal work the bytes were.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct VTerm;

namespace perf {

// Kinds of bytes in the output, by what they do on the terminal.
enum class ByteKind { Text, Cursor, Attributes, Erase, Repeat, Modes, Other, Count };
inline constexpr std::size_t kByteKinds = static_cast<std::size_t>(ByteKind::Count);
const char *byte_kind_name(ByteKind kind);

struct KeyCost {
    std::size_t bytes = 0;
    std::array<std::size_t, kByteKinds> by_kind{};
    int changed_cells = 0;  // cells that differ from before the key
    int changed_runs = 0;   // runs of changed cells on a row
    // The least output that can make those changes: one byte a changed
    // cell, plus one cursor-address sequence (ESC [ row ; col H) for each
    // run of changed cells on a row.
    std::size_t lower_bound = 0;
    // Cells that a character was printed into (directly or by a repeat)
    // but that show the same as before the key: bytes for cells whose
    // content did not change.
    int rewritten_cells = 0;
    // Those of them that no cursor movement explains. curses reaches a
    // changed cell (or the cell where it leaves the cursor) by printing the
    // cells before it when they are fewer than the bytes of a cursor
    // address; such a run counts as cursor movement. Every other
    // rewritten cell is waste.
    int wasted_cells = 0;
    // Cells that an erase covered and that show the same as before.
    int erased_unchanged = 0;
};

// A terminal screen (libvterm) that takes a program's output key by key.
class OutputAnalysis {
  public:
    OutputAnalysis(int rows, int cols);
    ~OutputAnalysis();
    OutputAnalysis(const OutputAnalysis &) = delete;
    OutputAnalysis &operator=(const OutputAnalysis &) = delete;

    // Feeds the output of one key and reports what it did.
    KeyCost feed(std::string_view bytes);

    // The screen's text, rows joined by newlines.
    std::string text() const;

    // Called back by libvterm for each rectangle written.
    void damaged(int start_row, int end_row, int start_col, int end_col);
    // Called back by libvterm when it scrolls rows start_row..end_row.
    void moved(int dest_row, int start_row, int end_row, int start_col, int end_col);

  private:
    struct CellValue {
        std::array<unsigned, 6> chars{};
        unsigned attrs = 0;
        unsigned fg = 0;
        unsigned bg = 0;
        bool operator==(const CellValue &) const = default;
    };
    enum Touch : unsigned char { None = 0, Printed = 1, Erased = 2 };

    CellValue cell_value(int row, int col) const;
    void write(std::string_view bytes, Touch how);
    void take(char byte, KeyCost &cost);
    void finish_sequence(KeyCost &cost, ByteKind kind);

    struct VTermDeleter {
        void operator()(VTerm *vt) const;
    };

    int rows_;
    int cols_;
    std::unique_ptr<VTerm, VTermDeleter> vt_;
    std::vector<unsigned char> touched_;
    Touch touching_ = None;
    // The byte parser: a pending escape sequence and the last character
    // printed (what a repeat sequence repeats).
    enum class State { Ground, Escape, Csi, String, StringEscape } state_ = State::Ground;
    std::string sequence_;
    std::string last_char_;
    std::size_t utf8_left_ = 0;
};

}  // namespace perf
