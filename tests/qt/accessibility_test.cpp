#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <set>

#include "core/text.h"
#include "scoring/entry.h"
#include "settings/ini.h"
#include "tests/game_fixture.h"
#include "ui/front.h"
#include "ui/qt_host.h"
#include "ui/qt_string.h"
#include "ui/widgets.h"

namespace pyxaro::testing {
namespace {

class AccessibilityTest : public GameTest {
 protected:
  void SetUp() override {
    front.Start();
    front.Act([this] { game->SplashTimeUp(); });
    ASSERT_TRUE(front.Main() != nullptr && front.Main()->isVisible());
  }

  QAccessibleInterface* Reader(const Control& control) const {
    QWidget* widget = front.Main()->childAt(ui::PxRect(control).center());
    return widget != nullptr ? QAccessible::queryAccessibleInterface(widget) : nullptr;
  }
  static QString Name(QAccessibleInterface* face) { return face->text(QAccessible::Name); }
  void Throw(const std::vector<int>& faces) {
    dice.faces.assign(faces.begin(), faces.end());
    front.Act([this] { game->Throw(); });
  }

  ui::Front front{*game, [this] { return host.ended; }};
};

TEST_F(AccessibilityTest, DiceRowsAndCountersSayWhatTheyShow) {
  Throw({1, 2, 5, 4, 5, 6});
  QAccessibleInterface* die = Reader(game->main.DieImages[3]);
  ASSERT_NE(die, nullptr);
  EXPECT_EQ(Name(die), "Die 3: five");
  EXPECT_EQ(die->role(), QAccessible::Button);

  // Ones is open; Chance takes its name from the language file.
  QAccessibleInterface* ones = Reader(game->main.CategoryRows[1]);
  ASSERT_NE(ones, nullptr);
  EXPECT_EQ(Name(ones), "Ones: open");
  EXPECT_EQ(ones->role(), QAccessible::Button);
  EXPECT_EQ(Name(Reader(game->main.CategoryRows[19])),
            QString::fromStdString(TestText(22)) + ": open");
  // The hint is part of the proposed row's description, and only of it.
  const int hinted = HintedCategory(game->state);
  ASSERT_GT(hinted, 0);
  EXPECT_FALSE(Reader(game->main.CategoryRows[hinted])->text(QAccessible::Description).isEmpty());
  EXPECT_TRUE(Reader(game->main.CategoryRows[hinted == 1 ? 2 : 1])
                  ->text(QAccessible::Description)
                  .isEmpty());

  front.Act([this] { game->EnterCategory(1); });
  EXPECT_EQ(Name(Reader(game->main.CategoryRows[1])), "Ones: 1");

  QAccessibleInterface* rolls = Reader(game->main.RollsLeftLabel);
  ASSERT_NE(rolls, nullptr);
  EXPECT_EQ(Name(rolls), QString::fromStdString(TestText(20)) + ": 59");
  EXPECT_EQ(rolls->role(), QAccessible::StaticText);
}

// Played in Swedish, no control says or shows an English text that the
// Swedish file says otherwise.
TEST_F(AccessibilityTest, InSwedishNoControlSpeaksEnglish) {
  const std::string english = (ShippedData() / "english.lng").string();
  const std::string swedish = (ShippedData() / "swedish.lng").string();
  std::filesystem::copy_file(swedish, folder.File("test.lng"),
                             std::filesystem::copy_options::overwrite_existing);
  front.Act([this] { game->Restart(); });
  Throw({1, 2, 5, 4, 5, 6});
  // A text without what the game fills in, numbers and access keys.
  const auto bare = [](QString text) {
    return text.remove(QRegularExpression(QStringLiteral("%1|[0-9&]"))).trimmed();
  };
  std::set<QString> englishOnly;
  for (const std::string& key : KeysOf(english)) {
    const std::string text = GetINI("Language", key, english);
    // Words only: a decimal point is no English.
    const QString words = bare(ui::Q(text));
    if (text != GetINI("Language", key, swedish) && words.contains(QRegularExpression("\\w{2}"))) {
      englishOnly.insert(words);
    }
  }
  int heard = 0;
  for (QWidget* control : front.Main()->findChildren<QWidget*>()) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
    for (const QString& text :
         {Name(reader), reader->text(QAccessible::Description), control->toolTip()}) {
      for (const QString& part : text.split(QRegularExpression(QStringLiteral("[:()]")))) {
        EXPECT_FALSE(englishOnly.contains(bare(part))) << text.toStdString();
        ++heard;
      }
    }
  }
  EXPECT_GT(heard, 100);
}

// A screen reader's press goes through the same gate as a key (the keyboard
// test tries the shut ones); only a hidden control has no key.
TEST_F(AccessibilityTest, AScreenReaderPressesOnlyWhatAClickCouldReach) {
  QAccessibleInterface* throwArea = Reader(game->main.ThrowArea);
  ASSERT_TRUE(throwArea != nullptr && throwArea->actionInterface() != nullptr);
  dice.faces = {1, 2, 3, 4, 5, 6};
  throwArea->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(game->state.RollsLeft, 59);

  // The top-ten list has room, so its clearing label is hidden: no question.
  ASSERT_FALSE(game->main.ClearTopTenLabel.Visible);
  QWidget* clear = nullptr;
  for (QWidget* child : front.Main()->findChildren<QWidget*>()) {
    if (child->pos() == ui::PxRect(game->main.ClearTopTenLabel).topLeft()) clear = child;
  }
  ASSERT_NE(clear, nullptr);
  QAccessible::queryAccessibleInterface(clear)->actionInterface()->doAction(
      QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(AccessibilityTest, TheDisplayGivesItsWholeMessageAsText) {
  ui::DotDisplay* display = nullptr;
  for (QWidget* child : front.Main()->findChildren<QWidget*>()) {
    if (auto* dots = dynamic_cast<ui::DotDisplay*>(child)) display = dots;
  }
  ASSERT_NE(display, nullptr);
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(display);
  EXPECT_EQ(reader->role(), QAccessible::StaticText);
  EXPECT_EQ(Name(reader), QString::fromStdString(TestText(0)));
  // Longer than the thirteen dots of one page, and whole on every page.
  const std::string message = "Score: 14 and the bonus";
  front.Act([&] { game->Say(message); });
  EXPECT_EQ(Name(reader), QString::fromStdString(message));
  front.Act([this] { game->NextPage(); });
  EXPECT_EQ(Name(reader), QString::fromStdString(message));
  Throw({1, 1, 1, 1, 1, 1});
  EXPECT_EQ(Name(reader), QString::fromStdString(TestText(4)));
}

TEST(DesktopTextsTest, BoxesSpeakTheGamesLanguageAndAnswerEnterAndEscape) {
  ui::QtHost host;
  QStringList buttons;
  const auto ask = [&](bool yesIsDefault, Qt::Key key) {
    buttons.clear();
    QTimer::singleShot(0, [&buttons, key] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QAbstractButton* button : box->buttons()) buttons.append(button->text().remove('&'));
      buttons.sort();
      QTest::keyClick(box, key);
    });
    return host.Ask("?", "", yesIsDefault);
  };

  host.UseLocale("sv");
  EXPECT_TRUE(ask(true, Qt::Key_Return));
  EXPECT_EQ(buttons, (QStringList{"Ja", "Nej"}));
  EXPECT_FALSE(ask(true, Qt::Key_Escape));
  EXPECT_FALSE(ask(false, Qt::Key_Enter));

  host.UseLocale("es");
  EXPECT_TRUE(ask(true, Qt::Key_Return));
  EXPECT_EQ(buttons, (QStringList{"No", "Sí"}));

  host.UseLocale("en");
  EXPECT_FALSE(ask(false, Qt::Key_Return));
  EXPECT_EQ(buttons, (QStringList{"No", "Yes"}));

  // Every language the game comes with has the boxes' buttons in its words.
  const std::filesystem::path data = ShippedData();
  const std::string list = (data / "Pyx4.ini").string();
  const int count = LeadingNumber(GetINI("Language", "antal", list));
  for (int i = 1; i <= count; ++i) {
    const std::string file =
        (data / GetINI("Language", "l" + std::to_string(i) + "p", list)).string();
    const std::string locale = GetINI("Language", "locale", file);
    SCOPED_TRACE(file + " " + locale);
    host.UseLocale(locale);
    EXPECT_FALSE(ask(false, Qt::Key_Escape));
    EXPECT_EQ(buttons == QStringList({"No", "Yes"}), locale == "en");
  }
}

}  // namespace
}  // namespace pyxaro::testing
