#pragma once

#include <QByteArray>
#include <utility>
#include <vector>

namespace pyxaro {

// An answer before it is written to the socket; the headers every answer
// carries are added there.
struct Reply {
  int status = 200;
  QByteArray contentType;
  QByteArray body;
  std::vector<std::pair<QByteArray, QByteArray>> headers;
};

}  // namespace pyxaro
