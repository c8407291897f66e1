// The stored record of a game in progress, hostile or damaged: read and replayed, it is refused or
// leads to a legal game, and a game replayed from it writes back as it was read. Built with
// libFuzzer in the sanitizer configuration, and run over a fixed series of inputs by every test run
// (replay.cpp).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "scoring/move_record.h"
#include "scoring/moves.h"
#include "tests/helpers/legal_state.h"

namespace {

using namespace pyxaro;

// A move's text, most often nearly right, so that replays reach deep into a game.
std::string MoveText(FuzzedDataProvider& input) {
  const auto number = [&input](int low, int high) {
    return std::to_string(input.ConsumeIntegralInRange(low, high));
  };
  switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0: {
      std::string faces;
      for (int k = 0; k < kDiceCount; ++k) faces += number(1, 6);
      return "T" + faces + "r" + number(-1, 61);
    }
    case 1:
      return "P" + number(0, 7);
    case 2:
      return "U";
    case 3:
      return "E" + number(0, 21) + "=" + number(-1, 101);
    default:
      return input.ConsumeRandomLengthString(12);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::string text;
  for (int moves = input.ConsumeIntegralInRange(0, 200); moves > 0; --moves) {
    text += (text.empty() ? "" : " ") + MoveText(input);
  }
  const auto record = ParseRecord(text);
  if (!record) return 0;
  if (RecordText(*record) != text) std::abort();
  const auto replayed = Replay(*record);
  if (replayed && !testing::LooksLegal(*replayed)) std::abort();
  return 0;
}
