#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, EffectNumbersPlayTheirFilesAndOnlyHundredsWait) {
  Start();
  // The effect's number, its file and whether the game waits for its end; an
  // unknown number plays the last file again.
  const std::tuple<int, const char*, bool> cases[] = {
      {1, "dice.wav", false},   {2, "points.wav", false}, {3, "Bonus.wav", false},
      {4, "Yahoo2.wav", false}, {5, "Yatzy.wav", false},  {6, "Laser.wav", false},
      {7, "beep.wav", false},   {8, "pop.wav", false},    {105, "Yatzy.wav", true},
      {107, "beep.wav", true},  {42, "beep.wav", false}};
  for (const auto& [id, file, waited] : cases) {
    host.played.clear();
    game->run.EffectNumber = id;
    game->PlayEffect();
    EXPECT_EQ(host.played, (std::vector<Played>{{folder.File(file), waited}})) << id;
  }
  host.played.clear();
  for (const char* value : {"No", "yes", ""}) {
    game->run.PlaySound = value;
    game->PlayEffect();
  }
  EXPECT_TRUE(host.played.empty());
}

TEST_F(GameTest, SoundSwitchWithoutAStoredValueTurnsOffThenOn) {
  folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\n");
  Start();
  game->run.EffectNumber = 1;
  game->PlayEffect();
  EXPECT_TRUE(host.played.empty());
  game->ToggleSound();
  EXPECT_EQ(game->main.SoundSwitch.Picture, 68);
  EXPECT_EQ(Ini("Options", "PlaySound"), "No");
  game->ToggleSound();
  EXPECT_EQ(game->main.SoundSwitch.Picture, 67);
  EXPECT_EQ(Ini("Options", "PlaySound"), "Yes");
  game->PlayEffect();
  EXPECT_EQ(host.played.size(), 1u);
}

}  // namespace
}  // namespace pyxaro::testing
