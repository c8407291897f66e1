// Two games writing one settings file at once; a game killed in its game end is the store's test.

#include <sys/wait.h>
#include <unistd.h>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

pid_t Spawn(const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(STORE_CHILD)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execv(STORE_CHILD, argv.data());
    ::_exit(127);
  }
  return pid;
}

int ExitCode(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(IniProcessesTest, TwoGamesEndingTogetherKeepBothEntries) {
  TempFolder folder;
  const std::string file = folder.File("Pyx4.ini");
  const auto Ini = [&](const std::string& key) { return GetINI("Highscore", key, file); };
  // One game ends with the odd totals up to 59, the other with the even up to 60.
  const pid_t odd = Spawn({"games", file, "1", "2", "30", "P"});
  const pid_t even = Spawn({"games", file, "2", "2", "30", "P"});
  EXPECT_EQ(ExitCode(odd), 0);
  EXPECT_EQ(ExitCode(even), 0);
  // Row r holds total 61 - r, its name and check value carrying it: a torn row or lost entry shows.
  for (int r = 1; r <= 10; ++r) {
    const std::string n = std::to_string(r), total = std::to_string(61 - r);
    EXPECT_EQ(Ini("p" + n) + "|" + Ini("n" + n) + "|" + Ini("k" + n),
              total + "|P" + total + " (0:00)|K" + total);
  }
  EXPECT_EQ(GetINI("Statistics", "games", file) + " " + GetINI("Statistics", "totalsum", file),
            "60 1830");
}

}  // namespace
}  // namespace pyxaro::testing
