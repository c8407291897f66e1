#pragma once

#include <stdexcept>

namespace pyxaro {

// The database failed a statement: the list cannot answer until it is back.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace pyxaro
