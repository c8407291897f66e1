#pragma once

#include <string>
#include <string_view>

namespace pyxaro {

// One top-ten row and the profile it is sent under, as the receiving service
// reads them from the address.
struct SubmissionFields {
  std::string User;
  std::string Password;
  int Version = 0;
  std::string Month;
  std::string Points;
  std::string Key;
};

// A finished game of the day and the profile it is sent under: the online
// list replays the moves on that day's dice and enters what they make.
struct DaySubmissionFields {
  std::string User;
  std::string Password;
  int Version = 0;
  std::string Day;  // "2026-12-08"
  int Points = 0;
  std::string Moves;  // the game's record as the settings keep it
};

// The value as UTF-8 with every byte but letters, digits and -._~ written as
// %XX, so that no value can end its field or start another.
std::string PercentEncoded(std::string_view value);

// The configured address followed by the six fields in the order the
// receiving service expects, each value encoded.
std::string SubmissionAddress(const std::string& base, const SubmissionFields& fields);

// The configured address followed by the day game's six fields, each value
// encoded.
std::string DaySubmissionAddress(const std::string& base, const DaySubmissionFields& fields);

// Whether the address is one the browser should be given: an http or https
// scheme followed by a host, without blanks, control or direction
// characters. Nothing else ever leaves the program.
bool IsWebAddress(std::string_view address);

// The number of profiles "antal" stands for: its leading number, 0 for none,
// and a hand-edited huge number held to as many as a list can sensibly show.
int ProfileCount(std::string_view countText);

// The stored selection after profile `removed` of `countBefore` is removed:
// the same profile stays selected, the removed one passes the selection to
// profile 1, and a selection that names no profile becomes 1, or nothing
// when no profile is left.
std::string SelectionAfterRemoval(std::string_view selected, int removed, int countBefore);

}  // namespace pyxaro
