#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "game/game.h"
#include "settings/ini.h"
#include "tests/game_fixture.h"

namespace {

using pyxaro::GetINI;
using pyxaro::SetINI;

constexpr int kProfiles = 1000;
constexpr int kReadsPerRound = 10000;

// A settings file as a club computer might hold it: the usual sections and
// a thousand player profiles, untouched for an hour.
class ProfilesFile {
 public:
  ProfilesFile() {
    std::string text = "[Options]\r\nPlaySound=Yes\r\nShowLangu=No\r\nShowUser=Yes\r\n\r\n";
    text += "[Language]\r\nantal=1\r\nl1n=English\r\nl1p=english.lng\r\nselected=1\r\n\r\n";
    text += "[Highscore]\r\n";
    for (int r = 1; r <= 10; ++r) {
      const std::string n = std::to_string(r);
      text += "p" + n + "=" + std::to_string(900 - r) + "\r\nn" + n + "=Player " + n +
              " (12:34)\r\nk" + n + "=ABCDEF" + n + "\r\nd" + n + "=2405\r\n";
    }
    text += "\r\n[Users]\r\nantal=" + std::to_string(kProfiles) + "\r\nselected=17\r\n";
    for (int i = 1; i <= kProfiles; ++i) {
      const std::string n = std::to_string(i);
      text += "user" + n + "=Spelare Åsa " + n + "\r\npass" + n + "=hemligt" + n + "\r\n";
    }
    folder_.Write("Pyx4.ini", text);
    namespace fs = std::filesystem;
    fs::last_write_time(Path(), fs::last_write_time(Path()) - std::chrono::hours(1));
  }
  std::string Path() const { return folder_.File("Pyx4.ini"); }

 private:
  pyxaro::testing::TempFolder folder_;
};

void BM_GetINI_10000Reads(benchmark::State& state) {
  const ProfilesFile file;
  const std::string path = file.Path();
  std::vector<std::string> keys;
  for (int i = 1; i <= kProfiles; ++i) {
    keys.push_back("user" + std::to_string(i));
    keys.push_back("pass" + std::to_string(i));
  }
  keys.emplace_back("antal");
  keys.emplace_back("selected");
  const std::string section = "Users";
  for (auto _ : state) {
    for (int call = 0; call < kReadsPerRound; ++call) {
      benchmark::DoNotOptimize(
          GetINI(section, keys[static_cast<std::size_t>(call) % keys.size()], path));
    }
  }
  state.SetItemsProcessed(state.iterations() * kReadsPerRound);
}
BENCHMARK(BM_GetINI_10000Reads)->Unit(benchmark::kMillisecond);

void BM_SetINI_OneWrite(benchmark::State& state) {
  const ProfilesFile file;
  const std::string path = file.Path();
  const std::string values[] = {"Spelare Ö", "Spelare Ä"};
  int round = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SetINI("Users", "user500", values[round++ % 2], path));
  }
}
BENCHMARK(BM_SetINI_OneWrite)->Unit(benchmark::kMicrosecond);

// A game end that enters the list, with a settings file of 4 MB in 200,000
// keys: the whole list and the name are one write of the file. The keys
// stand in a section the game does not read (0) or in the profiles, which
// every new game reads (1).
void BM_GameEnd_4MB_200000Keys(benchmark::State& state) {
  constexpr int kKeys = 200000;
  pyxaro::testing::TempFolder folder;
  std::string text = "[Options]\nPlaySound=No\n\n[Highscore]\n";
  for (int r = 1; r <= 10; ++r) text += "p" + std::to_string(r) + "=0\n";
  text += state.range(0) == 0 ? "\n[Club]\n" : "\n[Users]\n";
  for (int i = 1; i <= kKeys; ++i)
    text += "m" + std::to_string(i) + "=player " + std::to_string(i) + "\n";
  folder.Write("Pyx4.ini", text);
  state.counters["file MB"] = static_cast<double>(text.size()) / 1e6;

  pyxaro::testing::FakeHost host;
  pyxaro::testing::ScriptedChance chance;
  pyxaro::testing::ScriptedDice dice;
  pyxaro::Game game(host, chance, dice, folder.Path().string());
  game.Start();
  pyxaro::GameState over;
  over.RollsLeft = 0;
  over.ThrowEntered = true;
  int total = 1;
  for (auto _ : state) {
    host.inputs = {"Ann"};
    host.boxes.clear();
    chance.draws = {0.5};  // the check value's digit
    over.Score[pyxaro::kCategoryCount] = total++;
    pyxaro::testing::GameSetUp::Continue(game, over);
    game.Do(pyxaro::Command::GameEndTick);
  }
  if (GetINI("Highscore", "p1", game.Settings().File()) != std::to_string(total - 1))
    state.SkipWithError("the game end was not stored");
}
BENCHMARK(BM_GameEnd_4MB_200000Keys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
