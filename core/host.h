#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pyxaro {

struct LocalTime {
  int Year = 2000;
  int Month = 1;  // 1..12
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  double SecondsSinceMidnight = 0;  // with its fraction
  std::string MonthName;            // in the system's language
};

// The usable area of the game window's screen without its panels, in twips.
struct WorkArea {
  int Width = 0;
  int Height = 0;
};

// Where the game window stands, in twips from the top left corner of the
// work area of its screen.
struct WindowPlace {
  int Left = 0;
  int Top = 0;
  bool operator==(const WindowPlace&) const = default;
};

// The desktop services the routines need. The front end implements it with
// Qt; the tests with a scripted fake. Every box is modal: the call returns
// the player's answer.
class Host {
 public:
  virtual ~Host() = default;

  // A Yes/No question box; true for Yes.
  virtual bool Ask(const std::string& question, const std::string& title, bool yesIsDefault) = 0;
  // A question box with a button for each choice, the first the default,
  // and Cancel: the choice taken, counted from 0, or none for Cancel.
  virtual std::optional<int> Choose(const std::string& question, const std::string& title,
                                    const std::vector<std::string>& choices,
                                    const std::string& cancel) = 0;
  // An OK box; an empty title shows the program's name.
  virtual void Tell(const std::string& text, const std::string& title, bool exclamation) = 0;
  // An input box; no value when the player cancels.
  virtual std::optional<std::string> Prompt(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) = 0;
  // Keeps these wave files ready, so that each starts at once when played.
  virtual void PrepareWaves(const std::vector<std::string>& paths) = 0;
  // An input box that hides what is typed, for passwords; empty at first.
  virtual std::optional<std::string> PromptMasked(const std::string& prompt,
                                                  const std::string& title) = 0;
  // Plays a wave file in the background, or to its end when waitForEnd is set.
  virtual void PlayWave(const std::string& path, bool waitForEnd) = 0;
  virtual void OpenAddress(const std::string& address) = 0;
  virtual WorkArea ScreenWorkArea() = 0;
  virtual WindowPlace GameWindowPlace() = 0;
  virtual void MoveGameWindow(WindowPlace place) = 0;
  // Brings the game window back from minimised or maximised to its normal
  // state, without showing a window that is not shown yet.
  virtual void RestoreGameWindow() = 0;
  virtual void MinimiseGameWindow() = 0;
  // The desktop's own texts (the boxes' Yes, No, OK and Cancel) follow this
  // locale ("sv", "es"); an empty name follows the system's locale.
  virtual void UseLocale(const std::string& name) = 0;
  virtual LocalTime Now() = 0;
  virtual void SetBusy(bool busy) = 0;
  // Whether the file exists and holds a picture the desktop can show.
  virtual bool IsPicture(const std::string& path) = 0;
  // Ends the program at once; no further routine runs.
  virtual void EndProgram() = 0;
};

}  // namespace pyxaro
