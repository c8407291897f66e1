#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <utility>
#include <vector>

namespace pyxaro {

using QueryItems = std::vector<std::pair<QByteArray, QByteArray>>;

// The value with each %XX turned back into its byte; nothing for a % that is
// not followed by two hexadecimal digits.
std::optional<QByteArray> PercentDecoded(QByteArrayView encoded);

// The name=value pairs of a query as it arrived, in order and decoded;
// nothing when any escape is broken. A pair without "=" has an empty value,
// and an empty query has no pairs.
std::optional<QueryItems> DecodedQuery(QByteArrayView query);

}  // namespace pyxaro
