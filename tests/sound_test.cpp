#include <gtest/gtest.h>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class SoundTest : public GameTest {
 protected:
  void Play(int id) {
    game->run.SoundId = id;
    game->sndA();
  }
};

TEST_F(SoundTest, EffectNumbersMapToTheirFilesAndOnlyHundredsWait) {
  Start();
  struct Case {
    int id;
    const char* file;
    bool waited;
  };
  for (const Case& c :
       {Case{1, "dice.wav", false}, Case{2, "points.wav", false}, Case{3, "Bonus.wav", false},
        Case{4, "Yahoo2.wav", false}, Case{5, "Yatzy.wav", false}, Case{6, "Laser.wav", false},
        Case{7, "beep.wav", false}, Case{8, "pop.wav", false}, Case{105, "Yatzy.wav", true},
        Case{107, "beep.wav", true}}) {
    host.played.clear();
    Play(c.id);
    EXPECT_EQ(host.played, (std::vector<Played>{{folder.File(c.file), c.waited}})) << c.id;
  }
}

TEST_F(SoundTest, UnknownNumberReplaysTheLastFile) {
  Start();
  Play(3);
  Play(42);
  EXPECT_EQ(host.played.back(), (Played{folder.File("Bonus.wav"), false}));
}

TEST_F(SoundTest, OnlyExactlyYesPlays) {
  for (const char* value : {"No", "yes", ""}) {
    game->run.PlaySound = value;
    Play(1);
  }
  EXPECT_TRUE(host.played.empty());
}

TEST_F(SoundTest, SwitchWithoutAStoredValueTurnsOffThenOn) {
  folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\n");
  Start();
  EXPECT_EQ(game->main.SoundPic.Picture, 67);
  Play(1);
  EXPECT_TRUE(host.played.empty());
  game->SoundPicClick();
  EXPECT_EQ(game->main.SoundPic.Picture, 68);
  EXPECT_EQ(Ini("Options", "PlaySound"), "No");
  game->SoundPicClick();
  EXPECT_EQ(game->main.SoundPic.Picture, 67);
  EXPECT_EQ(Ini("Options", "PlaySound"), "Yes");
  Play(1);
  EXPECT_EQ(host.played.size(), 1u);
}

}  // namespace
}  // namespace pyxaro::testing
