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

// The stored rows of the top-ten list, for whoever needs one of them.
class TopTenRows {
 public:
  virtual ~TopTenRows() = default;
  // Row r (1..10), each field as the settings file holds it.
  virtual HighscoreEntry Row(int r) const = 0;
};

}  // namespace pyxaro
