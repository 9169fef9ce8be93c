// Pictures of a screen: what a picture stands for, which screens show it,
// and what a failure says.
#include "support/picture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace picture {
namespace {

// Styles by one-letter names: 'b' is bold, 'r' and its alias 'x' are
// reverse; the plain style is ".". Without styles there are no keys.
const Legend STYLED{true, ".", {{'b', "B"}, {'r', "R"}, {'x', "R"}}};
const Legend TEXT_ONLY{false, ".", {}};

// A screen row of one-byte characters, each in the style that `styles`
// names at its column ('.' or a short mask: plain).
Row row(const std::string &text, const std::string &styles = "") {
    Row cells;
    for (std::size_t i = 0; i < text.size(); ++i)
        cells.push_back({std::string(1, text[i]), i < styles.size() ? std::string(1, styles[i]) : "."});
    return cells;
}

struct ShownCase {
    const char *name;
    const char *picture;
    const Legend *legend;
    Screen screen;
    bool shown;
};
void PrintTo(const ShownCase &c, std::ostream *out) { *out << c.name; }

const ShownCase SHOWN_CASES[] = {
    {"MarkedCellsInTheirStyles", "{b:ab}c{r:d}", &STYLED, {row("abcd", "BB.R")}, true},
    {"MarkedCellPlainOnTheScreen", "{b:ab}c", &STYLED, {row("abc")}, false},
    {"UnmarkedCellStyledOnTheScreen", "abc", &STYLED, {row("abc", ".B.")}, false},
    {"MarkedInTheWrongStyle", "{r:ab}", &STYLED, {row("ab", "BB")}, false},
    {"KeysOfOneStyleAreAlike", "{x:ab}", &STYLED, {row("ab", "RR")}, true},
    {"WithoutStylesOnlyTextCounts", "abc", &TEXT_ONLY, {row("abc", "R.B")}, true},
    {"WithoutStylesBracesAreText", "{b:a}", &TEXT_ONLY, {row("{b:a}")}, true},
    {"WithoutStylesTextStillCounts", "abc", &TEXT_ONLY, {row("abd")}, false},
    {"AnUnknownKeyIsText", "{z:a}", &STYLED, {row("{z:a}")}, true},
    {"RunsDoNotNest", "{b:a{r:b}c", &STYLED, {row("a{r:bc", "BBBBB.")}, true},
    {"BlanksEndingAPictureRowCountForNothing", "ab   ", &STYLED, {row("ab")}, true},
    {"CellsPastARowMustBeBlank", "ab", &STYLED, {row("abc")}, false},
    {"CellsPastARowMustBePlain", "ab", &STYLED, {row("ab ", "..B")}, false},
    {"StyledBlanksEndingARowAreWritten", "ab{r:  }", &STYLED, {row("ab  ", "..RR")}, true},
    {"CellsPastTheScreenMustBeBlank", "abc", &STYLED, {row("ab")}, false},
    {"BlanksPastTheScreenCountForNothing", "ab  ", &STYLED, {row("ab")}, true},
    {"RowsPastThePictureMustBeBlank", "ab", &STYLED, {row("ab"), row("  c")}, false},
    {"BlankRowsPastThePicture", "ab", &STYLED, {row("ab"), row("   ")}, true},
    {"RowsPastTheScreen", "ab\ncd", &STYLED, {row("ab")}, false},
    {"LeadingNewlineAndClosingLineLeftOut", "\nab\ncd\n   ", &STYLED, {row("ab"), row("cd")}, true},
    {"BlankRowsInsideCount", "\n\nab", &STYLED, {row("ab"), row("  ")}, false},
    {"CombiningMarkJoinsItsCell", "e\u0301x", &STYLED, {{{"e\u0301", "."}, {"x", "."}}}, true},
    {"CombiningMarkIsNoCellOfItsOwn",
     "e\u0301x",
     &STYLED,
     {{{"e", "."}, {"\u0301", "."}, {"x", "."}}},
     false},
    {"CombiningMarkTakesItsCellsStyle", "{b:e}\u0301", &STYLED, {{{"e\u0301", "B"}}}, true},
    {"WideCharacterIsOneCell", "\u738Bx", &STYLED, {{{"\u738B", "."}, {"x", "."}}}, true},
};

class Shown : public ::testing::TestWithParam<ShownCase> {};

TEST_P(Shown, ByTheScreensThatMatchIt) {
    const ShownCase &c = GetParam();
    const Picture picture(c.picture, *c.legend);
    EXPECT_EQ(picture.shown_by(c.screen), c.shown) << picture.differences(c.screen, "screen");
}

INSTANTIATE_TEST_SUITE_P(Picture, Shown, ::testing::ValuesIn(SHOWN_CASES),
                         [](const auto &param_info) { return std::string(param_info.param.name); });

struct FailureCase {
    const char *name;
    const char *picture;
    Screen screen;
    const char *text;
};
void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.name; }

const FailureCase FAILURE_CASES[] = {
    {"RowsThatDifferThenTheWholeScreen",
     "\n{b:ab}c\nxy\n",
     {row("abc", "BBB"), row("xy"), row("q ", "U"), row("{x:", "RR")},
     R"text(rows that differ:
  row  0 expected |{b:ab}c|
         actual   |{b:abc}|
  row  2 expected ||
         actual   |{?:q}|
  row  3 expected ||
         actual   |{r:{x}:|
the whole screen:
R"(
{b:abc}
xy
{?:q}
{r:{x}:
)"
? is U
)text"},
    {"MoreRowsThanTheScreen", "ab\ncd", {row("ab")}, R"text(the picture has 2 rows, the screen 1
the whole screen:
R"(
ab
)"
)text"},
    {"StyledBlanksAndUnknownStylesOnce",
     "a",
     {row("a  ", ".VV"), row(" b  ", "W.UW")},
     R"text(rows that differ:
  row  0 expected |a|
         actual   |a{?:  }|
  row  1 expected ||
         actual   |{?: }b{?:  }|
the whole screen:
R"(
a{?:  }
{?: }b{?:  }
)"
? is V
? is W
? is U
)text"},
};

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, ShowsTheRowsAndAPictureToPaste) {
    const FailureCase &c = GetParam();
    const Picture picture(c.picture, STYLED);
    ASSERT_FALSE(picture.shown_by(c.screen));
    EXPECT_EQ(picture.differences(c.screen, "screen"), c.text);
}

INSTANTIATE_TEST_SUITE_P(Picture, Failure, ::testing::ValuesIn(FAILURE_CASES),
                         [](const auto &param_info) { return std::string(param_info.param.name); });

// A drawing is a picture its screen shows, with or without styles.
TEST(Draw, GivesAPictureTheScreenShows) {
    const Screen screen = {row("ab  ", "BB.R"), row(" "), row("{b:", "B..")};
    for (const Legend *legend : {&STYLED, &TEXT_ONLY}) {
        const std::string drawn = draw(screen, *legend);
        ASSERT_EQ(drawn.substr(0, 4), "R\"(\n");
        ASSERT_EQ(drawn.substr(drawn.size() - 3), ")\"\n");
        EXPECT_TRUE(Picture(drawn.substr(3, drawn.size() - 6), *legend).shown_by(screen)) << drawn;
    }
    EXPECT_EQ(draw(screen, TEXT_ONLY), "R\"(\nab\n\n{b:\n)\"\n");
}

}  // namespace
}  // namespace picture
