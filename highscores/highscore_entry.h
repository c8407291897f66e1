#pragma once

#include <string>

namespace pyxaro {

// One row of the top-ten list, each field as the settings file stores it.
struct HighscoreEntry {
  std::string Points;
  std::string Name;
  std::string Key;
  std::string Date;
  bool operator==(const HighscoreEntry&) const = default;
};

}  // namespace pyxaro
