#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>

#include "core/text.h"
#include "tests/game_fixture.h"
#include "tests/qt/window_helpers.h"
#include "ui/front.h"
#include "ui/widgets.h"

namespace pyxaro::testing {
namespace {

class GameWindowTest : public GameTest {
 protected:
  GameWindowTest() {
    // The picker shows: no skip stored.
    folder.Write("Pyx4.ini",
                 "[Options]\nPlaySound=No\n"
                 "[Language]\nantal=3\nl1n=Test\nl1p=test.lng\nl2n=<b>Two</b>\nl2p=test.lng\n"
                 "l3n=Three\nl3p=test.lng\nselected=1\n");
  }

  void StartThroughThePicker() {
    front.Start();
    ASSERT_TRUE(front.Splash() == nullptr && front.Main() == nullptr);
    EXPECT_FALSE(front.Language()->Confirm()->isEnabled());
    ChooseTheLanguage();
  }

  void ChooseTheLanguage() {
    ASSERT_TRUE(front.Language()->isVisible());
    QListWidget* list = front.Language()->List();
    ASSERT_EQ(list->count(), 3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    ASSERT_TRUE(front.Language()->Confirm()->isEnabled());
    QTest::mouseClick(front.Language()->Confirm(), Qt::LeftButton);
    ASSERT_TRUE(!front.Language()->isVisible() && front.Splash() != nullptr &&
                front.Splash()->isVisible());
    ASSERT_TRUE(WaitFor([&] { return front.Main() != nullptr && front.Main()->isVisible(); }));
    ASSERT_TRUE(WaitFor([&] { return front.Splash() == nullptr; }));
  }

  void Click(const Control& control) { ClickControl(front.Main(), control); }

  ui::Front front{*game, [this] { return host.ended; }};
};

TEST_F(GameWindowTest, PickerThenSplashThenTheGameWindowWhereAClickThrows) {
  StartThroughThePicker();
  EXPECT_EQ(front.Main()->size(), QSize(800, 600));
  EXPECT_EQ(Ini("Language", "selected"), "1");

  dice.faces = {1, 2, 3, 4, 5, 6};
  Click(game->main.ThrowArea);
  EXPECT_EQ(game->state.RollsLeft, 59);
  // The throw area looks disabled until a die is picked up.
  QWidget* throwArea = front.Main()->childAt(ui::PxRect(game->main.ThrowArea).center());
  EXPECT_FALSE(throwArea->isEnabled());
  QWidget* die = front.Main()->childAt(ui::PxRect(game->main.DieImages[3]).center());
  ASSERT_TRUE(die != nullptr && die->isVisible());
  Click(game->main.DieImages[3]);
  EXPECT_TRUE(!game->state.OnTable(3) && !die->isVisible() && throwArea->isEnabled());

  // The sounds lie in the program folder while the window is open; closing
  // it by the desktop's own means ends the program and takes them away.
  const auto waves = [&] {
    return std::ranges::count_if(
        std::filesystem::directory_iterator(folder.Path()),
        [](const auto& entry) { return entry.path().extension() == ".wav"; });
  };
  EXPECT_EQ(waves(), LeadingNumber(Ini("Resources", "del")));
  EXPECT_GT(waves(), 0);
  front.Main()->close();
  EXPECT_TRUE(host.ended && waves() == 0);
}

// A name from the settings is shown as it is written.
TEST_F(GameWindowTest, InThePickerTheArrowKeysSelectARowAndOkConfirmsIt) {
  front.Start();
  QListWidget* list = front.Language()->List();
  EXPECT_EQ(list->item(1)->text(), "<b>Two</b>");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) QTest::keyClick(list, key);
  EXPECT_EQ(game->language.LanguageList.ListIndex, 1);
  QTest::mouseClick(front.Language()->Confirm(), Qt::LeftButton);
  EXPECT_EQ(Ini("Language", "selected"), "2");
}

TEST_F(GameWindowTest, DotsLitBySayAreReadBackAtTheirPlacesInTheFirstAndLastCell) {
  StartThroughThePicker();
  front.Act([&] { game->Say("A           A"); });
  const QImage shot = front.Main()->grab().toImage();
  const auto colour = [&](int cell, int column, int row) {
    const QPoint centre(40 + 34 * cell + 6 * column + 2, 540 + 6 * row + 2);
    return shot.pixelColor(centre * shot.devicePixelRatio());
  };
  const QColor litColour(192, 192, 255);
  // "A": column 2 of row 0 is lit, columns 0 and 1 of row 0 are not; row 3 is
  // lit across. An unlit dot shows the display's dark glass.
  for (const int cell : {0, 12}) {
    SCOPED_TRACE(cell);
    EXPECT_EQ(colour(cell, 2, 0), litColour);
    for (int column = 0; column < 5; ++column)
      EXPECT_EQ(colour(cell, column, 3), litColour) << column;
    for (const QColor unlit : {colour(cell, 0, 0), colour(cell, 1, 0), colour(cell, 2, 2)})
      EXPECT_LT(unlit.lightness(), 64) << unlit.name().toStdString();
  }
  EXPECT_LT(colour(1, 2, 0).lightness(), 64);
  // The display's glass reaches past the first and the last cell.
  for (const int x : {37, 479})
    EXPECT_LT(shot.pixelColor(QPoint(x, 560) * shot.devicePixelRatio()).lightness(), 30) << x;
}

TEST_F(GameWindowTest, AGameWindowOpenedAgainAfterALanguageChangeRunsItsClocksAndPages) {
  StartThroughThePicker();
  dice.faces = {1, 2, 3, 4, 5, 6};
  Click(game->main.ThrowArea);
  host.answers = {true};
  Click(game->main.LanguageArea);
  ASSERT_EQ(front.Main(), nullptr);
  ChooseTheLanguage();
  EXPECT_TRUE(game->state.RollsLeft == 60 && game->main.Clock.Caption == "TIME");
  ASSERT_TRUE(WaitFor([&] { return game->main.Clock.Caption == "21:07"; }));
  EXPECT_EQ(game->state.PlaySeconds, 0);  // until the first throw
  dice.faces = {6, 5, 4, 3, 2, 1};
  Click(game->main.ThrowArea);
  EXPECT_EQ(game->state.RollsLeft, 59);
  EXPECT_TRUE(WaitFor([&] { return game->state.PlaySeconds == 1; }));
  // The display turns a long message's pages by itself (that the first page
  // gets the whole interval is the timer binding's test).
  front.Act([&] { game->Say("a long message, three pages"); });
  EXPECT_TRUE(WaitFor([&] { return game->run.PageStart == 14; }));
}

TEST_F(GameWindowTest, AGameEndedByClicksEntersTheTopTen) {
  StartThroughThePicker();
  OnlyOpen({kCategoryCount});
  dice.faces = {6, 6, 6, 6, 6, 6};
  Click(game->main.ThrowArea);
  Click(game->main.CategoryRows[kCategoryCount]);
  ASSERT_TRUE(game->main.GameEndTimer.Enabled());
  dice.faces = {5};  // the check value's digit
  host.inputs = {std::string("Eve")};
  ASSERT_TRUE(WaitFor([&] { return game->state.RollsLeft == 60; }));
  // Every other category counts 1; the Yatzy 100.
  EXPECT_EQ(Ini("Highscore", "p1") + "|" + Ini("Highscore", "n1").substr(0, 5) + "|" +
                game->main.TopTenRows[1].Caption.substr(0, 12),
            "119|Eve (|1. 119 Eve (");
  EXPECT_TRUE(game->main.TopTenRows[1].Bold);
}

}  // namespace
}  // namespace pyxaro::testing
