// Fits the advisor's correction of the block values over simulated games and
// writes it as a source file. Deterministic: the same tables and arguments
// give the same file.
//
// The states where a category's turn begins are collected from games the
// advisor plays, one entry in twenty made at random; then, from the states
// with one category open up to those with all twenty, the gap between
// planning one turn exactly and the block values is fitted as each group's
// correction plus a term for each open category, the turn's later states
// valued with the corrections already fitted.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
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
// How many samples' weight pull an open category's term towards nothing.
constexpr double kCategoryPull = 20.0;
// Rounds of fitting the cells and the categories' terms in turn.
constexpr int kRounds = 6;

using Cells = std::array<float, correction::kCells>;
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
              Cells& weights) {
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
void FillBonusStates(int openCount, const std::vector<bool>& fitted, Cells& weights) {
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

struct Sample {
  std::size_t cell;
  double gap;
  double times;
  std::vector<std::uint32_t> terms;
  double rest = 0;  // the gap less the cell and the terms
};

// Each term in turn, the rest of the gap of its states explained by the
// cells and the other terms.
void FitTerms(std::vector<Sample>& samples, correction::Weights& weights) {
  std::vector<std::vector<std::uint32_t>> statesOf(correction::kTerms);
  for (std::uint32_t i = 0; i < samples.size(); ++i) {
    Sample& sample = samples[i];
    sample.rest = sample.gap - weights.cells[sample.cell];
    for (const std::uint32_t term : sample.terms) {
      sample.rest -= weights.terms[term];
      statesOf[term].push_back(i);
    }
  }
  for (std::size_t term = 0; term < statesOf.size(); ++term) {
    if (statesOf[term].empty()) continue;
    const double old = weights.terms[term];
    double sum = 0;
    double weight = 0;
    for (const std::uint32_t i : statesOf[term]) {
      sum += (samples[i].rest + old) * samples[i].times;
      weight += samples[i].times;
    }
    const auto fitted = static_cast<float>(sum / (weight + kCategoryPull));
    weights.terms[term] = fitted;
    for (const std::uint32_t i : statesOf[term]) samples[i].rest += old - fitted;
  }
}

double TermsOf(const correction::Weights& weights, const Sample& sample) {
  double terms = 0;
  for (const std::uint32_t term : sample.terms) terms += weights.terms[term];
  return terms;
}

// How much of the gaps the fit explains, for the one who runs it.
void ReportFit(int openCount, const std::vector<Sample>& samples,
               const correction::Weights& weights) {
  double gaps = 0;
  double left = 0;
  double weight = 0;
  for (const Sample& sample : samples) {
    const double rest = sample.gap - weights.cells[sample.cell] - TermsOf(weights, sample);
    gaps += sample.gap * sample.gap * sample.times;
    left += rest * rest * sample.times;
    weight += sample.times;
  }
  std::fprintf(stderr, "  %d open: %zu states, gap %.2f, left %.2f (root mean square)\n", openCount,
               samples.size(), std::sqrt(gaps / weight), std::sqrt(left / weight));
}

// Runs `half` for halves 0 and 1 at once, the second on another thread.
template <typename Half>
void InTwoHalves(Half half) {
  std::thread other(half, 1);
  half(0);
  other.join();
}

// The turn starts with `openCount` categories open, each with its gap.
std::vector<Sample> SamplesOf(int openCount, const std::map<TurnStart, int>& seen,
                              const float* tables, const correction::Weights& weights,
                              Advisor::Foresight foresight) {
  std::vector<std::pair<TurnStart, int>> starts;
  for (const auto& [start, times] : seen) {
    if (std::popcount(start.open) == openCount) starts.emplace_back(start, times);
  }
  std::vector<Sample> samples(starts.size());
  const correction::Weights none{};
  InTwoHalves([&](std::size_t half) {
    Advisor advisor(tables, weights, foresight);
    const Advisor blocksOnly(tables, none, Advisor::Foresight::ThisTurn);
    for (std::size_t i = half; i < starts.size(); i += 2) {
      const auto& [start, times] = starts[i];
      const float gap = advisor.TurnValue(start.open, start.upperSum, start.rolls) -
                        blocksOnly.StateValue(start.open, start.upperSum, start.rolls);
      Sample sample{correction::Cell(start.open, start.upperSum, start.rolls),
                    gap,
                    static_cast<double>(times),
                    {}};
      correction::ForEachTerm(start.open, start.rolls, [&](std::size_t term) {
        sample.terms.push_back(static_cast<std::uint32_t>(term));
      });
      samples[i] = std::move(sample);
    }
  });
  return samples;
}

// The cells and the terms in turn, each fitted to what the other leaves.
void FitCellsAndTerms(std::vector<Sample>& samples, correction::Weights& weights,
                      std::vector<bool>& fitted) {
  for (int round = 0; round < kRounds; ++round) {
    if (round > 0) FitTerms(samples, weights);
    std::vector<double> sum(correction::kCells, 0.0);
    std::vector<double> weight(correction::kCells, 0.0);
    for (const Sample& sample : samples) {
      sum[sample.cell] += (sample.gap - TermsOf(weights, sample)) * sample.times;
      weight[sample.cell] += sample.times;
    }
    for (std::size_t group = 0; group < fitted.size(); ++group) {
      if (FitGroup(group * correction::kRollSteps, sum, weight, weights.cells)) {
        fitted[group] = true;
      }
    }
  }
}

correction::Weights Sweep(const float* tables, const std::vector<TurnStart>& starts,
                          Advisor::Foresight foresight) {
  correction::Weights weights{};
  std::map<TurnStart, int> seen;
  for (const TurnStart& start : starts) ++seen[start];
  std::vector<bool> fitted(correction::kCells / correction::kRollSteps, false);
  for (int openCount = 1; openCount <= kCategoryCount; ++openCount) {
    std::vector<Sample> samples = SamplesOf(openCount, seen, tables, weights, foresight);
    FitCellsAndTerms(samples, weights, fitted);
    FillBonusStates(openCount, fitted, weights.cells);
    ReportFit(openCount, samples, weights);
  }
  return weights;
}

void WriteValues(std::ofstream& out, const float* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1ff,", static_cast<double>(values[i]));
    out << text << ((i + 1) % 10 == 0 ? "\n" : "");
  }
}

void Write(const correction::Weights& weights, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  out << "// Generated by tools/advisor_fit; do not edit.\n// clang-format off\n"
         "#include \"scoring/advisor_correction.h\"\n\nnamespace pyxaro {\n\n"
         "const correction::Weights kFittedCorrection{{\n";
  WriteValues(out, weights.cells.data(), weights.cells.size());
  out << "}, {\n";
  WriteValues(out, weights.terms.data(), weights.terms.size());
  out << "}};\n\n}  // namespace pyxaro\n";
}

// Plays the sweep's games; the turn starts they reach, and their mean.
double PlaySweep(const float* tables, const correction::Weights& weights,
                 Advisor::Foresight foresight, int sweep, int games, bool explore,
                 std::vector<TurnStart>& starts) {
  std::array<std::vector<TurnStart>, 2> reached;
  std::array<double, 2> totals{};
  InTwoHalves([&](std::size_t half) {
    Advisor advisor(tables, weights, foresight);
    for (int game = static_cast<int>(half); game < games; game += 2) {
      const auto seed =
          static_cast<std::uint64_t>(sweep) * 1000003ULL + static_cast<std::uint64_t>(game);
      Dice dice(seed);
      std::mt19937_64 explorer(seed + 1000);
      totals[half] += PlayGame(advisor, dice, explore ? &explorer : nullptr, reached[half]);
    }
  });
  for (const std::vector<TurnStart>& some : reached)
    starts.insert(starts.end(), some.begin(), some.end());
  return (totals[0] + totals[1]) / games;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr,
                 "usage: advisor_fit TABLES OUTPUT GAMES SWEEPS [AHEAD]\n"
                 "  the last AHEAD sweeps plan the next turn too, as the game does\n");
    return 2;
  }
  std::vector<float> tables(blocks::kValues);
  std::ifstream(argv[1], std::ios::binary)
      .read(reinterpret_cast<char*>(tables.data()),
            static_cast<std::streamsize>(tables.size() * sizeof(float)));
  const int games = std::stoi(argv[3]);
  const int sweeps = std::stoi(argv[4]);
  const int ahead = argc == 6 ? std::stoi(argv[5]) : 0;
  correction::Weights weights{};
  for (int sweep = 0; sweep <= sweeps; ++sweep) {
    const auto foresight = sweep < sweeps && sweep >= sweeps - ahead ? Advisor::Foresight::NextTurn
                                                                     : Advisor::Foresight::ThisTurn;
    std::vector<TurnStart> starts;
    // The last round plays without exploring: its mean is the advisor's,
    // planning one turn.
    const double mean =
        PlaySweep(tables.data(), weights, foresight, sweep, games, sweep < sweeps, starts);
    std::fprintf(stderr, "sweep %d: mean %.1f over %d games\n", sweep, mean, games);
    if (sweep < sweeps) weights = Sweep(tables.data(), starts, foresight);
  }
  Write(weights, argv[2]);
  return 0;
}
