// The computer player's natural logarithm, its own so that the game links
// no maths library.
#pragma once

// The natural logarithm of `x`, within one unit in the last place: -inf
// for 0 and +inf for +inf, NaN below 0 and for NaN.
double natural_log(double x);
