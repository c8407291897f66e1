#include "scoring/moves.h"

#include "scoring/entry.h"

namespace pyxaro {

namespace {

std::optional<GameState> Replayed(const MoveRecord& record, const DiceSource* dice,
                                  std::uint64_t seed) {
  GameState state;
  for (const Move& move : record) {
    if (dice != nullptr && move.kind == Move::Kind::Throw &&
        move != NextThrow(state, *dice, seed)) {
      return std::nullopt;
    }
    const std::optional<GameState> after = Played(state, move);
    if (!after) return std::nullopt;
    state = *after;
  }
  return state;
}

}  // namespace

std::optional<GameState> Played(const GameState& state, const Move& move) {
  GameState after = state;
  switch (move.kind) {
    case Move::Kind::Throw:
      if (!CanThrow(state)) return std::nullopt;
      for (int k = 1; k <= kDiceCount; ++k) {
        // The dice on the table keep their faces.
        if (state.OnTable(k) && state.Dice[k] != move.faces[k]) return std::nullopt;
        if (move.faces[k] < 1 || move.faces[k] > kDiceFaces) return std::nullopt;
        after.Dice[k] = move.faces[k];
        after.Lying[k] = true;
      }
      --after.RollsLeft;
      after.ThrowEntered = false;
      if (after.RollsLeft != move.rollsLeft) return std::nullopt;
      return after;
    case Move::Kind::PickUp:
      if (!CanPickUp(state, move.die)) return std::nullopt;
      after.Lying[move.die] = false;
      return after;
    case Move::Kind::Undo:
      if (!CanUndo(state)) return std::nullopt;
      // Every die that was picked up still shows the face of the last throw.
      for (bool& lying : after.Lying) lying = true;
      return after;
    case Move::Kind::Enter: {
      const EntryOutcome outcome = Enter(state, move.category);
      if (outcome.Result != EntryResult::Entered || outcome.Points != move.points) {
        return std::nullopt;
      }
      after.Score[move.category] = outcome.Points;
      after.ThrowEntered = true;
      // The next turn begins with all six dice off the table.
      for (bool& lying : after.Lying) lying = false;
      return after;
    }
  }
  return std::nullopt;
}

Move ThrowOf(const GameState& state, const OneBased<int, kDiceCount>& rolled) {
  OneBased<int, kDiceCount> faces;
  for (int k = 1; k <= kDiceCount; ++k) faces[k] = state.OnTable(k) ? state.Dice[k] : rolled[k];
  return Move::Throw(faces, state.RollsLeft - 1);
}

Move NextThrow(const GameState& state, const DiceSource& dice, std::uint64_t seed) {
  return ThrowOf(state, dice.Roll(seed, NextRoll(state)));
}

Move EntryOf(const GameState& state, int category) {
  return Move::Entry(category, Enter(state, category).Points);
}

std::optional<GameState> Replay(const MoveRecord& record) { return Replayed(record, nullptr, 0); }

std::optional<GameState> Replay(const MoveRecord& record, const DiceSource& dice,
                                std::uint64_t seed) {
  return Replayed(record, &dice, seed);
}

}  // namespace pyxaro
