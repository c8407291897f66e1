// Fits the advisor's correction of the block values over simulated games and
// writes it as a source file. Deterministic: the same tables and arguments
// give the same file.
//
// The states where a category's turn begins are collected from games the
// advisor plays, one entry in twenty made at random; then, from the states
// with one category open up to those with all twenty, each group's
// correction is set to the mean gap between planning one turn exactly and
// the block values, the turn's later states valued with the corrections
// already fitted.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "scoring/advisor.h"

namespace {

using namespace pyxaro;

struct TurnStart {
  std::uint32_t open;
  int upperSum;
  int rolls;
  auto operator<=>(const TurnStart&) const = default;
};

// How many samples' weight the group's mean has in each step's value.
constexpr double kPull = 4.0;
// One entry in this many is a random one while the states are sampled.
constexpr std::uint64_t kExploreOneIn = 20;

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int Throw() {
    // Rejection keeps the six faces exactly alike on every library.
    for (;;) {
      const std::uint64_t draw = engine_();
      if (draw < kFair) return static_cast<int>(draw % 6) + 1;
    }
  }

 private:
  static constexpr std::uint64_t kFair = ~std::uint64_t{0} - ~std::uint64_t{0} % 6;
  std::mt19937_64 engine_;
};

// An open category the dice on the table score in, any of them alike.
int RandomFit(const AdvisorPosition& position, std::mt19937_64& random) {
  std::vector<int> fits;
  for (int k = 1; k <= 20; ++k) {
    if ((position.open & (1U << (k - 1))) != 0 && CategoryValue(k, position.dice) > 0) {
      fits.push_back(k);
    }
  }
  return fits[static_cast<std::size_t>(random() % fits.size())];
}

// One game as the advisor plays it; every turn start is kept. An explored
// game now and then enters the dice in a category the dice fit at random,
// so that states the advisor never chooses are valued too.
int PlayGame(Advisor& advisor, Dice& dice, std::mt19937_64* explore,
             std::vector<TurnStart>& starts) {
  AdvisorPosition position;
  position.open = (1U << 20) - 1;
  position.rollsLeft = 60;
  int total = 0;
  while (position.rollsLeft > 0 && position.open != 0) {
    starts.push_back({position.open, position.upperSum, position.rollsLeft});
    for (std::size_t die = 0; die < 6; ++die) {
      position.dice[die] = dice.Throw();
      position.onTable[die] = true;
    }
    --position.rollsLeft;
    position.thrown = true;
    for (;;) {
      Advice advice = advisor.Advise(position);
      if (advice.move == AdviceMove::PickUp) {
        for (std::size_t die = 0; die < 6; ++die) {
          if (advice.pickUp[die]) position.dice[die] = dice.Throw();
        }
        --position.rollsLeft;
        continue;
      }
      if (advice.move != AdviceMove::Enter) return total;
      if (explore != nullptr && (*explore)() % kExploreOneIn == 0) {
        advice.category = RandomFit(position, *explore);
      }
      const int points = CategoryValue(advice.category, position.dice);
      total += points;
      if (blocks::IsUpper(advice.category)) {
        total += blocks::BonusWon(std::min(position.upperSum, blocks::kBonusLine), points);
        position.upperSum = std::min(position.upperSum + points, blocks::kBonusLine);
      }
      position.open &= ~(1U << (advice.category - 1));
      break;
    }
  }
  return total;
}

// Each group's steps from the sample's gaps: a step's mean leans on the
// group's mean when few samples fell in it, and rolls no game of the sample
// reached take the nearest fitted step. Returns whether the group was fitted.
bool FitGroup(std::size_t group, const std::vector<double>& sum, const std::vector<double>& weight,
              correction::Weights& weights) {
  double groupSum = 0;
  double groupWeight = 0;
  for (std::size_t cell = group; cell < group + correction::kRollSteps; ++cell) {
    groupSum += sum[cell];
    groupWeight += weight[cell];
  }
  std::vector<std::size_t> fitted;
  for (std::size_t cell = group; cell < group + correction::kRollSteps; ++cell) {
    if (weight[cell] == 0) continue;
    weights[cell] =
        static_cast<float>((sum[cell] + kPull * groupSum / groupWeight) / (weight[cell] + kPull));
    fitted.push_back(cell);
  }
  if (fitted.empty()) return false;
  for (std::size_t cell = group; cell < group + correction::kRollSteps; ++cell) {
    if (weight[cell] > 0) continue;
    const auto distance = [cell](std::size_t other) {
      return cell > other ? cell - other : other - cell;
    };
    weights[cell] =
        weights[*std::min_element(fitted.begin(), fitted.end(), [&](std::size_t a, std::size_t b) {
          return distance(a) < distance(b);
        })];
  }
  return true;
}

