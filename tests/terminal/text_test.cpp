// Player text as the screen shows it, without a screen: what each byte or
// character of a name becomes, and the columns a text takes, in the C locale
// and in a UTF-8 one.
#include <gtest/gtest.h>

#include <clocale>
#include <ostream>
#include <string>

#include "terminal/text.h"

namespace {

// The text as it is shown: each character itself, or its visible form.
std::string shown(const std::string &text) {
    std::string out;
    for (const char *p = text.c_str(); *p != '\0';) {
        const ShownCharacter character = next_shown(p);
        out += character.wide != 0 ? std::string(p, character.bytes) : std::string(character.form);
        p += character.bytes;
    }
    return out;
}

struct TextCase {
    const char *what;
    std::string text;
    std::string c_locale;  // shown in the C locale
    int c_width;
    std::string utf8;  // shown in C.UTF-8
    int utf8_width;
};

// clang-format off
const TextCase text_cases[] = {
    {"printable ASCII", "Ann 7%s", "Ann 7%s", 7, "Ann 7%s", 7},
    {"controls and DEL", "a\tb\033c\x7f", "a^Ib^[c^?", 9, "a^Ib^[c^?", 9},
    {"accented Latin", "Jos\xc3\xa9", "JosM-CM-)", 9, "José", 4},
    {"CJK, two columns each", "\xe7\x8e\x8b\xe5\xb0\x8f", "M-gM-^NM-^KM-eM-0M-^O", 21, "王小", 4},
    {"an emoji", "\xf0\x9f\x9a\x80", "M-pM-^_M-^ZM-^@", 15, "🚀", 2},
    {"a combining mark", "e\xcc\x81", "eM-LM-^A", 8, "e<U+0301>", 9},
    {"right-to-left override", "\xe2\x80\xae", "M-bM-^@M-.", 10, "<U+202E>", 8},
    {"soft hyphen", "\xc2\xad", "M-BM--", 6, "<U+00AD>", 8},
    {"a C1 control", "\xc2\x9b", "M-BM-^[", 7, "<U+009B>", 8},
    {"a stray continuation byte", "\x80x", "M-^@x", 5, "M-^@x", 5},
    {"a cut sequence", "\xe7\x8e" "a", "M-gM-^Na", 8, "M-gM-^Na", 8},
    {"a surrogate", "\xed\xa0\x80", "M-mM- M-^@", 10, "M-mM- M-^@", 10},
};
// clang-format on

void PrintTo(const TextCase &c, std::ostream *out) { *out << c.what; }

class TextForms : public ::testing::TestWithParam<TextCase> {
  protected:
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_P(TextForms, ShownAndMeasuredInEachLocale) {
    const TextCase &c = GetParam();
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    EXPECT_FALSE(utf8_locale());
    EXPECT_EQ(shown(c.text), c.c_locale);
    EXPECT_EQ(text_width(c.text.c_str()), c.c_width);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    EXPECT_TRUE(utf8_locale());
    EXPECT_EQ(shown(c.text), c.utf8);
    EXPECT_EQ(text_width(c.text.c_str()), c.utf8_width);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextForms, ::testing::ValuesIn(text_cases),
                         [](const ::testing::TestParamInfo<TextCase> &param) {
                             return "Case" + std::to_string(param.index);
                         });

// How the first bytes of a name stand while it is typed in a UTF-8 locale.
TEST(CharacterLength, CompleteBeginningOrNoCharacter) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    const struct {
        std::string bytes;
        int length;
    } cases[] = {
        {"a", 1},
        {"\xc3\xa9", 2},
        {"\xc3", 0},
        {"\xe7\x8e", 0},
        {"\xe7\x8e\x8b", 3},
        {"\xf0\x9f\x9a\x80", 4},
        {"\x80", -1},
        {"\xc3x", -1},
        {"\xc0\xaf", -1},
        {"\xed\xa0\x80", -1},
        {"\xf4\x90\x80\x80", -1},
        {"\xff", -1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(character_length(c.bytes.data(), c.bytes.size()), c.length)
            << testing::PrintToString(c.bytes);
    }
    EXPECT_EQ(character_length("", 0), 0);
    std::setlocale(LC_CTYPE, "C");
}

// Where a text breaks to fit a row: before the last blank that fits, inside
// a word only when it is longer than the row, never inside a character,
// and never nothing; by columns, so a double-width character counts two.
TEST(RowBytes, BreaksBeforeABlankByColumns) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    const struct {
        std::string text;
        int columns;
        std::string first_row;
    } cases[] = {
        {"short", 10, "short"},
        {"exactly ten", 11, "exactly ten"},
        {"two words", 6, "two"},
        {"one two three", 9, "one two"},
        {"unbroken", 5, "unbro"},
        {"\xe7\x8e\x8b\xe5\xb0\x8f\xe7\x8e\x8b", 5, "\xe7\x8e\x8b\xe5\xb0\x8f"},
        {"\xe7\x8e\x8b x", 1, "\xe7\x8e\x8b"},
        {"a\tb c", 4, "a\tb"},  // a control counts as the two columns of its ^I
        {"a\tb", 2, "a"},
        {"", 4, ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.text.substr(0, row_bytes(c.text.c_str(), c.columns)), c.first_row)
            << ::testing::PrintToString(c.text) << " in " << c.columns;
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
