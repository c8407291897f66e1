#pragma once

#include <QObject>
#include <functional>

#include "core/host.h"
#include "ui/wave_player.h"

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
  void PrepareWaves(const std::vector<std::string>& paths) override;
  void PlayWave(const std::string& path, bool waitForEnd) override;
  void OpenAddress(const std::string& address) override;
  WorkArea ScreenWorkArea() override;
  LocalTime Now() override;
  void SetBusy(bool busy) override;
  bool IsPicture(const std::string& path) override;
  void EndProgram() override;

 private:
  void BeforeBox();

  std::function<void()> beforeBox_;
  WavePlayer sounds_;
  bool ending_ = false;
};

}  // namespace pyxaro::ui
