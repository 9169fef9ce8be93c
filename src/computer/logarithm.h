// The computer player's natural logarithm. It is the game's own because the
// game links only the C library and ncurses (the package check holds it to
// that: a game that runs wherever those are, with no C++ runtime and no
// maths library), and std::log would bring in libm for this one function.
#pragma once

// The natural logarithm of `x`, within one unit in the last place: -inf
// for 0 and +inf for +inf, NaN below 0 and for NaN.
double natural_log(double x);
