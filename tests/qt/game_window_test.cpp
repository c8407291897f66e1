#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/text.h"
#include "scoring/categories.h"
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
    // The greeting lights the display's first and last cells; a refused entry's message has
    // three pages.
    folder.Write("test.lng", "[Language]\nl0=A           A\nl2=a long message, three pages\n");
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
  Click(game->Turn().View().ThrowArea);
  EXPECT_EQ(game->Turn().State().RollsLeft, 59);
  // The throw area looks disabled until a die is picked up.
  QWidget* throwArea = front.Main()->childAt(ui::PxRect(game->Turn().View().ThrowArea).center());
  EXPECT_FALSE(throwArea->isEnabled());
  QWidget* die = front.Main()->childAt(ui::PxRect(game->Turn().View().DieImages[3]).center());
  ASSERT_TRUE(die != nullptr && die->isVisible());
  Click(game->Turn().View().DieImages[3]);
  EXPECT_TRUE(!game->Turn().State().OnTable(3) && !die->isVisible() && throwArea->isEnabled());

  // "A" in the first and the last cell: row 3 lit across, row 0 in column 2 alone. An unlit dot
  // shows the display's dark glass, which reaches past both cells.
  ASSERT_EQ(Said(), "A           A");
  const QImage shot = front.Main()->grab().toImage();
  const auto light = [&](int x, int y) {
    return shot.pixelColor(QPoint(x, y) * shot.devicePixelRatio()).lightness();
  };
  for (const int left : {42, 42 + 34 * 12}) {  // column 0's centre; dots stand 6 pixels apart
    for (int column = 0; column < 5; ++column) EXPECT_GT(light(left + 6 * column, 560), 200);
    EXPECT_TRUE(light(left + 12, 542) > 200 && light(left + 6, 542) < 64 &&
                light(left + 12, 554) < 64)
        << left;
  }
  for (const int x : {37, 479}) EXPECT_LT(light(x, 560), 30) << x;

  // The sounds lie in the program folder while the window is open; closing it by the desktop's own
  // means ends the program and takes them away.
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

TEST_F(GameWindowTest, AGameWindowOpenedAgainAfterALanguageChangeRunsItsClocksAndPages) {
  StartThroughThePicker();
  dice.faces = {1, 2, 3, 4, 5, 6};
  Click(game->Turn().View().ThrowArea);
  host.answers = {true};
  Click(game->Window().View().LanguageArea);
  ASSERT_EQ(front.Main(), nullptr);
  ChooseTheLanguage();
  EXPECT_TRUE(game->Turn().State().RollsLeft == 60 &&
              game->Display().View().Clock.Caption == "TIME");
  ASSERT_TRUE(WaitFor([&] { return game->Display().View().Clock.Caption == "21:07"; }));
  EXPECT_EQ(game->Turn().State().PlaySeconds, 0);  // until the first throw
  dice.faces = {6, 5, 4, 3, 2, 1};
  Click(game->Turn().View().ThrowArea);
  EXPECT_EQ(game->Turn().State().RollsLeft, 59);
  EXPECT_TRUE(WaitFor([&] { return game->Turn().State().PlaySeconds == 1; }));
  // The display turns a long message's pages by itself (that the first page gets the whole interval
  // is the timer binding's test).
  Click(game->Turn().View().CategoryRows[kYatzy]);
  ASSERT_EQ(Said(), "a long message, three pages");
  const auto firstPage = game->Display().View().LitDots;
  EXPECT_TRUE(WaitFor([&] { return game->Display().View().LitDots != firstPage; }));
}

}  // namespace
}  // namespace pyxaro::testing
