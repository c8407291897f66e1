#pragma once

#include <string>

#include "core/chance.h"
#include "core/forms.h"
#include "core/game_state.h"
#include "core/host.h"

namespace pyxaro {

// The game's behaviour: every routine works on the shared record and the
// windows' data, and reaches the desktop only through Host. Each routine is
// defined in the source file of its subsystem.
class Game {
 public:
  Game(Host& host, RandomSource& chance, std::string appFolder);

  GameState state;
  RunValues run;
  MainForm main;
  LanguageForm language;
  SplashForm splash;

  const std::string& AppFolder() const { return appFolder_; }

  // Start-up (settings/languages.cpp for the picker, core/startup.cpp).
  void LanguageLoad();
  void ShowSplash();
  void SplashLoad();
  void sTimer2Tick();
  void MainLoad();

  // Throwing and picking up (core/rolling.cpp).
  void Roll();
  void PickUp(int k);
  void RemoveAll();
  void Varje();
  void TimerPlayTick();

  // Undo (core/undo.cpp).
  void Undo();

  // New game, game end and quitting (core/new_game.cpp).
  void Restart();
  void NyttSpel();
  void butt_End();
  void Avsluta();
  void TimerEndTick();

  // Window placement (core/window_placement.cpp).
  void ScreenKoll();

  // The scorecard (scoring/scorecard.cpp, scoring/hint.cpp).
  void EnterKateg(int k);
  void NoAble();
  void bonusVarje();
  void CheckKateg();

  // The top-ten list (highscores/).
  void KollaScore();
  void UpdatTopp();
  void ClearTopp();
  void ToppClick(int r);
  void GeKey();
  void SendX();

  // Languages (settings/languages.cpp).
  void List1Click(int row);
  void ConfirmLanguage();
  void Langu();
  void ChooseLangFile();

  // Resources and sound (settings/).
  void Unpack();
  void DelRes();
  void sndA();
  void SoundPicClick();

  // The message display, its clock and the scorecard layout (display/).
  void Say();
  void Timer1Tick();
  void Bin2Scroll();
  void Abc2Bin(const std::string& pattern);
  void Timer3Tick();
  void PlaceAll();

  // Settings and language texts, read at the moment of use.
  std::string Setting(const std::string& section, const std::string& key) const;
  void Store(const std::string& section, const std::string& key, const std::string& value);
  std::string LangText(const std::string& key) const;
  // " " + text + " ", or the fallback when the text is empty.
  std::string ToolTipText(const std::string& key, const std::string& fallback) const;
  // A file in the program folder.
  std::string AppFile(const std::string& name) const;

 private:
  Host& host_;
  RandomSource& chance_;
  std::string appFolder_;
};

}  // namespace pyxaro