// The fitted bonus state nearest to `state` in the group that begins at
// `first`, further behind first (a game begins furthest behind); 0: none.
int NearestFitted(int first, int state, const std::vector<bool>& fitted) {
  for (int distance = 1; distance < correction::kBonusStates; ++distance) {
    for (const int other : {state + distance, state - distance}) {
      if (other >= 1 && other < correction::kBonusStates &&
          fitted[static_cast<std::size_t>(first + other)]) {
        return other;
      }
    }
  }
  return 0;
}

// A bonus still open at a distance from par no game of the sample reached
// takes the nearest fitted distance's values, not nothing: a state that
// looks worthless would never be chosen, and so never be fitted.
void FillBonusStates(int openCount, const std::vector<bool>& fitted, correction::Weights& weights) {
  for (int upper = 0; upper < correction::kUpperCounts; ++upper) {
    const int lower = openCount - upper;
    if (lower < 0 || lower >= correction::kLowerCounts) continue;
    const int first = (upper * correction::kLowerCounts + lower) * correction::kBonusStates;
    for (int state = 1; state < correction::kBonusStates; ++state) {
      if (fitted[static_cast<std::size_t>(first + state)]) continue;
      const int nearest = NearestFitted(first, state, fitted);
      if (nearest == 0) continue;
      const auto from = weights.begin() + (first + nearest) * correction::kRollSteps;
      std::copy(from, from + correction::kRollSteps,
                weights.begin() + (first + state) * correction::kRollSteps);
    }
  }
}

correction::Weights Sweep(const float* tables, const std::vector<TurnStart>& starts) {
  correction::Weights weights{};
  Advisor advisor(tables, weights);
  const correction::Weights none{};
  const Advisor blocksOnly(tables, none);
  std::map<TurnStart, int> seen;
  for (const TurnStart& start : starts) ++seen[start];
  constexpr std::size_t kGroups = correction::kCells / correction::kRollSteps;
  std::vector<bool> fitted(kGroups, false);
  for (int openCount = 1; openCount <= 20; ++openCount) {
    std::vector<double> sum(correction::kCells, 0.0);
    std::vector<double> weight(correction::kCells, 0.0);
    for (const auto& [start, times] : seen) {
      if (std::popcount(start.open) != openCount) continue;
      const float gap = advisor.TurnValue(start.open, start.upperSum, start.rolls) -
                        blocksOnly.StateValue(start.open, start.upperSum, start.rolls);
      const std::size_t cell = correction::Cell(start.open, start.upperSum, start.rolls);
      sum[cell] += gap * times;
      weight[cell] += times;
    }
    for (std::size_t group = 0; group < kGroups; ++group) {
      if (FitGroup(group * correction::kRollSteps, sum, weight, weights)) fitted[group] = true;
    }
    FillBonusStates(openCount, fitted, weights);
  }
  return weights;
}

void Write(const correction::Weights& weights, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "// Generated by tools/advisor_fit; do not edit.\n// clang-format off\n"
         "#include \"scoring/advisor_correction.h\"\n\nnamespace pyxaro {\n\n"
         "const correction::Weights kFittedCorrection{{\n";
  for (std::size_t i = 0; i < weights.size(); ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1ff,", static_cast<double>(weights[i]));
    out << text << ((i + 1) % 10 == 0 ? "\n" : "");
  }
  out << "}};\n\n}  // namespace pyxaro\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: advisor_fit TABLES OUTPUT GAMES SWEEPS\n");
    return 2;
  }
  std::vector<float> tables(blocks::kValues);
  std::ifstream(argv[1], std::ios::binary)
      .read(reinterpret_cast<char*>(tables.data()),
            static_cast<std::streamsize>(tables.size() * sizeof(float)));
  const int games = std::stoi(argv[3]);
  const int sweeps = std::stoi(argv[4]);
  correction::Weights weights{};
  for (int sweep = 0; sweep <= sweeps; ++sweep) {
    Advisor advisor(tables.data(), weights);
    Dice dice(static_cast<std::uint64_t>(sweep) + 1);
    std::vector<TurnStart> starts;
    // The last round plays without exploring: its mean is the advisor's.
    std::mt19937_64 explore(static_cast<std::uint64_t>(sweep) + 1000);
    double total = 0;
    for (int game = 0; game < games; ++game) {
      total += PlayGame(advisor, dice, sweep < sweeps ? &explore : nullptr, starts);
    }
    std::fprintf(stderr, "sweep %d: mean %.1f over %d games\n", sweep, total / games, games);
    if (sweep < sweeps) weights = Sweep(tables.data(), starts);
  }
  Write(weights, argv[2]);
  return 0;
}
