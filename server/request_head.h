#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "server/score_site.h"

namespace pyxaro {

// The longest target the site reads, beside its method and version: a longer
// request line is refused before the rest of it is read. A target that fits
// here but not in kLongestTarget reaches the site, which answers 414 itself.
inline constexpr int kLongestRequestLine = kLongestTarget + 64;
// Browsers send a few kilobytes of headers at most and a proxy adds a few
// hundred bytes; a longer block is refused before the rest of it is read.
inline constexpr int kLongestHeaderBlock = 32 * 1024;
// The most of a request the front ever holds: a request refused by either
// bound is known to be refused by then.
inline constexpr int kLongestHead = kLongestRequestLine + kLongestHeaderBlock + 1;

// A request's line and headers as far as they have arrived. The site reads
// no bodies, so a request that announces one is refused, and the bytes after
// a whole head are the next request's.
struct RequestHead {
  enum class State { Incomplete, Whole, Refused };
  State state = State::Incomplete;
  int status = 0;  // why it is refused
  // The method and the target as sent, percent-escapes untouched; known once
  // the request line is, even when a header then refuses the request.
  QByteArray method;
  QByteArray path;
  QByteArray query;
  bool keepAlive = false;
  // The last address of X-Forwarded-For, the one the proxy in front added.
  QByteArray forwardedFor;
  qsizetype length = 0;  // of a whole head, its empty line included
};

RequestHead ReadRequestHead(QByteArrayView bytes);

}  // namespace pyxaro
