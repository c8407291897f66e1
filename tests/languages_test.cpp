#include <filesystem>
#include <string>

#include "core/text.h"
#include "display/font.h"
#include "settings/ini.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

constexpr const char* kThreeLanguages =
    "[Language]\nantal=3\nl1n=English\nl2n=Svenska\nl3n=Svenska\nselected=1\n";

struct Choice {
  int row;
  bool ticked;
  const char* editedWhileOpen;  // the settings file as changed behind the picker
  const char* selected;
};

class Confirming : public GameTest, public ::testing::WithParamInterface<Choice> {};

TEST_P(Confirming, StoresTheFirstMatchAndWhetherToSkipThePickerNextTime) {
  const Choice& c = GetParam();
  folder.Write("Pyx4.ini", kThreeLanguages);
  game->LanguageLoad();
  ASSERT_TRUE(game->language.Visible);
  if (c.editedWhileOpen != nullptr) folder.Write("Pyx4.ini", c.editedWhileOpen);

  game->ConfirmLanguage();  // no row yet: nothing happens
  EXPECT_TRUE(game->language.Visible);
  EXPECT_EQ(Ini("Options", "ShowLangu"), "");

  game->List1Click(c.row);
  EXPECT_TRUE(game->language.Command1.Enabled);
  game->language.Check1Ticked = c.ticked;
  game->ConfirmLanguage();
  EXPECT_EQ(Ini("Language", "selected"), c.selected);
  EXPECT_EQ(Ini("Options", "ShowLangu"), c.ticked ? "No" : "Yes");
  EXPECT_FALSE(game->language.Visible);
  EXPECT_TRUE(game->splash.Visible);

  Game next(host, dice, folder.Path().string());
  next.LanguageLoad();
  EXPECT_EQ(next.language.Visible, !c.ticked);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, Confirming,
    ::testing::Values(Choice{0, false, nullptr, "1"}, Choice{1, true, nullptr, "2"},
                      // Two equal names: the lower number wins.
                      Choice{2, false, nullptr, "2"},
                      // No name matches: the selection stays.
                      Choice{1, true, "[Language]\nantal=3\nl2n=Swedish\nl3n=svenska\nselected=1\n",
                             "1"},
                      Choice{1, false, "[Language]\nantal=1\nl2n=Svenska\nselected=1\n", "1"},
                      Choice{1, false, "[Language]\nantal=x\nl2n=Svenska\nselected=1\n", "1"},
                      Choice{1, false, "[Language]\nantal=-2\nl2n=Svenska\nselected=1\n", "1"}));

TEST_F(GameTest, ChooseLangFileFollowsTheSelection) {
  folder.Write("Pyx4.ini", "[Language]\nl1p=test.lng\nl2p=other.lng\nselected=2\n");
  folder.Write("other.lng", "[Language]\nl0=other greeting\n");
  game->LanguageLoad();
  game->ChooseLangFile();
  EXPECT_EQ(game->run.LangFile, folder.File("other.lng"));
  EXPECT_EQ(game->LangText("l0"), "other greeting");

  SetINI("Language", "selected", "7", folder.File("Pyx4.ini"));
  game->ChooseLangFile();
  EXPECT_EQ(game->LangText("l0"), "");
}

TEST_F(GameTest, LanguButtonAsksThenClosesTheGameWindow) {
  Start();
  game->language.List1.ListIndex = 0;
  game->language.Check1Ticked = true;
  game->main.TimerEnd.SetEnabled(true);  // a game has just ended

  host.answers = {false, true};
  game->Langu();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, TestText(10));
  EXPECT_EQ(host.boxes[0].title, TestText(5));
  EXPECT_FALSE(host.boxes[0].yesIsDefault);
  EXPECT_TRUE(game->main.Loaded);
  EXPECT_FALSE(game->language.Visible);

  game->Langu();
  EXPECT_FALSE(game->main.Loaded);
  EXPECT_FALSE(game->main.Visible);
  EXPECT_FALSE(game->main.TimerEnd.Enabled());  // the discarded game is not scored
  EXPECT_TRUE(game->language.Visible);
  EXPECT_EQ(game->language.List1.ListIndex, 0);
  EXPECT_TRUE(game->language.Check1Ticked);
}

// Every shipped language has all its texts, and every display message fits
// one page in characters the display can draw.
TEST(ShippedLanguages, AreCompleteAndFitTheDisplay) {
  const auto data = std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
  const std::string ini = (data / "Pyx4.ini").string();
  EXPECT_EQ(GetINI("Options", "ShowLangu", ini), "");
  const int count = LeadingNumber(GetINI("Language", "antal", ini));
  EXPECT_GE(count, 3);
  for (int i = 1; i <= count; ++i) {
    const std::string file =
        (data / GetINI("Language", "l" + std::to_string(i) + "p", ini)).string();
    SCOPED_TRACE(file);
    for (int n = 0; n <= 26; ++n) {
      std::string text = GetINI("Language", "l" + std::to_string(n), file);
      EXPECT_NE(text, "") << n;
      if (n > 4 && n != 7 && n != 15 && n != 17) continue;
      if (n == 1) text += ": 1234";  // the score word comes before the total
      EXPECT_LE(CharCount(text), 13) << text;
      for (char32_t ch : ToCodePoints(text)) {
        EXPECT_TRUE(ch == U' ' || Abc101(ch) != Abc101(U' ')) << text;
      }
    }
  }
}

}  // namespace
}  // namespace pyxaro::testing
