#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, EffectsPlayTheirFilesAndOnlyTheWaitedOnesWait) {
  Start();
  const std::tuple<Effect, const char*, bool> cases[] = {
      {Effect::Dice, "dice.wav", false},    {Effect::Points, "points.wav", false},
      {Effect::Bonus, "Bonus.wav", false},  {Effect::Yahoo, "Yahoo2.wav", false},
      {Effect::Yatzy, "Yatzy.wav", false},  {Effect::Laser, "Laser.wav", false},
      {Effect::Beep, "beep.wav", false},    {Effect::Pop, "pop.wav", false},
      {Effect::Fanfare, "Yatzy.wav", true}, {Effect::BeepToEnd, "beep.wav", true},
      {Effect::Doink, "doink.wav", false}};
  for (const auto& [effect, file, waited] : cases) {
    host.played.clear();
    game->PlayEffect(effect);
    EXPECT_EQ(host.played, (std::vector<Played>{{folder.File(file), waited}})) << file;
  }
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
  game->ToggleSound();
  EXPECT_EQ(game->main.SoundSwitch.Picture, 68);
  EXPECT_EQ(Ini("Options", "PlaySound"), "No");
  game->ToggleSound();
  EXPECT_EQ(game->main.SoundSwitch.Picture, 67);
  EXPECT_EQ(Ini("Options", "PlaySound"), "Yes");
  game->PlayEffect(Effect::Dice);
  EXPECT_EQ(host.played.size(), 1u);
}

}  // namespace
}  // namespace pyxaro::testing
