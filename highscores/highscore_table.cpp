#include <optional>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/text.h"
#include "highscores/highscore_rules.h"

namespace pyxaro {

namespace {

using TopTen = OneBased<HighscoreEntry, kTopTenRows>;

std::string RowKey(const char* field, int row) { return field + std::to_string(row); }

TopTen ReadList(const IniReader& read) {
  TopTen rows;
  for (int r = 1; r <= kTopTenRows; ++r) {
    // Points edited by hand into a fraction, a word or nothing go back as the
    // number they counted as, so the list compares the same next time.
    rows[r] = {std::to_string(StoredPoints(read("Highscore", RowKey("p", r)))),
               read("Highscore", RowKey("n", r)), read("Highscore", RowKey("k", r)),
               read("Highscore", RowKey("d", r))};
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
    changes.push_back({"Highscore", RowKey("p", r), rows[r].Points});
    changes.push_back({"Highscore", RowKey("n", r), rows[r].Name});
    changes.push_back({"Highscore", RowKey("k", r), rows[r].Key});
    changes.push_back({"Highscore", RowKey("d", r), rows[r].Date});
  }
  return changes;
}

}  // namespace

void Game::RecordScore() {
  main.PlayClock.SetEnabled(false);
  const std::string playTime = PlayTimeText(state.PlaySeconds);
  const LocalTime now = host_.Now();
  run.Candidate.Points = std::to_string(state.TotalScore);
  run.Candidate.Date = std::to_string(GameMonth(now.Year, now.Month));

  // Asked whenever the game is placed, not only when it beats row 10: a list
  // edited out of order can take a lower total higher up, and that row must
  // not stand there without a name.
  const IniReader stored = [this](const std::string& section, const std::string& key) {
    return Setting(section, key);
  };
  std::optional<std::string> name;
  if (EntryRow(ReadList(stored), state.TotalScore) > 0) {
    run.EffectNumber = 105;
    PlayEffect();
    run.EffectNumber = 6;
    PlayEffect();
    name = ListName(
        host_.Prompt(LangText("l9"), LangText("l8"), ShownText(Setting("Highscore", "name"))));
    run.Candidate.Name = *name + " (" + playTime + ")";
  }

  // The list is placed into as it is once the name is known, with no other
  // writer between: a game that ended meanwhile keeps its row.
  int rank = 0;
  const bool saved = UpdateGroup([&](const IniReader& current) {
    TopTen rows = ReadList(current);
    rank = name ? EntryRow(rows, state.TotalScore) : 0;
    if (rank > 0) {
      for (int r = kTopTenRows; r > rank; --r) rows[r] = rows[r - 1];
      rows[rank] = run.Candidate;
    }
    std::vector<IniChange> changes = ListChanges(rows);
    if (name) changes.push_back({"Highscore", "name", *name});
    return changes;
  });
  run.NewRank = saved ? rank : 0;

  ShowTopTen();
  if (!saved) TellNotSaved("The score");
  host_.Tell(FinalScoreText(LangText("l16"), state.TotalScore, playTime), "", false);
  Restart();
}

void Game::ShowTopTen() {
  for (int r = 1; r <= kTopTenRows; ++r) main.TopTenRows[r].Bold = r == run.NewRank;
  for (int r = 1; r <= kTopTenRows; ++r) {
    const std::string name = Setting("Highscore", RowKey("n", r));
    const std::string points = Setting("Highscore", RowKey("p", r));
    const std::string key = Setting("Highscore", RowKey("k", r));
    if (name.empty() || points.empty() || key.empty()) continue;
    main.TopTenRows[r].Caption = ShownText(RowCaption(r, points, name));
    main.TopTenRows[r].ToolTip = RowToolTip(LangText("l12"), points);
  }
}

void Game::ClearTopTen() {
  if (!host_.Ask(LangText("l13"), LangText("l5"), false)) return;
  TopTen cleared;
  for (HighscoreEntry& row : cleared) row.Points = "0";
  if (!StoreGroup(ListChanges(cleared))) {
    TellNotSaved("The cleared list");
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
