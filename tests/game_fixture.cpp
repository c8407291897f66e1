#include "tests/game_fixture.h"

#include <atomic>
#include <chrono>

#include "settings/ini.h"

namespace pyxaro::testing {

TempFolder::TempFolder() {
  static std::atomic<int> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("pyxaro-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& content) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TestText(int n) { return "text " + std::to_string(n); }

GameTest::GameTest() {
  folder.Write("Pyx4.ini",
               "[Options]\nPlaySound=Yes\nShowLangu=No\n"
               "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n");
  std::string language = "[Language]\n";
  for (int n = 0; n <= 26; ++n) {
    language += "l" + std::to_string(n) + "=" + TestText(n) + "\n";
  }
  folder.Write("test.lng", language);
  game = std::make_unique<Game>(host, dice, folder.Path().string());
}

void GameTest::Start() {
  game->LanguageLoad();
  game->sTimer2Tick();
}

void GameTest::Throw(std::initializer_list<int> faces) {
  dice.faces.insert(dice.faces.end(), faces.begin(), faces.end());
  game->Roll();
}

void GameTest::Table(std::initializer_list<int> faces) {
  for (int k = 1; k <= 6; ++k) {
    if (game->state.OnTable[k] == 1) game->PickUp(k);
  }
  Throw(faces);
}

std::string GameTest::Ini(const std::string& section, const std::string& key) const {
  return GetINI(section, key, folder.File("Pyx4.ini"));
}

}  // namespace pyxaro::testing
