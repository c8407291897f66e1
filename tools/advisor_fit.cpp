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

#include "scoring/advice_position.h"
#include "scoring/advisor.h"
#include "scoring/block_values.h"
#include "scoring/categories.h"
#include "scoring/moves.h"
#include "scoring/players.h"

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

// Plays as the advisor does, and keeps every turn start. An explored game
// now and then enters the dice in a category the dice fit at random, so
// that states the advisor never chooses are valued too.
class SamplingPlayer : public Player {
 public:
  SamplingPlayer(Advisor& advisor, std::mt19937_64* explore, std::vector<TurnStart>& starts)
      : advisor_(advisor), explore_(explore), starts_(starts) {}

  Move Choose(const GameState& state) override {
    const AdvisorPosition position = PositionOf(state);
    if (!position.thrown) {
      starts_.push_back(
          {position.open, std::min(position.upperSum, blocks::kBonusLine), position.rollsLeft});
    }
    const Move move = advisor_.Choose(state);
    if (move.kind != Move::Kind::Enter || explore_ == nullptr ||
        (*explore_)() % kExploreOneIn != 0) {
      return move;
    }
    std::vector<int> fits;
    for (int k = 1; k <= kCategoryCount; ++k) {
      if (state.IsOpen(k) && CategoryValue(k, state.Dice.items) > 0) fits.push_back(k);
    }
    return EntryOf(state, fits[static_cast<std::size_t>((*explore_)() % fits.size())]);
  }

 private:
  AdvisorPlayer advisor_;
  std::mt19937_64* explore_;
  std::vector<TurnStart>& starts_;
};

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
    const SeededDice dice;
    for (int game = static_cast<int>(half); game < games; game += 2) {
      const auto seed =
          static_cast<std::uint64_t>(sweep) * 1000003ULL + static_cast<std::uint64_t>(game);
      std::mt19937_64 explorer(seed + 1000);
      SamplingPlayer player(advisor, explore ? &explorer : nullptr, reached[half]);
      totals[half] += PlayGame(player, dice, seed).state.Total();
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
