#pragma once

#include <QString>
#include <memory>

#include "ui/sound_output.h"

namespace pyxaro::ui {

// The sound module in the program folder's sound folder, loaded at the
// first sound. Without
// the module the game stays silent, as it does without a sound device.
class SoundModule {
 public:
  explicit SoundModule(QString programFolder);
  ~SoundModule();
  SoundModule(const SoundModule&) = delete;
  SoundModule& operator=(const SoundModule&) = delete;

  // The module's sound output, loaded at the first call; null without one.
  SoundOutput* Output();

 private:
  QString programFolder_;
  bool tried_ = false;
  std::unique_ptr<SoundOutput> output_;
};

}  // namespace pyxaro::ui
