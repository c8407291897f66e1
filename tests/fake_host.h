#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/chance.h"
#include "core/dice.h"
#include "core/host.h"

namespace pyxaro::testing {

// One box the game opened.
struct Box {
  enum Kind { Question, Message, Input, Choice } kind;
  std::string text, title, defaultText;
  bool yesIsDefault = false, exclamation = false, masked = false;
};

struct Played {
  std::string path;
  bool waited;
  bool operator==(const Played&) const = default;
};

// Told of every question no answer was scripted for: a failure in the tests, nothing in fuzzing.
inline std::function<void(const std::string&)>& OnUnscripted() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

// The next scripted answer; when none is left, `none`.
template <typename T>
T Pop(std::deque<T>& queue, const std::string& asked, T none = {}) {
  if (queue.empty()) {
    if (OnUnscripted()) OnUnscripted()(asked);
    return none;
  }
  T next = queue.front();
  queue.pop_front();
  return next;
}

// Answers boxes from queues and records everything the game asked of the desktop.
class FakeHost : public Host {
 public:
  std::deque<bool> answers;
  // The choices taken in Choose boxes, none for Cancel.
  std::deque<std::optional<int>> choices;
  std::deque<std::optional<std::string>> inputs;
  std::vector<Box> boxes;
  std::vector<Played> played;
  std::vector<std::string> prepared, opened;
  std::set<std::string> pictures;
  std::vector<bool> busy;
  WorkArea area{15360, 10800};
  WindowPlace place{1500, 900};
  std::vector<WindowPlace> moves;
  bool minimised = false, ended = false;
  std::string locale = "unset";
  LocalTime now{2026, 12, 6, 21, 7, 76020.25, "December"};
  // Runs once while the next question or input box is open, as events behind a modal box would.
  std::function<void()> whileOpen;

  bool Ask(const std::string& question, const std::string& title, bool yesIsDefault) override {
    return Open({Box::Question, question, title, "", yesIsDefault}, answers);
  }
  std::optional<int> Choose(const std::string& question, const std::string& title,
                            const std::vector<std::string>&, const std::string&) override {
    return Open({Box::Choice, question, title, ""}, choices);
  }
  void Tell(const std::string& text, const std::string& title, bool exclamation) override {
    boxes.push_back({Box::Message, text, title, "", false, exclamation});
  }
  std::optional<std::string> Prompt(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) override {
    return Open({Box::Input, prompt, title, defaultText}, inputs);
  }
  void PrepareWaves(const std::vector<std::string>& paths) override {
    prepared.insert(prepared.end(), paths.begin(), paths.end());
  }
  std::optional<std::string> PromptMasked(const std::string& prompt,
                                          const std::string& title) override {
    return Open({Box::Input, prompt, title, "", false, false, true}, inputs);
  }
  void PlayWave(const std::string& path, bool wait) override { played.push_back({path, wait}); }
  void OpenAddress(const std::string& address) override { opened.push_back(address); }
  WorkArea ScreenWorkArea() override { return area; }
  WindowPlace GameWindowPlace() override { return place; }
  void MoveGameWindow(WindowPlace to) override { moves.push_back(place = to); }
  void RestoreGameWindow() override { minimised = false; }
  void MinimiseGameWindow() override { minimised = true; }
  void UseLocale(const std::string& name) override { locale = name; }
  LocalTime Now() override { return now; }
  void SetBusy(bool on) override { busy.push_back(on); }
  bool IsPicture(const std::string& path) override { return pictures.count(path) > 0; }
  void EndProgram() override { ended = true; }

 private:
  template <typename T>
  T Open(const Box& box, std::deque<T>& answered) {
    boxes.push_back(box);
    if (auto run = std::exchange(whileOpen, nullptr)) run();
    return Pop(answered, "box: " + box.text);
  }
};

// Deals the draws a test scripts: the check values' digits.
class ScriptedChance : public RandomSource {
 public:
  std::deque<double> draws;
  int reseeds = 0;

  void Reseed(double) override { ++reseeds; }
  double Next() override { return Pop(draws, "draw"); }
};

// Deals the faces a test scripts to the dice a throw throws, in die order: the dice off the table
// of the game it watches, or all six; once the script is spent, the faces of real dice. A roll
// once dealt is dealt alike again, as a real game's dice are; each new game's seed is the next
// number, so that two runs of a test throw alike.
class ScriptedDice : public DiceSource {
 public:
  mutable std::deque<int> faces;
  const GameState* table = nullptr;

  OneBased<int, kDiceCount> Roll(std::uint64_t seed, int roll) const override {
    auto [dealt, fresh] = dealt_.try_emplace({seed, roll});
    if (fresh) {
      dealt->second = SeededDice().Roll(seed, roll);
      for (int k = 1; k <= kDiceCount && !faces.empty(); ++k) {
        if (table != nullptr && table->OnTable(k)) continue;
        dealt->second[k] = faces.front();
        faces.pop_front();
      }
    }
    return dealt->second;
  }
  std::uint64_t NewSeed(double) override { return ++seeds_; }

 private:
  mutable std::map<std::pair<std::uint64_t, int>, OneBased<int, kDiceCount>> dealt_;
  std::uint64_t seeds_ = 0;
};

}  // namespace pyxaro::testing
