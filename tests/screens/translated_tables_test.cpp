// The tables whose headers are translated: the standings, the company report,
// the company panel and a merger's stock table, in German (words longer than
// the English ones) and in Chinese (characters two columns wide). Each header
// word stands over its column by its screen columns, a column widens for a
// word that needs more room, and every figure stays under its word.
#include <clocale>
#include <cstdlib>
#include <string>

#include "screens/modal_screen.h"
#include "screens/screens.h"
#include "terminal/messages.h"
#include "terminal/terminal.h"

namespace {

// A monochrome screen in C.UTF-8 with the catalog of the build for the
// language `language_`, read as the game reads it under LANG=C.UTF-8
// LANGUAGE=language_.
class TranslatedTest : public market_test::ModalTest<headless::CursesTest> {
  protected:
    void open_in(const char *language) {
        ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
        ASSERT_NE(std::setlocale(LC_MESSAGES, "C.UTF-8"), nullptr);
        setenv("LANGUAGE", language, 1);
        bindtextdomain(VEGATRADE_TEXT_DOMAIN, VEGATRADE_BUILD_LOCALEDIR);
        textdomain(VEGATRADE_TEXT_DOMAIN);  // gettext forgets the translations of the language before
        reopen(25, 80, 0, 2);
        ASSERT_STRNE(_("Player"), "Player") << "no catalog read for " << language;
    }
    // Back to English and the C locale once the screen is closed (a screen
    // opened anew closes the one before it, in the language it was opened in).
    ~TranslatedTest() override {
        unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, "C");
        std::setlocale(LC_CTYPE, "C");
    }

    // Two players, Altair and Capella active, figures of every width the
    // columns hold at their English places.
    void set_figures() {
        game.companies[0].size = 4;
        game.companies[0].price = 2450;
        game.companies[2].size = 12;
        game.companies[2].price = 800;
        game.players[0].holdings[0] = 12;
        game.players[0].holdings[2] = 150;
        game.players[1].holdings[2] = 7;
        game.players[0].cash = 1250;
        game.players[1].cash = 10400;
    }
};

// The monochrome attributes: the header and the title in reverse, bold.
const headless::Styles MONO = {{'r', A_REVERSE}, {'b', A_BOLD}};

TEST_F(TranslatedTest, StandingsHeaderWordsStandOverTheirColumns) {
    const struct {
        const char *language;
        const char *picture;
    } cases[] = {
        {"de", R"(
 {b:┌=================}{r:  Aktueller Spielstand  }{b:=================┐}
 {b:|}                                                          {b:|}
 {b:|} {r:=Spieler===============Aktienwert====Bargeld==Vermögen==} {b:|}
 {b:|}                                                          {b:|}
 {b:|}  {b:Player1               }$149400     $1250      {b:$150650  }  {b:|}
 {b:|}  {b:Player2               }$5600       $10400     {b:$16000   }  {b:|}
 {b:|}                                                          {b:|}
 {b:|}    Noch von Gesellschaften zu besetzende Sektoren: 49    {b:|}
 {b:|}                                                          {b:|}
 {b:|}              Weiter mit beliebiger Taste...              {b:|}
 {b:└==========================================================┘}

)"},
        {"zh_CN", R"(
 {b:┌=======================}{r:  当前排名  }{b:=======================┐}
 {b:|}                                                          {b:|}
 {b:|} {r:=玩家==================股票价值======现金=====净资产====} {b:|}
 {b:|}                                                          {b:|}
 {b:|}  {b:Player1               }$149400     $1250      {b:$150650  }  {b:|}
 {b:|}  {b:Player2               }$5600       $10400     {b:$16000   }  {b:|}
 {b:|}                                                          {b:|}
 {b:|}            游戏结束前公司还需占领的星区数：49            {b:|}
 {b:|}                                                          {b:|}
 {b:|}                     按任意键继续...                      {b:|}
 {b:└==========================================================┘}

)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        open_in(c.language);
        set_figures();
        left_ = 10;
        type("k");
        show_standings(game, _(" Current Standings "));
        EXPECT_TRUE(expect_shown(11, 60, c.picture, MONO));
    }
}

