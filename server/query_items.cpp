#include "server/query_items.h"

#include <QList>

namespace pyxaro {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<QByteArray> PercentDecoded(QByteArrayView encoded) {
  QByteArray decoded;
  decoded.reserve(encoded.size());
  for (qsizetype i = 0; i < encoded.size(); ++i) {
    if (encoded[i] != '%') {
      decoded += encoded[i];
      continue;
    }
    if (i + 2 >= encoded.size()) return std::nullopt;
    const int high = HexDigit(encoded[i + 1]);
    const int low = HexDigit(encoded[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return decoded;
}

std::optional<QueryItems> DecodedQuery(QByteArrayView query) {
  QueryItems items;
  if (query.isEmpty()) return items;
  for (const QByteArray& piece : query.toByteArray().split('&')) {
    const qsizetype equals = piece.indexOf('=');
    std::optional<QByteArray> name =
        PercentDecoded(QByteArrayView(piece).first(equals < 0 ? piece.size() : equals));
    std::optional<QByteArray> value =
        PercentDecoded(equals < 0 ? QByteArrayView() : QByteArrayView(piece).sliced(equals + 1));
    if (!name || !value) return std::nullopt;
    items.emplace_back(std::move(*name), std::move(*value));
  }
  return items;
}

}  // namespace pyxaro
