// The computer player's own logarithm against known values, and against the
// C library's over a sweep of every binade the computer meets and more.
#include "computer/logarithm.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// How many doubles apart two finite doubles of the same sign are.
std::int64_t ulps_apart(double a, double b) {
    const auto x = std::bit_cast<std::int64_t>(a);
    const auto y = std::bit_cast<std::int64_t>(b);
    return x > y ? x - y : y - x;
}

TEST(NaturalLog, KnownValuesWithinOneUnitInTheLastPlace) {
    // Each expected value is the true logarithm rounded to the nearest double.
    const struct {
        double x;
        double log;
    } cases[] = {
        {1.0, 0.0},
        {2.0, 0.6931471805599453},
        {0.5, -0.6931471805599453},
        {3.0, 1.0986122886681098},
        {10.0, 2.302585092994046},
        {0.1, -2.3025850929940455},
        {1.5, 0.4054651081081644},
        {0.75, -0.2876820724517809},
        {2.718281828459045, 1.0},
        {1e-06, -13.815510557964274},  // the computer's ruin
        {1.0000001, 9.999999505838704e-08},
        {0.9999999, -1.0000000494736474e-07},
        {1.0000000000000002, 2.2204460492503128e-16},   // the next double after 1
        {0.9999999999999999, -1.1102230246251565e-16},  // the one before
        {1.4142135623730951, 0.3465735902799727},       // either side of the square root of 2
        {1.414213562373095, 0.3465735902799726},
        {0.7071067811865476, -0.3465735902799726},
        {123456.789, 11.723646487185881},
        {1e+300, 690.7755278982137},
        {1.7976931348623157e+308, 709.782712893384},    // the largest double
        {2.2250738585072014e-308, -708.3964185322641},  // the smallest normal one
        {1e-310, -713.8013788281542},                   // subnormal
        {5e-324, -744.4400719213812},                   // the smallest
    };
    for (const auto &c : cases) {
        const double got = natural_log(c.x);
        EXPECT_LE(ulps_apart(got, c.log), 1) << "log " << c.x << " = " << got << ", not " << c.log;
    }
    EXPECT_EQ(natural_log(1.0), 0.0) << "exactly";
}

TEST(NaturalLog, EdgesOfTheDomain) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(natural_log(0.0), -infinity);
    EXPECT_EQ(natural_log(-0.0), -infinity);
    EXPECT_EQ(natural_log(infinity), infinity);
    for (const double x : {-1.0, -infinity, -5e-324, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(natural_log(x))) << x;
    }
}

TEST(NaturalLog, AgreesWithTheCLibrarysWithinOneUnitInTheLastPlace) {
    // Geometric steps through 2^-60 to 2^60 with odd mantissas, and every
    // double near 1 where the logarithm is smallest.
    int checked = 0;
    for (double x = 0x1p-60; x < 0x1p60; x *= 1.0009765625 + 0x1p-40) {
        ASSERT_LE(ulps_apart(natural_log(x), std::log(x)), 1) << x;
        ++checked;
    }
    double x = 1.0;
    for (int step = 0; step < 2000; ++step) {
        ASSERT_LE(ulps_apart(natural_log(x), std::log(x)), 1) << x;
        const double below = 2.0 - x;
        ASSERT_LE(ulps_apart(natural_log(below), std::log(below)), 1) << below;
        x = std::nextafter(x, 2.0);
        checked += 2;
    }
    EXPECT_GT(checked, 80000);
}

}  // namespace
