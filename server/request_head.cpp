#include "server/request_head.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <algorithm>
#include <optional>

namespace pyxaro {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsTokenCharacter(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool IsToken(QByteArrayView text) {
  return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsTokenCharacter);
}

// A target is printable ASCII: a client percent-encodes everything else, so
// no control byte or raw UTF-8 reaches the site or the log.
bool IsTargetCharacter(char c) { return c > ' ' && c < '\x7F'; }

// A field value holds no control character but the tab.
bool IsValueCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte == '\t' || (byte >= ' ' && byte != 0x7F);
}

bool Is(QByteArrayView name, QByteArrayView wanted) {
  return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

RequestHead Refused(RequestHead head, int status) {
  head.state = RequestHead::State::Refused;
  head.status = status;
  return head;
}

// The path and query of a target in origin form ("/path?query"), in the
// absolute form a proxy may send ("http://host/path?query") or "*".
std::optional<QByteArrayView> OriginOf(QByteArrayView target) {
  if (target.startsWith('/') || target == "*") return target;
  const qsizetype scheme = target.indexOf("://");
  if (scheme < 0 || !(Is(target.first(scheme), "http") || Is(target.first(scheme), "https"))) {
    return std::nullopt;
  }
  const QByteArrayView rest = target.sliced(scheme + 3);
  const auto origin =
      std::find_if(rest.begin(), rest.end(), [](char c) { return c == '/' || c == '?'; });
  return rest.sliced(origin - rest.begin());
}

}  // namespace

RequestHead ReadRequestHead(QByteArrayView bytes) {
  RequestHead head;
  // Empty lines before a request are allowed; they count towards its line.
  qsizetype start = 0;
  while (bytes.sliced(start).startsWith("\r\n")) start += 2;
  const qsizetype lineEnd =
      bytes.first(std::min<qsizetype>(bytes.size(), kLongestRequestLine)).indexOf('\n', start);
  if (lineEnd < 0) return bytes.size() > kLongestRequestLine ? Refused(head, 414) : head;
  // Lines end in CR LF alone: a reader ahead that ended them elsewhere would
  // see other requests than this one.
  if (lineEnd == start || bytes[lineEnd - 1] != '\r') return Refused(head, 400);

  const QByteArrayView line = bytes.sliced(start, lineEnd - 1 - start);
  const qsizetype firstSpace = line.indexOf(' ');
  const qsizetype lastSpace = line.lastIndexOf(' ');
  if (firstSpace <= 0 || lastSpace <= firstSpace + 1) return Refused(head, 400);
  const QByteArrayView method = line.first(firstSpace);
  const QByteArrayView target = line.sliced(firstSpace + 1, lastSpace - firstSpace - 1);
  const QByteArrayView version = line.sliced(lastSpace + 1);
  if (!IsToken(method) || !std::all_of(target.begin(), target.end(), IsTargetCharacter)) {
    return Refused(head, 400);
  }
  const std::optional<QByteArrayView> origin = OriginOf(target);
  if (!origin) return Refused(head, 400);
  const qsizetype question = origin->indexOf('?');
  head.method = method.toByteArray();
  head.path = question < 0 ? origin->toByteArray() : origin->first(question).toByteArray();
  if (!head.path.startsWith('/') && head.path != "*") head.path.prepend('/');
  if (question >= 0) head.query = origin->sliced(question + 1).toByteArray();
  const bool oldVersion = version == "HTTP/1.0";
  if (!oldVersion && version != "HTTP/1.1") {
    const bool otherVersion = version.size() == 8 && version.startsWith("HTTP/") &&
                              IsDigit(version[5]) && version[6] == '.' && IsDigit(version[7]);
    return Refused(head, otherVersion ? 505 : 400);
  }

  const qsizetype blockStart = lineEnd + 1;
  qsizetype at = blockStart;
  int lengths = 0;
  int hosts = 0;
  bool body = false;
  bool chunks = false;
  bool close = false;
  bool keepAlive = false;
  for (;;) {
    const qsizetype end = bytes.indexOf('\n', at);
    if (end < 0) return bytes.size() - blockStart > kLongestHeaderBlock ? Refused(head, 431) : head;
    if (end + 1 - blockStart > kLongestHeaderBlock) return Refused(head, 431);
    if (end == at || bytes[end - 1] != '\r') return Refused(head, 400);
    const QByteArrayView field = bytes.sliced(at, end - 1 - at);
    at = end + 1;
    if (field.isEmpty()) break;
    // A name is a token up to its colon: a blank before the colon or at the
    // start of a line (a folded line) is refused, as readers ahead may differ
    // on either.
    const qsizetype colon = field.indexOf(':');
    if (colon < 0 || !IsToken(field.first(colon))) return Refused(head, 400);
    const QByteArrayView name = field.first(colon);
    const QByteArrayView value = field.sliced(colon + 1).trimmed();
    if (!std::all_of(value.begin(), value.end(), IsValueCharacter)) return Refused(head, 400);
    if (Is(name, "Content-Length")) {
      // Two lengths are refused even when they agree: no client sends two,
      // and a proxy ahead that took a different one, or read "0" and "00"
      // otherwise, would see a request end where this one does not.
      if (++lengths > 1 || value.isEmpty() || !std::all_of(value.begin(), value.end(), IsDigit)) {
        return Refused(head, 400);
      }
      body = std::any_of(value.begin(), value.end(), [](char c) { return c != '0'; });
    } else if (Is(name, "Transfer-Encoding")) {
      chunks = true;
    } else if (Is(name, "Host")) {
      if (++hosts > 1) return Refused(head, 400);
    } else if (Is(name, "Connection")) {
      for (const QByteArray& option : value.toByteArray().split(',')) {
        close = close || Is(option.trimmed(), "close");
        keepAlive = keepAlive || Is(option.trimmed(), "keep-alive");
      }
    } else if (Is(name, "X-Forwarded-For")) {
      head.forwardedFor = value.sliced(value.lastIndexOf(',') + 1).trimmed().toByteArray();
    }
  }
  // HTTP/1.1 names its host once; a length beside chunks is the classic way
  // to make two readers disagree on where a request ends.
  if ((!oldVersion && hosts == 0) || (chunks && lengths > 0)) return Refused(head, 400);
  if (chunks) return Refused(head, 501);
  if (body) return Refused(head, 413);
  head.state = RequestHead::State::Whole;
  head.keepAlive = !close && (!oldVersion || keepAlive);
  head.length = at;
  return head;
}

}  // namespace pyxaro
