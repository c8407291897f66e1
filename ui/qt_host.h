#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "core/host.h"

class QSoundEffect;

namespace pyxaro::ui {

// The desktop services on Qt. Before every box the screen is brought up to
// date, so the player sees what the question is about.
class QtHost : public Host {
 public:
  QtHost();
  ~QtHost() override;

  void SetBeforeBox(std::function<void()> sync) { beforeBox_ = std::move(sync); }
  bool Ending() const { return ending_; }

  bool Ask(const std::string& question, const std::string& title, bool yesIsDefault) override;
  void Tell(const std::string& text, const std::string& title, bool exclamation) override;
  std::optional<std::string> Prompt(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) override;
  std::optional<std::string> PromptMasked(const std::string& prompt,
                                          const std::string& title) override;
  void PlayWave(const std::string& path, bool waitForEnd) override;
  void OpenAddress(const std::string& address) override;
  WorkArea ScreenWorkArea() override;
  LocalTime Now() override;
  void SetBusy(bool busy) override;
  bool IsPicture(const std::string& path) override;
  void EndProgram() override;

 private:
  void BeforeBox();
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText, bool masked);

  std::function<void()> beforeBox_;
  // Created at the first sound, so a silent game never loads the audio stack.
  std::unique_ptr<QSoundEffect> background_;
  bool ending_ = false;
};

}  // namespace pyxaro::ui
