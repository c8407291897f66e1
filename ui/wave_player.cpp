#include "ui/wave_player.h"

#include <QApplication>
#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

namespace pyxaro::ui {

namespace {

// What a sound device may add to a waited sound's own length before the game
// goes on regardless.
constexpr int kDeviceSlackMs = 300;
// The wait for a file whose length cannot be read from its header.
constexpr int kUnknownLengthMs = 2000;

// The playing time of a PCM wave file from its header, or nothing.
std::optional<int> WaveLengthMs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray head = file.read(4096);
  if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return std::nullopt;
  quint32 bytesPerSecond = 0;
  for (qsizetype at = 12; at + 8 <= head.size();) {
    const QByteArray id = head.mid(at, 4);
    const auto size = qFromLittleEndian<quint32>(head.constData() + at + 4);
    if (id == "fmt " && at + 20 <= head.size())
      bytesPerSecond = qFromLittleEndian<quint32>(head.constData() + at + 16);
    if (id == "data" && bytesPerSecond > 0)
      return static_cast<int>(static_cast<quint64>(size) * 1000 / bytesPerSecond);
    at += 8 + static_cast<qsizetype>(size) + (size & 1);
  }
  return std::nullopt;
}

// The audio stack tells the console once that no sound server answers; for
// a game that plays silently then, that is no news.
bool ProbeDevices() {
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  const bool found = !QMediaDevices::audioOutputs().isEmpty();
  qInstallMessageHandler(previous);
  return found;
}

}  // namespace

WavePlayer::WavePlayer() = default;
WavePlayer::~WavePlayer() = default;

bool WavePlayer::HasDevice() {
  if (!hasDevice_) hasDevice_ = ProbeDevices();
  return *hasDevice_;
}

QSoundEffect& WavePlayer::Loaded(const QString& path) {
  std::unique_ptr<QSoundEffect>& effect = effects_[path];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
  }
  return *effect;
}

void WavePlayer::Prepare(const std::vector<std::string>& paths) {
  if (!HasDevice()) return;
  for (const std::string& path : paths) {
    const QString file = QString::fromStdString(path);
    if (QFileInfo(file).isFile()) Loaded(file);
  }
}

void WavePlayer::Play(const std::string& path, bool waitForEnd) {
  if (!HasDevice()) return;
  const QString file = QString::fromStdString(path);
  const QFileInfo info(file);
  // A missing file sounds the desktop's own alert, as the player would hear
  // from any program whose sound is gone.
  if (!info.isFile() || !info.isReadable()) {
    QApplication::beep();
    return;
  }
  QSoundEffect& effect = Loaded(file);
  // A file the device cannot play sounds like a missing one.
  if (effect.status() == QSoundEffect::Error) {
    QApplication::beep();
    return;
  }
  if (playing_ != nullptr) playing_->stop();
  playing_ = &effect;
  effect.play();
  if (waitForEnd) WaitForEnd(effect, file);
}

void WavePlayer::WaitForEnd(QSoundEffect& effect, const QString& path) {
  QEventLoop loop;
  QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
    if (!effect.isPlaying()) loop.quit();
  });
  QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
    if (effect.status() == QSoundEffect::Error) loop.quit();
  });
  QTimer::singleShot(WaveLengthMs(path).value_or(kUnknownLengthMs) + kDeviceSlackMs, &loop,
                     &QEventLoop::quit);
  // Only the player's input is held back: the windows paint and the game's
  // timers tick as they would during a box.
  if (effect.isPlaying()) loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace pyxaro::ui
