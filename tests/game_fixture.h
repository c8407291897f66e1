#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "core/game.h"
#include "tests/fake_host.h"

namespace pyxaro::testing {

// A fresh program folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// The text every language key "lN" holds in the test language file.
std::string TestText(int n);

// A Game in a temporary program folder with a settings file that selects a
// complete test language, sound on and the picker skipped, a fake desktop and
// scripted dice.
class GameTest : public ::testing::Test {
 protected:
  GameTest();

  // Runs the start-up (picker skipped, splash timer) up to the first game.
  void Start();
  // Scripts the faces of the dice that the next throw throws, then throws.
  void Throw(std::initializer_list<int> faces);
  // Lays exactly these six faces on the table, as a throw of all six would.
  void Table(std::initializer_list<int> faces);

  std::string Ini(const std::string& section, const std::string& key) const;

  TempFolder folder;
  FakeHost host;
  ScriptedDice dice;
  std::unique_ptr<Game> game;
};

}  // namespace pyxaro::testing
