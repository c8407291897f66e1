#include "scoring/move_record.h"

#include <charconv>

namespace pyxaro {

namespace {

// A stored record longer than the game ever writes is not one.
constexpr std::size_t kMostStoredMoves = 2 * kMostRecordedMoves;

std::string MoveText(const Move& move) {
  switch (move.kind) {
    case Move::Kind::Throw: {
      std::string text = "T";
      for (const int face : move.faces) text += std::to_string(face);
      return text + "r" + std::to_string(move.rollsLeft);
    }
    case Move::Kind::PickUp:
      return "P" + std::to_string(move.die);
    case Move::Kind::Undo:
      return "U";
    case Move::Kind::Enter:
      // Stored records name categories by their number on the card: a
      // category added later takes the next number, never an old one.
      return "E" + std::to_string(move.category) + "=" + std::to_string(move.points);
  }
  return {};
}

// The whole of text as a number of at most three digits, written as the
// game writes it: no sign, no leading zero.
std::optional<int> SmallNumber(std::string_view text) {
  int value = 0;
  if (text.empty() || text.size() > 3 || (text.size() > 1 && text.front() == '0')) {
    return std::nullopt;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<Move> ParseMove(std::string_view text) {
  if (text.empty()) return std::nullopt;
  Move move;
  const std::string_view rest = text.substr(1);
  switch (text.front()) {
    case 'T': {
      move.kind = Move::Kind::Throw;
      if (rest.size() < kDiceCount + 2 || rest[kDiceCount] != 'r') return std::nullopt;
      for (int k = 1; k <= kDiceCount; ++k) {
        const char face = rest[static_cast<std::size_t>(k - 1)];
        if (face < '1' || face > '6') return std::nullopt;
        move.faces[k] = face - '0';
      }
      const auto rolls = SmallNumber(rest.substr(kDiceCount + 1));
      if (!rolls) return std::nullopt;
      move.rollsLeft = *rolls;
      return move;
    }
    case 'P': {
      move.kind = Move::Kind::PickUp;
      const auto die = SmallNumber(rest);
      if (!die) return std::nullopt;
      move.die = *die;
      return move;
    }
    case 'U':
      move.kind = Move::Kind::Undo;
      return rest.empty() ? std::optional(move) : std::nullopt;
    case 'E': {
      move.kind = Move::Kind::Enter;
      const auto equals = rest.find('=');
      if (equals == std::string_view::npos) return std::nullopt;
      const auto category = SmallNumber(rest.substr(0, equals));
      const auto points = SmallNumber(rest.substr(equals + 1));
      if (!category || !points) return std::nullopt;
      move.category = *category;
      move.points = *points;
      return move;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string RecordText(const MoveRecord& record) {
  std::string text;
  for (const Move& move : record) {
    if (!text.empty()) text += ' ';
    text += MoveText(move);
  }
  return text;
}

std::optional<MoveRecord> ParseRecord(std::string_view text) {
  MoveRecord record;
  while (!text.empty()) {
    if (record.size() == kMostStoredMoves) return std::nullopt;
    const std::size_t blank = text.find(' ');
    const auto move = ParseMove(text.substr(0, blank));
    if (!move) return std::nullopt;
    record.push_back(*move);
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
    // A blank ends no record.
    if (text.empty()) return std::nullopt;
  }
  return record;
}

void AddMove(MoveRecord& record, const Move& move) {
  if (move.kind == Move::Kind::Undo && record.size() >= kMostRecordedMoves) {
    while (!record.empty() && record.back().kind == Move::Kind::PickUp) record.pop_back();
    return;
  }
  record.push_back(move);
}

}  // namespace pyxaro
