#include "highscores/profiles.h"

#include <string>
#include <vector>

#include "core/text.h"
#include "highscores/submission_rules.h"
#include "settings/numbered_key.h"

namespace pyxaro {

Profiles::Profiles(Host& host, SettingsStore& store, const Languages& texts, Speaker& speaker,
                   const TopTenRows& topTen)
    : host_(host), store_(store), texts_(texts), speaker_(speaker), topTen_(topTen) {}

SecretKeys Profiles::Passwords() { return {kSection, kPassword}; }

std::string Profiles::Stored(const std::string& key) const { return store_.Setting(kSection, key); }

int Profiles::Count() const { return ProfileCount(Stored(kCount)); }

std::string Profiles::Selected() const { return Stored(kSelected); }

void Profiles::OpenWindow() { view_ = PlayerView{}; }

void Profiles::PresentTexts() {
  view_.PlayerLabel.ToolTip = texts_.ToolTip(text::kProfilesTitle);
  // The badge's link is named as the badge reads.
  view_.HomeLink.ToolTip = " Pyxaro " + texts_.Painted().Online + " ";
  ShowPlayer();
}

// A list filled afresh has no row selected, so there is nothing to remove
// until a row is clicked.
void Profiles::ShowList() {
  const int count = Count();
  window_.ProfileList.Items.clear();
  for (int i = 1; i <= count; ++i) {
    window_.ProfileList.Items.push_back(ShownText(Stored(NumberedKey(kName, i))));
  }
  picked_ = -1;
  window_.ProfileList.ListIndex = -1;
  window_.RemoveButton.Enabled = false;
  const std::string selected = Selected();
  window_.NameField.Caption = ShownText(Stored(kName + selected));
  window_.PasswordField.Caption = Stored(kPassword + selected);
}

void Profiles::Open() {
  if (window_.Visible) return;
  window_ = ProfilesForm{};
  dontShow_ = false;
  window_.Heading.Caption = texts_.Text(text::kProfilesTitle);
  window_.AddButton.ToolTip = texts_.ToolTip(text::kAddTip);
  window_.RemoveButton.ToolTip = texts_.ToolTip(text::kRemoveTip);
  window_.Caption = texts_.Text(text::kUsersWindow);
  window_.NameLabel.Caption = texts_.Text(text::kUsername);
  window_.PasswordLabel.Caption = texts_.Text(text::kPassword);
  window_.OkButton.Caption = texts_.Text(text::kOk);
  window_.CancelButton.Caption = texts_.Text(text::kCancel);
  window_.DontShowWhenSending.Caption = texts_.Text(text::kDontShowWhenSending);
  // The prompts for a first profile come before the window itself.
  if (Count() == 0) {
    Add();
  } else {
    ShowList();
  }
  dontShow_ = store_.Setting(kOptionsSection, kShowWindow) == "No";
  window_.DontShowWhenSendingTicked = dontShow_;
  window_.Visible = true;
}

void Profiles::Add() {
  const std::string title = texts_.Text(text::kUsersTitle);
  const auto name = host_.Prompt(texts_.Text(text::kUsername), title, "");
  const auto password = host_.PromptMasked(texts_.Text(text::kPassword), title);
  if (name && !name->empty() && password && !password->empty()) {
    const std::string n = std::to_string(Count() + 1);
    if (!store_.StoreGroup({{kSection, kCount, n},
                            {kSection, kSelected, n},
                            {kSection, kName + n, *name},
                            {kSection, kPassword + n, *password}})) {
      texts_.TellNotSaved(text::kNotSavedProfile);
    }
  }
  ShowList();
}

void Profiles::PickRow(int row) {
  ListBox& list = window_.ProfileList;
  if (row < 0 || row >= static_cast<int>(list.Items.size())) return;
  picked_ = row;
  const int k = row + 1;
  window_.NameField.Caption = ShownText(Stored(NumberedKey(kName, k)));
  window_.PasswordField.Caption = Stored(NumberedKey(kPassword, k));
  store_.Store(kSection, kSelected, std::to_string(k));
  list.ListIndex = row;
  window_.RemoveButton.Enabled = true;
}

void Profiles::Remove() {
  const int k = picked_ + 1;
  const int count = Count();
  if (k < 1 || k > count) return;
  // The later profiles move down one place and the former last slot is
  // emptied, all in one write, so the list is never left half renumbered.
  std::vector<IniChange> changes;
  for (int i = k; i < count; ++i) {
    changes.push_back({kSection, NumberedKey(kName, i), Stored(NumberedKey(kName, i + 1))});
    changes.push_back({kSection, NumberedKey(kPassword, i), Stored(NumberedKey(kPassword, i + 1))});
  }
  changes.push_back({kSection, kSelected, SelectionAfterRemoval(Selected(), k, count)});
  changes.push_back({kSection, NumberedKey(kName, count), ""});
  changes.push_back({kSection, NumberedKey(kPassword, count), ""});
  changes.push_back({kSection, kCount, std::to_string(count - 1)});
  if (!store_.StoreGroup(changes)) texts_.TellNotSaved(text::kNotSavedProfile);
  ShowList();
}

void Profiles::Confirm() {
  // The pick is stored again with the option, held for the run and told
  // when the file refuses them.
  std::vector<IniChange> choice{{kOptionsSection, kShowWindow, dontShow_ ? "No" : "Yes"}};
  if (picked_ >= 0) choice.push_back({kSection, kSelected, std::to_string(picked_ + 1)});
  if (!store_.StoreChoice(choice)) texts_.TellNotSaved(text::kNotSavedChoice);
  ShowPlayer();
  waitingForProfile_ = false;
  window_.Visible = false;
}

void Profiles::Cancel() {
  waitingForProfile_ = false;
  view_.ProfileTimer.SetEnabled(false);
  window_.Visible = false;
}

void Profiles::Closed() { window_.Visible = false; }

void Profiles::TickDontShow(bool ticked) {
  dontShow_ = ticked;
  window_.DontShowWhenSendingTicked = ticked;
}

void Profiles::ShowPlayer() {
  const std::string name = ShownText(Stored(kName + Selected()));
  view_.PlayerLabel.Caption = !name.empty() ? name : texts_.Text(text::kNoUser);
}

}  // namespace pyxaro
