// A picture of the terminal's screen as SVG, cell by cell: each character in
// its colours, bold, underlined and blinking as libvterm holds it, reverse
// video shown by swapping the colours. The README shows the game with it.
#pragma once

#include <string>
#include <string_view>

#include "support/terminal.h"

namespace e2e {

// The whole screen as a standalone SVG document whose <title> is `title`.
// Palette colours are xterm's; the terminal's default colours are light grey
// on black. The same screen always gives the same bytes.
std::string screen_svg(const Terminal &t, std::string_view title);

}  // namespace e2e
