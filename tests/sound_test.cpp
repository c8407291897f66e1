#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, EffectsPlayTheirFilesOnlyTheWaitedOnesWaitAndOnlyWithSoundOn) {
  Start();
  for (const Effect effect :
       {Effect::Dice, Effect::Points, Effect::Bonus, Effect::Yahoo, Effect::Yatzy, Effect::Laser,
        Effect::Beep, Effect::Pop, Effect::Fanfare, Effect::BeepToEnd, Effect::Doink}) {
    game->PlayEffect(effect);
  }
  std::string heard;  // "!" for a sound waited for
  for (const Played& p : host.played) {
    EXPECT_EQ(p.path, folder.File(std::filesystem::path(p.path).filename()));
    heard += std::filesystem::path(p.path).filename().string() + (p.waited ? "! " : " ");
  }
  EXPECT_EQ(heard,
            "dice.wav points.wav Bonus.wav Yahoo2.wav Yatzy.wav Laser.wav beep.wav pop.wav "
            "Yatzy.wav! beep.wav! doink.wav ");
  host.played.clear();
  for (const char* value : {"No", "yes", ""}) {
    game->run.PlaySound = value;
    game->PlayEffect(Effect::Dice);
  }
  EXPECT_TRUE(host.played.empty());
}

TEST_F(GameTest, SoundSwitchWithoutAStoredValueTurnsOffThenOn) {
  folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\n");
  Start();
  game->PlayEffect(Effect::Dice);
  EXPECT_TRUE(host.played.empty());
  for (const auto& [picture, stored] : {std::pair{68, "No"}, {67, "Yes"}}) {
    game->ToggleSound();
    EXPECT_EQ(game->main.SoundSwitch.Picture, picture);
    EXPECT_EQ(Ini("Options", "PlaySound"), stored);
  }
  game->PlayEffect(Effect::Dice);
  EXPECT_EQ(host.played.size(), 1u);
}

}  // namespace
}  // namespace pyxaro::testing
