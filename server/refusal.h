#pragma once

#include <QString>

namespace pyxaro {

// A request the list turns away: the status it is answered with, and why, in
// words the player reads in the browser.
struct Refusal {
  int status = 400;
  QString reason;

  bool operator==(const Refusal&) const = default;
};

}  // namespace pyxaro
