// Pictures of windows: the helper that tests use to show the window they expect.
#include <clocale>
#include <string>

#include "support/screen.h"

namespace {

using headless::Area;
using headless::CursesTest;
using headless::expect_window;
using headless::Styles;

class PictureTest : public CursesTest {
  protected:
    void SetUp() override {
        CursesTest::SetUp();
        window_ = newwin(4, 12, 2, 3);
        ASSERT_NE(window_, nullptr);
        wattr_on(window_, A_BOLD, nullptr);
        box(window_, 0, 0);
        wattr_off(window_, A_BOLD, nullptr);
        mvwaddstr(window_, 1, 1, "plain ");
        wattr_on(window_, A_REVERSE | COLOR_PAIR(2), nullptr);
        waddstr(window_, "red");
        wattr_off(window_, A_REVERSE | COLOR_PAIR(2), nullptr);
        wmove(window_, 2, 5);
    }
    void TearDown() override {
        if (window_ != nullptr) delwin(window_);
        CursesTest::TearDown();
    }

    WINDOW *window_ = nullptr;
    const Styles styles_ = {{'b', A_BOLD}, {'r', A_REVERSE | COLOR_PAIR(2)}};
};

TEST_F(PictureTest, MatchesTextAndAttributesWithoutMovingTheCursor) {
    EXPECT_TRUE(expect_window(window_, R"(
{b:┌──────────┐}
{b:│}plain {r:red} {b:│}
{b:│}          {b:│}
{b:└──────────┘}
)",
                              styles_));
    EXPECT_TRUE(expect_window(window_, R"(
┌──────────┐
│plain red │
│          │
└──────────┘)"))
        << "without styles only the text counts";
    EXPECT_TRUE(expect_window(window_, Area{1, 1, 2, 10}, "plain {r:red}   ", styles_))
        << "an area; trailing blanks are ignored and missing rows are blank";
    EXPECT_EQ(getcury(window_), 2);
    EXPECT_EQ(getcurx(window_), 5);
}

TEST_F(PictureTest, ReportsEachDifferenceWithTheActualWindow) {
    const struct {
        const char *picture;
        const char *message;
    } cases[] = {
        {"plain {r:rex}", "row  0 expected |plain {r:rex}|\n         actual   |plain {r:red}|"},
        {"plain red", "actual   |plain {r:red}|"},
        {"{b:plain} {r:red}", "actual   |plain {r:red}|"},
        {"plain {r:red}\nx", "row  1 expected |x|\n         actual   ||"},
        {"plain {r:red}\n\nz", "the picture has 3 rows, the area 2"},
    };
    for (const auto &c : cases) {
        const auto result = expect_window(window_, Area{1, 1, 2, 9}, c.picture, styles_);
        EXPECT_FALSE(result) << c.picture;
        EXPECT_NE(std::string(result.message()).find(c.message), std::string::npos) << result.message();
    }

    const auto unknown = expect_window(window_, Area{0, 0, 2, 12}, "", {{'r', A_REVERSE | COLOR_PAIR(2)}});
    EXPECT_NE(std::string(unknown.message()).find(R"(
{?:┌──────────┐}
{?:│}plain {r:red} {?:│}
)"),
              std::string::npos)
        << unknown.message();
    EXPECT_NE(std::string(unknown.message()).find("? is A_BOLD\n"), std::string::npos) << unknown.message();

    EXPECT_FALSE(expect_window(window_, Area{3, 0, 2, 12}, ""));
}

// Opened in a UTF-8 locale, as for names in any script.
class PictureUtf8Test : public CursesTest {
  protected:
    void SetUp() override {
        saved_locale_ = std::setlocale(LC_CTYPE, nullptr);
        if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
        CursesTest::SetUp();
    }
    void TearDown() override {
        CursesTest::TearDown();
        std::setlocale(LC_CTYPE, saved_locale_.c_str());
    }

    std::string saved_locale_;
};

// A double-width character fills two cells and is written once; a
// combining mark stays with its character.
TEST_F(PictureUtf8Test, ReadsWideCharactersAsTheyAreShown) {
    WINDOW *window = newwin(1, 10, 0, 0);
    ASSERT_NE(window, nullptr);
    mvwaddwstr(window, 0, 0, L"a\u6f22\u5b57e\u0301!");
    mvwaddch(window, 0, 8, ACS_HLINE | A_BOLD);
    EXPECT_TRUE(expect_window(window, "a\u6f22\u5b57e\u0301! {b:\u2500}", {{'b', A_BOLD}}));
    EXPECT_FALSE(expect_window(window, "a\u6f22\u5b57e!"));
    EXPECT_FALSE(expect_window(window, "a\u6f22 \u5b57e\u0301!"));
    delwin(window);
}

}  // namespace
