// Messages without a screen: a translation stands where it fits its room,
// and the English text where it does not; a message is written out in its
// visible form, whatever control characters a catalog puts in it.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "terminal/messages.h"
#include "terminal/text.h"

namespace {

// The game's German catalog from the build, read in C.UTF-8 as the game reads
// it under LANG=C.UTF-8 LANGUAGE=de.
class GermanMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
        ASSERT_NE(std::setlocale(LC_MESSAGES, "C.UTF-8"), nullptr);
        setenv("LANGUAGE", "de", 1);
        bindtextdomain(VEGATRADE_TEXT_DOMAIN, VEGATRADE_BUILD_LOCALEDIR);
    }
    void TearDown() override {
        unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, "C");
        std::setlocale(LC_CTYPE, "C");
    }
};

TEST_F(GermanMessages, ATranslationTooWideForItsRoomGivesTheEnglishText) {
    const char *msgid = " Really Quit? ";
    const char *german = _(msgid);
    ASSERT_STRNE(german, msgid) << "no German catalog read";
    const int columns = text_width(german);
    EXPECT_STREQ(translation_within(msgid, columns), german);
    EXPECT_STREQ(translation_within(msgid, columns - 1), msgid);
}

TEST_F(GermanMessages, AFormatTooWideForItsRoomIsFilledInEnglish) {
#define FORMAT " Help: page %d of %d "
    ASSERT_STRNE(_(FORMAT), FORMAT) << "no German catalog read";
    char german[64];
    const int columns = format_within(german, sizeof german, 80, FORMAT, 1, 4);
    EXPECT_EQ(columns, text_width(german));
    EXPECT_EQ(std::string(german).find("Help"), std::string::npos) << german;
    char narrow[64];
    EXPECT_EQ(format_within(narrow, sizeof narrow, columns - 1, FORMAT, 1, 4), 19);
    EXPECT_STREQ(narrow, " Help: page 1 of 4 ");
#undef FORMAT
}

// What write_visible writes, read back.
std::string written(const char *text) {
    char *buffer = nullptr;
    std::size_t size = 0;
    std::FILE *stream = open_memstream(&buffer, &size);
    write_visible(stream, text);
    std::fclose(stream);
    std::string out(buffer, size);
    std::free(buffer);
    return out;
}

TEST(WriteVisible, ShowsControlsInTheirFormsAndKeepsNewlines) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    EXPECT_EQ(written("vegatrade: Eingabe \033[2Jgeschlossen\r\n"),
              "vegatrade: Eingabe ^[[2Jgeschlossen^M\n");
    EXPECT_EQ(written("\xe8\xbe\x93\xe5\x85\xa5\xe2\x80\xae!\n"), "输入<U+202E>!\n");
    std::setlocale(LC_CTYPE, "C");
    EXPECT_EQ(written("\xe8\xbe\x93!\n"), "M-hM->M-^S!\n");
}

}  // namespace
