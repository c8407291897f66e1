#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/forms.h"
#include "core/host.h"
#include "settings/languages.h"

namespace pyxaro {

// The dot-matrix display, thirteen characters a page, and the clock beneath
// the scorecard.
class MessageDisplay {
 public:
  MessageDisplay(Host& host, const Languages& texts);

  // Shows a message, paging through it when it is long.
  void Say(const std::string& message);
  // Shows a message for a while; EndAside says again what the display said
  // before it, unless another message came meanwhile. Shown again while it
  // stands, it keeps what came before the first.
  void SayAside(const std::string& message);
  void EndAside();
  // Shows the next page of a long message.
  void NextPage();
  // Sets the clock to the time of day.
  void ClockTick();
  // A fresh game window: nothing on the display, the clock not yet told.
  void Reset();
  // Names the clock in the player's language until it first tells the time.
  void PresentTexts();
  // The game window closes: its paging and its clock stop.
  void Stop();

  const std::string& Said() const { return view_.Said; }
  const DisplayView& View() const { return view_; }

 private:
  // Lights the dots of page page_.
  void ShowPage();

  Host& host_;
  const Languages& texts_;
  // The message said, a page a tick; one empty page before the first.
  std::vector<std::u32string> pages_{U""};
  std::size_t page_ = 0;
  // What the display said before the message shown aside, while it stands.
  std::optional<std::string> beforeAside_;
  DisplayView view_;
};

}  // namespace pyxaro
