#include "ui/sound_module.h"

#include <QDir>
#include <QLibrary>

namespace pyxaro::ui {

SoundModule::SoundModule(QString programFolder) : programFolder_(std::move(programFolder)) {}

SoundModule::~SoundModule() = default;

SoundOutput* SoundModule::Output() {
  if (tried_) return output_.get();
  tried_ = true;
  // Kept loaded to the end of the run: the output's code lives in it.
  QLibrary module(QDir(programFolder_).filePath(QStringLiteral("sound/libpyxaro_sound.so")));
  if (const auto make = reinterpret_cast<MakeSoundOutput>(module.resolve(kMakeSoundOutput))) {
    output_.reset(make());
  }
  return output_.get();
}

}  // namespace pyxaro::ui
