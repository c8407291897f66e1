#include <QProcess>
#include <QTest>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

// The built program started as a player starts it, from another folder: it reads its settings
// beside its executable, and there the opening lists the sounds it unpacked; the working folder it
// leaves alone.
TEST(Program, KeepsItsSettingsBesideItsExecutable) {
  TempFolder program, work;
  const fs::path executable = program.Path() / "pyxaro";
  fs::copy_file(PYXARO_EXECUTABLE, executable);
  fs::copy_file(fs::path(PYXARO_EXECUTABLE).parent_path() / "Res.pac", program.Path() / "Res.pac");
  // Skipping the picker shows that the file was read: the picker would wait.
  program.Write("Pyx4.ini",
                "[Options]\nShowLangu=No\nPlaySound=No\n"
                "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n");

  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "minimal");
  run.setProcessEnvironment(environment);
  run.setWorkingDirectory(QString::fromStdString(work.Path().string()));
  run.setStandardErrorFile(QProcess::nullDevice());
  run.start(QString::fromStdString(executable.string()), {});
  ASSERT_TRUE(run.waitForStarted());
  const bool opened = QTest::qWaitFor(
      [&] { return program.Read("Pyx4.ini").find("[Resources]") != std::string::npos; }, 15000);
  run.kill();
  run.waitForFinished();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(fs::is_empty(work.Path()));
}

}  // namespace
}  // namespace pyxaro::testing
