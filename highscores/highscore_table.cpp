#include <optional>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/text.h"
#include "highscores/highscore_rules.h"
#include "settings/language_keys.h"
#include "settings/numbered_key.h"

namespace pyxaro {

namespace {

using TopTen = OneBased<HighscoreEntry, kTopTenRows>;

TopTen ReadList(const IniReader& read) {
  TopTen rows;
  for (int r = 1; r <= kTopTenRows; ++r) {
    // Points edited by hand into a fraction, a word or nothing go back as the
    // number they counted as, so the list compares the same next time.
    rows[r] = {std::to_string(StoredPoints(read("Highscore", NumberedKey("p", r)))),
               read("Highscore", NumberedKey("n", r)), read("Highscore", NumberedKey("k", r)),
               read("Highscore", NumberedKey("d", r))};
  }
  return rows;
}

int EntryRow(const TopTen& rows, int total) {
  OneBased<int, kTopTenRows> points;
  for (int r = 1; r <= kTopTenRows; ++r) points[r] = StoredPoints(rows[r].Points);
  return EntryRow(points, total);
}

std::vector<IniChange> ListChanges(const TopTen& rows) {
  std::vector<IniChange> changes;
  for (int r = 1; r <= kTopTenRows; ++r) {
    changes.push_back({"Highscore", NumberedKey("p", r), rows[r].Points});
    changes.push_back({"Highscore", NumberedKey("n", r), rows[r].Name});
    changes.push_back({"Highscore", NumberedKey("k", r), rows[r].Key});
    changes.push_back({"Highscore", NumberedKey("d", r), rows[r].Date});
  }
  return changes;
}

}  // namespace

void Game::RecordScore(const FinishedGame& game) {
  main.PlayClock.SetEnabled(false);
  const std::string playTime = PlayTimeText(game.PlaySeconds);
  run.Candidate.Points = std::to_string(game.Total);
  run.Candidate.Date = std::to_string(GameMonth(game.Year, game.Month));

  // Asked whenever the game is placed, not only when it beats row 10: a list
  // edited out of order can take a lower total higher up, and that row must
  // not stand there without a name.
  const IniReader stored = [this](const std::string& section, const std::string& key) {
    return Setting(section, key);
  };
  std::optional<std::string> name;
  if (EntryRow(ReadList(stored), game.Total) > 0) {
    PlayEffect(Effect::Fanfare);
    PlayEffect(Effect::Laser);
    name = ListName(host_.Prompt(LangText(lang::kNamePrompt), LangText(lang::kNameTitle),
                                 ShownText(Setting("Highscore", "name"))));
    run.Candidate.Name = *name + " (" + playTime + ")";
  }

  // The list is placed into as it is once the name is known, with no other
  // writer between: a game that ended meanwhile keeps its row. The other
  // keepers of games add theirs to the same write.
  int rank = 0;
  const bool saved = UpdateGroup([&](const IniReader& current) {
    TopTen rows = ReadList(current);
    rank = name ? EntryRow(rows, game.Total) : 0;
    if (rank > 0) {
      for (int r = kTopTenRows; r > rank; --r) rows[r] = rows[r - 1];
      rows[rank] = run.Candidate;
    }
    std::vector<IniChange> changes = ListChanges(rows);
    if (name) changes.push_back({"Highscore", "name", *name});
    for (const GameKeeper& keeper : keepers_) {
      for (IniChange& change : keeper(game, current)) changes.push_back(std::move(change));
    }
    return changes;
  });
  run.NewRank = saved ? rank : 0;

  ShowTopTen();
  if (!saved) TellNotSaved(text::kNotSavedScore);
  host_.Tell(FinalScoreText(LangText(lang::kFinalScore), game.Total, playTime), "", false);
  Restart();
}

void Game::ShowTopTen() {
  for (int r = 1; r <= kTopTenRows; ++r) main.TopTenRows[r].Bold = r == run.NewRank;
  for (int r = 1; r <= kTopTenRows; ++r) {
    const std::string name = Setting("Highscore", NumberedKey("n", r));
    const std::string points = Setting("Highscore", NumberedKey("p", r));
    const std::string key = Setting("Highscore", NumberedKey("k", r));
    if (name.empty() || points.empty() || key.empty()) continue;
    main.TopTenRows[r].Caption = ShownText(RowCaption(r, points, name));
    main.TopTenRows[r].ToolTip = RowToolTip(LangText(lang::kRowTip), points);
  }
}

void Game::ClearTopTen() {
  if (!host_.Ask(LangText(lang::kAskClearTopTen), LangText(lang::kQuestionTitle), false)) return;
  TopTen cleared;
  for (HighscoreEntry& row : cleared) row.Points = "0";
  if (!StoreGroup(ListChanges(cleared))) {
    TellNotSaved(text::kNotSavedList);
    return;
  }
  for (auto& row : main.TopTenRows) row.Caption.clear();
  ShowTopTen();
  main.ClearTopTenLabel.Visible = false;
}

void Game::TopTenRowClicked(int r) {
  run.SelectedRow = r;
  OfferToSend();
}

}  // namespace pyxaro
