// The colour pairs of the colour scheme.
#include "screens/screens.h"

namespace {

struct PairColors {
    short foreground;
    short background;
};

// Pair n is entry n - 1.
constexpr std::array<PairColors, 14> pair_colors = {{
    {COLOR_BLUE, COLOR_BLACK},
    {COLOR_RED, COLOR_BLACK},
    {COLOR_GREEN, COLOR_BLACK},
    {COLOR_YELLOW, COLOR_BLACK},
    {COLOR_MAGENTA, COLOR_BLACK},
    {COLOR_CYAN, COLOR_BLACK},
    {COLOR_WHITE, COLOR_BLACK},
    {COLOR_YELLOW, COLOR_BLUE},
    {COLOR_WHITE, COLOR_BLUE},
    {COLOR_BLACK, COLOR_YELLOW},
    {COLOR_BLACK, COLOR_WHITE},
    {COLOR_BLACK, COLOR_RED},
    {COLOR_BLACK, COLOR_BLUE},
    {COLOR_BLACK, COLOR_GREEN},
}};

}  // namespace

// Defines the fourteen colour pairs, in pair order.
void init_colors() {
    short pair = 1;
    for (const PairColors &colors : pair_colors) {
        init_pair(pair, colors.foreground, colors.background);
        ++pair;
    }
}

attr_t company_name_attr(int company) {
    return use_color ? company_attr[static_cast<std::size_t>(company)] : A_NORMAL;
}
