#include <string>

#include "core/game.h"
#include "highscores/highscore_rules.h"

namespace pyxaro {

namespace {

std::string RowKey(const char* field, int row) { return field + std::to_string(row); }

}  // namespace

void Game::RecordScore() {
  main.PlayClock.SetEnabled(false);
  const std::string playTime = PlayTimeText(state.PlaySeconds);

  OneBased<HighscoreEntry, kTopTenRows> rows;
  OneBased<int, kTopTenRows> points;
  for (int r = 1; r <= kTopTenRows; ++r) {
    points[r] = StoredPoints(Setting("Highscore", RowKey("p", r)));
    // Points edited by hand into a fraction, a word or nothing go back as the
    // number they counted as, so the list compares the same next time.
    rows[r] = {std::to_string(points[r]), Setting("Highscore", RowKey("n", r)),
               Setting("Highscore", RowKey("k", r)), Setting("Highscore", RowKey("d", r))};
  }

  const LocalTime now = host_.Now();
  run.Candidate.Points = std::to_string(state.TotalScore);
  run.Candidate.Date = std::to_string(GameMonth(now.Year, now.Month));

  // Asked whenever the game is placed, not only when it beats row 10: a list
  // edited out of order can take a lower total higher up, and that row must
  // not stand there without a name.
  const int rank = EntryRow(points, state.TotalScore);
  if (rank > 0) {
    run.EffectNumber = 105;
    PlayEffect();
    run.EffectNumber = 6;
    PlayEffect();
    const std::string name =
        ListName(host_.Prompt(LangText("l9"), LangText("l8"), Setting("Highscore", "name")));
    Store("Highscore", "name", name);
    run.Candidate.Name = name + " (" + playTime + ")";
  }

  run.NewRank = rank;
  if (rank > 0) {
    for (int r = kTopTenRows; r > rank; --r) rows[r] = rows[r - 1];
    rows[rank] = run.Candidate;
  }

  for (int r = 1; r <= kTopTenRows; ++r) {
    Store("Highscore", RowKey("p", r), rows[r].Points);
    Store("Highscore", RowKey("n", r), rows[r].Name);
    Store("Highscore", RowKey("k", r), rows[r].Key);
    Store("Highscore", RowKey("d", r), rows[r].Date);
  }

  ShowTopTen();
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
    main.TopTenRows[r].Caption = RowCaption(r, points, name);
    main.TopTenRows[r].ToolTip = RowToolTip(LangText("l12"), points);
  }
}

void Game::ClearTopTen() {
  if (!host_.Ask(LangText("l13"), LangText("l5"), false)) return;
  for (auto& row : main.TopTenRows) row.Caption.clear();
  for (int r = 1; r <= kTopTenRows; ++r) {
    Store("Highscore", RowKey("n", r), "");
    Store("Highscore", RowKey("p", r), "0");
    Store("Highscore", RowKey("k", r), "");
    Store("Highscore", RowKey("d", r), "");
  }
  ShowTopTen();
  main.ClearTopTenLabel.Visible = false;
}

void Game::TopTenRowClicked(int r) {
  run.SelectedRow = r;
  OfferToSend();
}

}  // namespace pyxaro
