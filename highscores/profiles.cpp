#include <string>

#include "core/game.h"
#include "core/text.h"
#include "highscores/submission_rules.h"
#include "settings/language_keys.h"
#include "settings/numbered_key.h"

namespace pyxaro {

namespace {

// Lists the stored profiles and shows the selected one. A list filled afresh
// has no row selected, so there is nothing to remove until a row is clicked.
void ShowProfiles(Game& game) {
  ProfilesForm& form = game.profiles;
  const int count = ProfileCount(game.Setting("Users", "antal"));
  form.ProfileList.Items.clear();
  for (int i = 1; i <= count; ++i) {
    form.ProfileList.Items.push_back(ShownText(game.Setting("Users", NumberedKey("user", i))));
  }
  form.ProfileList.ListIndex = -1;
  form.RemoveButton.Enabled = false;
  const std::string selected = game.Setting("Users", "selected");
  form.NameField.Caption = ShownText(game.Setting("Users", "user" + selected));
  form.PasswordField.Caption = game.Setting("Users", "pass" + selected);
}

}  // namespace

void Game::OpenProfiles() {
  if (profiles.Visible) return;
  profiles = ProfilesForm{};
  const std::string heading = LangText(lang::kProfiles);
  profiles.Heading.Caption = heading.empty() ? "User profiles" : heading;
  profiles.AddButton.ToolTip = ToolTipText(lang::kAddTip, " Add ");
  profiles.RemoveButton.ToolTip = ToolTipText(lang::kRemoveTip, " Remove ");
  profiles.Caption = Text(text::kUsersWindow);
  profiles.NameLabel.Caption = Text(text::kUsername);
  profiles.PasswordLabel.Caption = Text(text::kPassword);
  profiles.OkButton.Caption = Text(text::kOk);
  profiles.CancelButton.Caption = Text(text::kCancel);
  profiles.DontShowWhenSending.Caption = Text(text::kDontShowWhenSending);
  // The prompts for a first profile come before the window itself.
  if (ProfileCount(Setting("Users", "antal")) == 0) {
    AddProfile();
  } else {
    ShowProfiles(*this);
  }
  profiles.DontShowWhenSendingTicked = Setting("Options", "ShowUser") == "No";
  profiles.Visible = true;
}

void Game::AddProfile() {
  const std::string title = Text(text::kUsersTitle);
  const auto name = host_.Prompt(Text(text::kUsername), title, "");
  const auto password = host_.PromptMasked(Text(text::kPassword), title);
  if (name && !name->empty() && password && !password->empty()) {
    const std::string n = std::to_string(ProfileCount(Setting("Users", "antal")) + 1);
    StoreGroup({{"Users", "antal", n},
                {"Users", "selected", n},
                {"Users", "user" + n, *name},
                {"Users", "pass" + n, *password}});
  }
  ShowProfiles(*this);
}

void Game::ProfileRowClicked(int row) {
  ListBox& list = profiles.ProfileList;
  if (row < 0 || row >= static_cast<int>(list.Items.size())) return;
  const int k = row + 1;
  profiles.NameField.Caption = ShownText(Setting("Users", NumberedKey("user", k)));
  profiles.PasswordField.Caption = Setting("Users", NumberedKey("pass", k));
  Store("Users", "selected", std::to_string(k));
  list.ListIndex = row;
  profiles.RemoveButton.Enabled = true;
}

void Game::RemoveProfile() {
  const int k = profiles.ProfileList.ListIndex + 1;
  const int count = ProfileCount(Setting("Users", "antal"));
  if (k < 1 || k > count) return;
  // The later profiles move down one place and the former last slot is
  // emptied, all in one write, so the list is never left half renumbered.
  std::vector<IniChange> changes;
  for (int i = k; i < count; ++i) {
    changes.push_back(
        {"Users", NumberedKey("user", i), Setting("Users", NumberedKey("user", i + 1))});
    changes.push_back(
        {"Users", NumberedKey("pass", i), Setting("Users", NumberedKey("pass", i + 1))});
  }
  changes.push_back(
      {"Users", "selected", SelectionAfterRemoval(Setting("Users", "selected"), k, count)});
  changes.push_back({"Users", NumberedKey("user", count), ""});
  changes.push_back({"Users", NumberedKey("pass", count), ""});
  changes.push_back({"Users", "antal", std::to_string(count - 1)});
  StoreGroup(changes);
  ShowProfiles(*this);
}

void Game::ConfirmProfiles() {
  Store("Options", "ShowUser", profiles.DontShowWhenSendingTicked ? "No" : "Yes");
  ShowPlayer();
  run.WaitingForProfile = false;
  profiles.Visible = false;
}

void Game::CancelProfiles() {
  run.WaitingForProfile = false;
  main.ProfileTimer.SetEnabled(false);
  profiles.Visible = false;
}

void Game::ProfilesWindowClosed() { profiles.Visible = false; }

void Game::ShowPlayer() {
  const std::string name = ShownText(Setting("Users", "user" + Setting("Users", "selected")));
  const std::string noUser = LangText(lang::kNoUser);
  main.PlayerLabel.Caption = !name.empty() ? name : !noUser.empty() ? noUser : "No user";
}

}  // namespace pyxaro
