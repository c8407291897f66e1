#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The sizes of the windows the program has shown so far, in the order they
// were painted: the minimal platform saves every painted frame into the
// working folder.
std::vector<QSize> Frames(const TempFolder& work) {
  std::vector<QSize> sizes;
  const QDir folder(QString::fromStdString(work.Path().string()));
  for (const QString& name : folder.entryList({"output*.png"}, QDir::Files, QDir::Name)) {
    const QSize size = QImageReader(folder.filePath(name)).size();
    if (size.isValid()) sizes.push_back(size);
  }
  return sizes;
}

// The built program started as a player starts it, from another folder: it
// looks for its settings beside the executable, not in the working folder.
TEST(Program, ReadsTheSettingsFileBesideItsExecutable) {
  const QSize splash(400, 250);
  for (const bool beside : {true, false}) {
    SCOPED_TRACE(beside ? "settings beside the program" : "settings in the working folder");
    TempFolder program, work;
    const std::filesystem::path executable = program.Path() / "pyxaro";
    std::filesystem::copy_file(PYXARO_EXECUTABLE, executable);
    std::filesystem::permissions(executable, std::filesystem::perms::owner_all);
    // Without its sounds the game would stop at the missing package's box.
    std::filesystem::copy_file(std::filesystem::path(PYXARO_EXECUTABLE).parent_path() / "Res.pac",
                               program.Path() / "Res.pac");
    // Skipping the picker shows that the file was read.
    (beside ? program : work)
        .Write("Pyx4.ini",
               "[Options]\nShowLangu=No\nPlaySound=No\n"
               "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n");

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "minimal");
    environment.insert("QT_DEBUG_BACKINGSTORE", "1");
    run.setProcessEnvironment(environment);
    run.setWorkingDirectory(QString::fromStdString(work.Path().string()));
    run.setStandardErrorFile(QProcess::nullDevice());
    run.start(QString::fromStdString(executable.string()), {});
    ASSERT_TRUE(run.waitForStarted());

    // The first window is the splash or, when the settings were not found,
    // the language picker. After the splash comes the game's opening: on
    // this platform's small screen, the box saying that the screen is too
    // small stands before the game window.
    const auto opened = [&splash](const std::vector<QSize>& frames) {
      return std::find_if(frames.begin(), frames.end(),
                          [&splash](const QSize& size) { return size != splash; }) != frames.end();
    };
    std::vector<QSize> frames;
    for (int waited = 0; waited < 15000 && !opened(frames); waited += 100) {
      QTest::qWait(100);
      frames = Frames(work);
    }
    run.kill();
    run.waitForFinished();
    ASSERT_TRUE(opened(frames));
    EXPECT_EQ(frames.front() == splash, beside);
  }
}

}  // namespace
}  // namespace pyxaro::testing
