#pragma once

#include <string>
#include <string_view>

namespace pyxaro {

// A settings key of a numbered item: the stem, the number without leading
// zeros and a suffix ("p" 1 is "p1", "l" 3 "p" is "l3p").
inline std::string NumberedKey(std::string_view stem, int n, std::string_view suffix = {}) {
  std::string key(stem);
  key += std::to_string(n);
  key += suffix;
  return key;
}

}  // namespace pyxaro
