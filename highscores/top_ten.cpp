#include "highscores/top_ten.h"

#include <string>
#include <vector>

#include "core/text.h"
#include "highscores/highscore_rules.h"
#include "scoring/check_value.h"
#include "settings/numbered_key.h"

namespace pyxaro {

namespace {

constexpr char kSection[] = "Highscore";
// The fields of row r, each under its letter and r ("p1", "n1", ...).
constexpr char kPoints[] = "p";
constexpr char kName[] = "n";
constexpr char kKey[] = "k";
constexpr char kMonth[] = "d";
// The name given last, which the prompt offers the next time.
constexpr char kLastName[] = "name";

using ListRows = OneBased<HighscoreEntry, kTopTenRows>;

HighscoreEntry StoredRow(const IniReader& read, int r) {
  return {read(kSection, NumberedKey(kPoints, r)), read(kSection, NumberedKey(kName, r)),
          read(kSection, NumberedKey(kKey, r)), read(kSection, NumberedKey(kMonth, r))};
}

ListRows ReadList(const IniReader& read) {
  ListRows rows;
  for (int r = 1; r <= kTopTenRows; ++r) {
    rows[r] = StoredRow(read, r);
    // Points edited by hand into a fraction, a word or nothing go back as the
    // number they counted as, so the list compares the same next time.
    rows[r].Points = std::to_string(StoredPoints(rows[r].Points));
  }
  return rows;
}

int EntryRow(const ListRows& rows, int total) {
  OneBased<int, kTopTenRows> points;
  for (int r = 1; r <= kTopTenRows; ++r) points[r] = StoredPoints(rows[r].Points);
  return EntryRow(points, total);
}

std::vector<IniChange> ListChanges(const ListRows& rows) {
  std::vector<IniChange> changes;
  for (int r = 1; r <= kTopTenRows; ++r) {
    changes.push_back({kSection, NumberedKey(kPoints, r), rows[r].Points});
    changes.push_back({kSection, NumberedKey(kName, r), rows[r].Name});
    changes.push_back({kSection, NumberedKey(kKey, r), rows[r].Key});
    changes.push_back({kSection, NumberedKey(kMonth, r), rows[r].Date});
  }
  return changes;
}

}  // namespace

TopTen::TopTen(Host& host, SettingsStore& store, const Languages& texts, Speaker& speaker)
    : host_(host), store_(store), texts_(texts), speaker_(speaker) {}

void TopTen::OpenWindow() { view_ = TopTenView{}; }

void TopTen::Present() {
  view_.ClearLabel.Caption = DropLastChar(texts_.Text(text::kAskClearTopTen));
  view_.ClearLabel.ToolTip = view_.ClearLabel.Caption;
  // Clearing is offered once the list is full.
  view_.ClearLabel.Visible = Show() == kTopTenRows;
}

void TopTen::Prepare(const FinishedGame& game) {
  // Asked whenever the game is placed, not only when it beats row 10: a list
  // edited out of order can take a lower total higher up, and that row must
  // not stand there without a name.
  name_.reset();
  if (EntryRow(ReadList(Stored()), game.Total) > 0) {
    speaker_.Play(Effect::Fanfare);
    speaker_.Play(Effect::Laser);
    name_ = ListName(host_.Prompt(texts_.Text(text::kNamePrompt), texts_.Text(text::kNameTitle),
                                  ShownText(store_.Setting(kSection, kLastName))));
  }
}

std::vector<IniChange> TopTen::Changes(const FinishedGame& game, const IniReader& current) {
  // The list is placed into as it is once the name is known, with no other
  // writer between: a game that ended meanwhile keeps its row.
  ListRows rows = ReadList(current);
  rank_ = name_ ? EntryRow(rows, game.Total) : 0;
  if (rank_ > 0) {
    for (int r = kTopTenRows; r > rank_; --r) rows[r] = rows[r - 1];
    rows[rank_] = {std::to_string(game.Total), *name_ + " (" + PlayTimeText(game.PlaySeconds) + ")",
                   game.CheckValue, std::to_string(GameMonth(game.Year, game.Month))};
  }
  std::vector<IniChange> changes = ListChanges(rows);
  if (name_) changes.push_back({kSection, kLastName, *name_});
  return changes;
}

void TopTen::Written(const FinishedGame& game, bool stored) {
  newRank_ = stored ? rank_ : 0;
  Show();
  if (!stored) texts_.TellNotSaved(text::kNotSavedScore);
  std::string told =
      FinalScoreText(texts_.Text(text::kFinalScore), game.Total, PlayTimeText(game.PlaySeconds),
                     texts_.Text(text::kPlayTimeLabel));
  if (game.AdvisorTotal) {
    told += "\n" + texts_.Text(text::kAdvisorOnDay, std::to_string(*game.AdvisorTotal));
  }
  host_.Tell(told, "", false);
}

HighscoreEntry TopTen::Row(int r) const { return StoredRow(Stored(), r); }

IniReader TopTen::Stored() const {
  return [this](const std::string& section, const std::string& key) {
    return store_.Setting(section, key);
  };
}

int TopTen::Show() {
  int shown = 0;
  for (int r = 1; r <= kTopTenRows; ++r) view_.Rows[r].Bold = r == newRank_;
  for (int r = 1; r <= kTopTenRows; ++r) {
    const HighscoreEntry row = Row(r);
    // A row without its name, points or check value is no entry: what was
    // shown there stays.
    if (row.Name.empty() || row.Points.empty() || row.Key.empty()) continue;
    view_.Rows[r].Caption = ShownText(RowCaption(r, row.Points, row.Name));
    view_.Rows[r].ToolTip = RowToolTip(texts_.Text(text::kRowTip), row.Points);
    ++shown;
  }
  return shown;
}

void TopTen::Clear() {
  if (!host_.Ask(texts_.Text(text::kAskClearTopTen), texts_.Text(text::kQuestionTitle), false)) {
    return;
  }
  ListRows cleared;
  for (HighscoreEntry& row : cleared) row.Points = "0";
  if (!store_.StoreGroup(ListChanges(cleared))) {
    texts_.TellNotSaved(text::kNotSavedList);
    return;
  }
  for (Control& row : view_.Rows) row.Caption.clear();
  Show();
  view_.ClearLabel.Visible = false;
}

}  // namespace pyxaro
