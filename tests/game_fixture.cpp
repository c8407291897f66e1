#include "tests/game_fixture.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/version.h"
#include "scoring/advisor_correction.h"
#include "scoring/block_values.h"
#include "scoring/check_value.h"

namespace pyxaro::testing {

// A question a test scripted no answer for fails that test.
const struct FailUnscripted {
  FailUnscripted() {
    OnUnscripted() = [](const std::string& asked) { ADD_FAILURE() << "unscripted " << asked; };
  }
} kFailUnscripted;

std::filesystem::path ShippedData() {
  return std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
}

std::vector<std::string> KeysOf(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> keys;
  for (std::string line; std::getline(in, line);) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && line[0] != ';') keys.push_back(line.substr(0, equals));
  }
  return keys;
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> AsNobody(const std::function<std::string()>& check) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipe[0]);
    const bool nobody =
        ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    const std::string result = nobody ? check() : std::string("\x01");  // never a check's answer
    ::_exit(::write(pipe[1], result.data(), result.size()) < 0 ? 1 : 0);
  }
  ::close(pipe[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  ::close(pipe[0]);
  ::waitpid(pid, nullptr, 0);
  if (result == "\x01") return std::nullopt;
  return result;
}

Advisor& TheAdvisor() {
  static Advisor advisor(blocks::Embedded(), kFittedCorrection);
  return advisor;
}

void PlayThrough(const std::unique_ptr<Game>& game, Player& player, const MoveHook& before,
                 const MoveHook& after) {
  while (!IsOver(game->Turn().State())) {
    const Move move = player.Choose(game->Turn().State());
    if (before) before(move, game->Turn().State());
    const GameState was = game->Turn().State();
    Click(*game, move);
    if (game->Turn().State() == was) {
      ADD_FAILURE() << "a move was refused";
      return;
    }
    if (after) after(move, was);
    // A hook's failed assertion ends the game, as it would have ended a test that played inline.
    if (::testing::Test::HasFatalFailure()) return;
  }
}

OtherCopy::OtherCopy(const TempFolder& from, const LocalTime& now) {
  for (const char* file : {"Pyx4.ini", "test.lng", "Res.pac"})
    std::filesystem::copy_file(from.File(file), folder.File(file));
  host.now = now;
  game = std::make_unique<Game>(host, chance, dice, folder.Path().string());
  dice.table = &game->Turn().State();
  game->Start();
  game->Do(Command::SplashTimeUp);
}

GameTest::GameTest() {
  folder.Write("Pyx4.ini",
               "[Options]\nPlaySound=Yes\nShowLangu=No\n"
               "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n");
  std::string language = "[Language]\n";
  for (int n = 0; n <= 26; ++n) language += "l" + std::to_string(n) + "=" + TestText(n) + "\n";
  folder.Write("test.lng", language);
  // The package the build made, so that the game opens as it ships.
  std::filesystem::copy_file(PYXARO_SHIPPED_PACKAGE, folder.File("Res.pac"));
  MakeGame();
}

void GameTest::MakeGame() {
  game = std::make_unique<Game>(host, chance, dice, folder.Path().string());
  dice.table = &game->Turn().State();
}

void GameTest::StoreProfiles(const std::vector<std::string>& names,
                             const std::string& selected) const {
  std::vector<IniChange> changes{{"Users", "antal", std::to_string(names.size())},
                                 {"Users", "selected", selected}};
  for (std::size_t i = 0; i < names.size(); ++i) {
    changes.push_back({"Users", "user" + std::to_string(i + 1), names[i]});
    changes.push_back({"Users", "pass" + std::to_string(i + 1), "pw" + names[i]});
  }
  Store(changes);
}

void GameTest::ReadOnlySettings() const { ::chmod(IniFile().c_str(), 0444); }

void GameTest::Table(const std::vector<int>& faces) {
  for (int k = 1; k <= kDiceCount; ++k)
    if (game->Turn().State().OnTable(k)) game->PickUp(Die{k});
  Throw(faces);
}

void GameTest::EndGame(int total, int playSeconds) {
  // The pool spent after an entry ends a game whatever its card holds.
  GameState over;
  over.Score[kCategoryCount] = total;
  over.RollsLeft = 0;
  over.ThrowEntered = true;
  over.PlaySeconds = static_cast<std::int16_t>(playSeconds);
  Continue(over);
  chance.draws.push_back(0.5);
  game->Do(Command::GameEndTick);
}

std::string GameTest::CheckValueOf(int total) {
  return CheckValue(5, total, GameMonth(2026, 12), VersionNumber(kAppVersion));
}

}  // namespace pyxaro::testing