TEST_F(TranslatedTest, CompanyReportHeaderWordsStandOverTheirColumns) {
    const struct {
        const char *language;
        const char *picture;
    } cases[] = {
        {"de", R"(
 {b:┌===}{r: Ausführliche Angaben zu den Gesellschaften }{b:===┐}
 {b:|}                                                  {b:|}
 {b:|}{r: Gesellschaft          Kurs    Größe  Gesamtwert  }{b:|}
 {b:|}                                                  {b:|}
 {b:|} Altair Starways       $2450    4      {b:$29400    } {b:|}
 {b:|} Capella Freight Co.   $800     12     {b:$125600   } {b:|}
 {b:|}                                                  {b:|}
 {b:|}          Weiter mit beliebiger Taste...          {b:|}
 {b:└==================================================┘}

)"},
        {"zh_CN", R"(
 {b:┌==================}{r: 公司详细信息 }{b:==================┐}
 {b:|}                                                  {b:|}
 {b:|}{r: 公司名称              股价    规模   总市值      }{b:|}
 {b:|}                                                  {b:|}
 {b:|} Altair Starways       $2450    4      {b:$29400    } {b:|}
 {b:|} Capella Freight Co.   $800     12     {b:$125600   } {b:|}
 {b:|}                                                  {b:|}
 {b:|}                 按任意键继续...                  {b:|}
 {b:└==================================================┘}

)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        open_in(c.language);
        set_figures();
        left_ = 14;
        type("k");
        more_coinfo(game);
        EXPECT_TRUE(expect_shown(9, 52, c.picture, MONO));
    }
}

TEST_F(TranslatedTest, PanelHeaderWordsStandOverTheirColumns) {
    const struct {
        const char *language;
        const char *picture;
    } cases[] = {
        {"de", R"(
{r: Gesellschaft           Kurs   Bestand  }

 Altair Starways        $2450   12

 Capella Freight Co.    $800    150

)"},
        {"zh_CN", R"(
{r: 公司                   股价   持股     }

 Altair Starways        $2450   12

 Capella Freight Co.    $800    150

)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        open_in(c.language);
        set_figures();
        show_coinfo(game);
        EXPECT_TRUE(headless::expect_window(coinfo_window, c.picture, MONO));
    }
}

TEST_F(TranslatedTest, MergerTableHeaderWordsStandOverTheirColumns) {
    const struct {
        const char *language;
        const char *picture;
    } cases[] = {
        {"de", R"(
┌///////////////////////////////{r: Aktientausch }///////////////////////////////┐
|                            {b:Capella Freight Co.}                             |
|   {r:=Spieler==============Alte Aktien=Neue Aktien=Gesamtbestand====Bonus=}    |
|   {b: Player1                }150         75           87            {b:$7643 }    |
|   {b: Player2                }7           4             4            {b:$356  }    |
|                                                                            |
|                                                                            |
|                                                                            |
|                       Weiter mit beliebiger Taste...                       |
|                                                                            |
└////////////////////////////////////////////////////////////////////////////┘
)"},
        {"zh_CN", R"(
┌/////////////////////////////////{r: 股票交换 }/////////////////////////////////┐
|                            {b:Capella Freight Co.}                             |
|   {r:=玩家=================原持股======新持股======持股总数=========奖金==}    |
|   {b: Player1                }150         75           87            {b:$7643 }    |
|   {b: Player2                }7           4             4            {b:$356  }    |
|                                                                            |
|                                                                            |
|                                                                            |
|                              按任意键继续...                               |
|                                                                            |
└////////////////////////////////////////////////////////////////////////////┘
)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        open_in(c.language);
        set_figures();
        type("k");
        merge_and_show_exchange(0, 2);
        EXPECT_TRUE(headless::expect_window(general_window, c.picture, MONO));
    }
}

}  // namespace
