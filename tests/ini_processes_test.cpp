// Other processes on the same settings file: a game killed in the middle of
// its game end, and two games writing at once.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/text.h"
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

// The list as games with totals 1 .. newest leave it: row r holds newest
// - r + 1, named and keyed by its total, and rows below total 1 are empty.
// Empty when the list is anything else, such as a torn row or a lost entry.
std::string WholeListCheck(const std::string& file, int newest) {
  for (int r = 1; r <= 10; ++r) {
    const int points = std::max(newest - r + 1, 0);
    const std::string n = std::to_string(r);
    const std::string row = GetINI("Highscore", "p" + n, file) + "|" +
                            GetINI("Highscore", "n" + n, file) + "|" +
                            GetINI("Highscore", "k" + n, file);
    const std::string expected = points == 0
                                     ? "0||"
                                     : std::to_string(points) + "|P" + std::to_string(points) +
                                           " (0:00)|K" + std::to_string(points);
    if (row != expected) return "row " + n + " is " + row + ", not " + expected;
  }
  return {};
}

TEST(IniProcessesTest, AGameKilledDuringItsGameEndLeavesTheOldListOrTheNew) {
  TempFolder folder;
  const std::string file = folder.File("Pyx4.ini");
  std::vector<IniChange> empty;
  for (int r = 1; r <= 10; ++r) empty.push_back({"Highscore", "p" + std::to_string(r), "0"});
  ASSERT_EQ(SetINIBatch(empty, file), -1);
  int newest = 0;
  // The kills fall anywhere in the first two spans of a start and one game
  // end, however slow the machine or the build: before, during and after writes.
  const auto began = std::chrono::steady_clock::now();
  ExitCode(Spawn({"games", folder.File("timing.ini"), "1", "1", "1", "P"}));
  const auto span = std::chrono::steady_clock::now() - began;
  int kill = 0;
  for (; (kill < 200 || newest < 30) && kill < 2000; ++kill) {
    const pid_t pid = Spawn({"games", file, "0", "1", "0", "P"});
    std::this_thread::sleep_for(span * ((kill * 7919) % 1000) / 500);
    ::kill(pid, SIGKILL);
    ExitCode(pid);
    const int now = LeadingNumber(GetINI("Highscore", "p1", file));
    ASSERT_GE(now, newest) << "a game end was lost at kill " << kill;
    newest = now;
    ASSERT_EQ(WholeListCheck(file, newest), "") << "at kill " << kill;
    // The statistics are written in the list's replacement: never one
    // without the other.
    ASSERT_EQ(LeadingNumber(GetINI("Statistics", "games", file)), newest) << "at kill " << kill;
  }
  EXPECT_GE(newest, 30) << "after " << kill << " kills";

  RemoveLeftoverTempFiles(file);
  EXPECT_EQ(
      FileNames(folder.Path()),
      (std::vector<std::string>{".Pyx4.ini.lock", ".timing.ini.lock", "Pyx4.ini", "timing.ini"}));
}

TEST(IniProcessesTest, TwoGamesEndingTogetherKeepBothEntries) {
  TempFolder folder;
  const std::string file = folder.File("Pyx4.ini");
  // One game ends with the odd totals up to 59, the other with the even up to 60.
  const pid_t odd = Spawn({"games", file, "1", "2", "30", "P"});
  const pid_t even = Spawn({"games", file, "2", "2", "30", "P"});
  EXPECT_EQ(ExitCode(odd), 0);
  EXPECT_EQ(ExitCode(even), 0);
  EXPECT_EQ(WholeListCheck(file, 60), "");
  EXPECT_EQ(GetINI("Statistics", "games", file) + " " + GetINI("Statistics", "totalsum", file),
            "60 1830");
}

}  // namespace
}  // namespace pyxaro::testing
