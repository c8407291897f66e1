#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "tests/game_fixture.h"
#include "tests/qt/window_helpers.h"
#include "ui/front.h"
#include "ui/qt_host.h"

namespace pyxaro::testing {

// Stands in for the browser: the desktop hands it every https address.
class Browser : public QObject {
  Q_OBJECT

 public:
  QStringList opened;

 public slots:
  void Open(const QUrl& url) { opened << url.toString(QUrl::FullyEncoded); }
};

namespace {

// The game on the real Qt desktop services, so that what reaches the browser is what the desktop
// was handed.
class SubmissionWindowTest : public GameTest {
 protected:
  SubmissionWindowTest() {
    folder.Write("Pyx4.ini",
                 "[Options]\nPlaySound=No\nShowLangu=No\nShowUser=No\n"
                 "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n"
                 "[Users]\nantal=1\nselected=1\nuser1=Åsa & Bo\npass1=p=w\n"
                 "[Internet]\nsend=https://scores.example/send\n"
                 "[Highscore]\np1=250\nn1=Eve (1:00)\nk1=37177384513\nd1=2611\n");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
    desktop.SetBeforeBox([this] { front.Sync(); });
  }
  ~SubmissionWindowTest() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

  void SetUp() override {
    front.Start();
    ASSERT_TRUE(WaitFor([&] { return front.Main() != nullptr && front.Main()->isVisible(); }));
  }

  Browser browser;
  ui::QtHost desktop;
  Game qtGame{desktop, dice, folder.Path().string()};
  ui::Front front{qtGame, [this] { return desktop.Ending(); }};
};

TEST_F(SubmissionWindowTest, ARowClickedAndAnsweredYesReachesTheBrowserEncoded) {
  // Answers Yes on the question as soon as it shows.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr && box->button(QMessageBox::Yes) != nullptr)
      box->button(QMessageBox::Yes)->click();
  });
  answer.start(20);

  ClickControl(front.Main(), qtGame.TopTen().View().Rows[1]);
  ASSERT_TRUE(WaitFor([&] { return !browser.opened.isEmpty(); }));
  EXPECT_EQ(browser.opened,
            QStringList{"https://scores.example/send?user=%C3%85sa%20%26%20Bo&pass=p%3Dw&ver=504"
                        "&date=2611&points=250&key=37177384513"});
  EXPECT_EQ(qtGame.Display().Said(), TestText(1) + ": 0");
}

TEST_F(SubmissionWindowTest, RemoveTakesTheRowTheArrowKeysHighlighted) {
  ASSERT_NE(
      SetINIBatch({{"Users", "antal", "2"}, {"Users", "user2", "Cy"}}, folder.File("Pyx4.ini")), 0);
  ClickControl(front.Main(), qtGame.Profiles().View().PlayerLabel);
  ASSERT_TRUE(front.Profiles() != nullptr);
  QListWidget* list = front.Profiles()->List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QTest::keyClick(list, Qt::Key_Up);
  ASSERT_EQ(list->currentRow(), 0);
  QTest::mouseClick(front.Profiles()->Remove(), Qt::LeftButton);
  EXPECT_EQ(Ini("Users", "antal") + " " + Ini("Users", "user1"), "1 Cy");
}

}  // namespace
}  // namespace pyxaro::testing

#include "submission_window_test.moc"
