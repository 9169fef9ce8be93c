// The natural logarithm from the bits of a double: x = m * 2^k with m
// within [sqrt(1/2), sqrt(2)], so log x = k log 2 + log m, and
// log m = 2 atanh(s) = 2s + s R(s^2) with s = (m - 1) / (m + 1), |s| < 0.172,
// R summed as its series. The large terms are kept exact apart, so that only
// the last addition rounds much: log 2 is a high part whose product with k
// is exact and a low part, s is a sum of two doubles, and k log 2 + 2s is
// added exactly. The result is the nearest double but for about one input
// in five hundred, where it is the next one.
#include "computer/logarithm.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr double LN2_HI = 6.93147180369123816490e-01;  // log 2 to 32 bits: k * LN2_HI is exact
constexpr double LN2_LO = 1.90821492927058770002e-10;  // log 2 - LN2_HI
constexpr double SQRT2 = 1.41421356237309504880;
constexpr std::uint64_t MANTISSA = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t ONE = 0x3FF0000000000000ULL;  // the bits of 1.0
constexpr std::uint64_t SMALLEST_NORMAL = std::uint64_t{1} << 52;

// The coefficients of R(z) / z, 2 / (2n + 1) for n = 1 to 11: with
// z = s^2 < 0.0295 the first one left out weighs below 2^-60 of 2s.
constexpr int TERMS = 11;
constexpr std::array<double, TERMS> series() {
    std::array<double, TERMS> coefficients{};
    for (int n = 1; n <= TERMS; ++n) coefficients[static_cast<std::size_t>(n - 1)] = 2.0 / (2 * n + 1);
    return coefficients;
}
constexpr std::array<double, TERMS> SERIES = series();

// a * b - p exactly, where p is a * b rounded: each factor split into two
// halves of 26 bits whose products are exact (Dekker; no fused multiply-add).
double product_error(double a, double b, double p) {
    constexpr double SPLIT = 134217729.0;  // 2^27 + 1
    const double a_scaled = SPLIT * a;
    const double a_high = a_scaled - (a_scaled - a);
    const double a_low = a - a_high;
    const double b_scaled = SPLIT * b;
    const double b_high = b_scaled - (b_scaled - b);
    const double b_low = b - b_high;
    return ((a_high * b_high - p) + a_high * b_low + a_low * b_high) + a_low * b_low;
}

}  // namespace

double natural_log(double x) {
    if (!(x > 0.0)) {
        return x == 0.0 ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    }
    if (x == std::numeric_limits<double>::infinity()) return x;
    int k = 0;
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    if (bits < SMALLEST_NORMAL) {  // subnormal: scaled by 2^54 first
        bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
        k = -54;
    }
    k += static_cast<int>(bits >> 52) - 1023;
    double m = std::bit_cast<double>((bits & MANTISSA) | ONE);
    if (m > SQRT2) {
        m *= 0.5;
        ++k;
    }

    // s = f / (2 + f) with f = m - 1 (exact), as s_high + s_low.
    const double f = m - 1.0;
    const double d_high = 2.0 + f;
    const double d_low = f - (d_high - 2.0);
    const double s_high = f / d_high;
    const double p = s_high * d_high;
    const double s_low = (((f - p) - product_error(s_high, d_high, p)) - s_high * d_low) / d_high;

    const double z = s_high * s_high;
    double r = 0.0;
    for (int n = TERMS - 1; n >= 0; --n) r = r * z + SERIES[static_cast<std::size_t>(n)];
    r *= z;

    // k log 2 + 2s, added exactly (Knuth's two-sum), then the small terms.
    const double exponent = k;
    const double a = exponent * LN2_HI;
    const double b = 2.0 * s_high;
    const double sum = a + b;
    const double b_part = sum - a;
    const double sum_error = (a - (sum - b_part)) + (b - b_part);
    return sum + (((exponent * LN2_LO + 2.0 * s_low) + s_high * r) + sum_error);
}
