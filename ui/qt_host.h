#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "core/host.h"
#include "ui/sound_module.h"

class QLocale;
class QTranslator;
class QWidget;

namespace pyxaro::ui {

// The desktop services on Qt. Before every box the screen is brought up to
// date, so the player sees what the question is about.
class QtHost : public Host {
 public:
  QtHost();
  ~QtHost() override;

  void SetBeforeBox(std::function<void()> sync) { beforeBox_ = std::move(sync); }
  bool Ending() const { return ending_; }
  // Where the game window is found, made when it is needed and not yet there.
  void SetGameWindow(std::function<QWidget*()> window) { gameWindow_ = std::move(window); }

  bool Ask(const std::string& question, const std::string& title, bool yesIsDefault) override;
  std::optional<int> Choose(const std::string& question, const std::string& title,
                            const std::vector<std::string>& choices,
                            const std::string& cancel) override;
  void Tell(const std::string& text, const std::string& title, bool exclamation) override;
  std::optional<std::string> Prompt(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) override;
  void PrepareWaves(const std::vector<std::string>& paths) override;
  std::optional<std::string> PromptMasked(const std::string& prompt,
                                          const std::string& title) override;
  void PlayWave(const std::string& path, bool waitForEnd) override;
  void OpenAddress(const std::string& address) override;
  // The game window and its screen (ui/qt_host_window.cpp).
  WorkArea ScreenWorkArea() override;
  WindowPlace GameWindowPlace() override;
  void MoveGameWindow(WindowPlace place) override;
  void RestoreGameWindow() override;
  void MinimiseGameWindow() override;
  void UseLocale(const std::string& name) override;
  LocalTime Now() override;
  void SetBusy(bool busy) override;
  bool IsPicture(const std::string& path) override;
  void EndProgram() override;

 private:
  void BeforeBox();
  // The locale the language file names, else the system's.
  QLocale GameLocale() const;
  QWidget* GameWindow() const;
  std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText, bool masked);

  std::function<void()> beforeBox_;
  SoundModule sound_;
  std::function<QWidget*()> gameWindow_;
  // Qt's own translations for the locale the language file names.
  std::unique_ptr<QTranslator> translator_;
  std::string locale_;
  bool ending_ = false;
};

}  // namespace pyxaro::ui
