#include <optional>
#include <string>
#include <vector>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class ProfilesTest : public GameTest {
 protected:
  void SetUp() override { Start(); }

  // Profiles 1.. with these names, password "pw" + name, and the selection.
  void StoreProfiles(const std::vector<std::string>& names, const std::string& selected) {
    std::vector<IniChange> changes{{"Users", "antal", std::to_string(names.size())},
                                   {"Users", "selected", selected}};
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      changes.push_back({"Users", "user" + n, names[i]});
      changes.push_back({"Users", "pass" + n, "pw" + names[i]});
    }
    ASSERT_TRUE(game->StoreGroup(changes));
  }
  std::string User(int n) const { return Ini("Users", "user" + std::to_string(n)); }
  std::string Pass(int n) const { return Ini("Users", "pass" + std::to_string(n)); }
  const ProfilesForm& Window() const { return game->profiles; }
};

TEST_F(ProfilesTest, FirstOpeningAsksForAProfileAndKeepsOnlyACompleteOne) {
  const std::tuple<std::optional<std::string>, std::optional<std::string>, const char*> cases[] = {
      {"Eve", "x", "1"}, {"Eve", "", ""}, {"Eve", std::nullopt, ""}, {"", "x", ""}};
  for (const auto& [name, password, antal] : cases) {
    SCOPED_TRACE(name.value_or("(cancelled)") + "/" + password.value_or("(cancelled)"));
    game->StoreGroup({{"Users", "antal", ""},
                      {"Users", "selected", ""},
                      {"Users", "user1", ""},
                      {"Users", "pass1", ""}});
    game->profiles.Visible = false;
    host.boxes.clear();
    host.inputs = {name, password};
    game->OpenProfiles();

    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].text + "|" + host.boxes[1].text, "Username:|Password:");
    EXPECT_EQ(host.boxes[0].title + "|" + host.boxes[1].title, "Pyxaro users|Pyxaro users");
    EXPECT_FALSE(host.boxes[0].masked);
    EXPECT_TRUE(host.boxes[1].masked);
    EXPECT_EQ(Ini("Users", "antal"), antal);
    EXPECT_TRUE(Window().Visible);
    const bool created = std::string(antal) == "1";
    EXPECT_EQ(Window().ProfileList.Items.size(), created ? 1u : 0u);
    EXPECT_EQ(Window().NameField.Caption, created ? "Eve" : "");
    EXPECT_EQ(Ini("Users", "selected"), created ? "1" : "");
  }
  EXPECT_EQ(Window().Heading.Caption, TestText(18));
  EXPECT_EQ(Window().AddButton.ToolTip, " " + TestText(24) + " ");
  EXPECT_EQ(Window().RemoveButton.ToolTip, " " + TestText(25) + " ");
}

TEST_F(ProfilesTest, AddingEveToTwoProfilesSelectsHer) {
  StoreProfiles({"Ann", "Bo"}, "1");
  game->OpenProfiles();
  EXPECT_EQ(Window().ProfileList.Items, (std::vector<std::string>{"Ann", "Bo"}));
  EXPECT_EQ(Window().NameField.Caption + "/" + Window().PasswordField.Caption, "Ann/pwAnn");
  EXPECT_FALSE(Window().RemoveButton.Enabled);

  host.inputs = {"Eve", "x"};
  game->AddProfile();
  EXPECT_EQ(Ini("Users", "antal") + Ini("Users", "selected") + User(3) + Pass(3), "33Evex");
  EXPECT_EQ(Window().ProfileList.Items, (std::vector<std::string>{"Ann", "Bo", "Eve"}));
  EXPECT_EQ(Window().NameField.Caption, "Eve");
  EXPECT_EQ(Window().PasswordField.Caption, "x");
}

TEST_F(ProfilesTest, RemovingRenumbersAndKeepsTheSameProfileSelected) {
  // The profiles stored, the selection, the row removed (from 1); the names
  // after, the selection after.
  const std::tuple<std::vector<std::string>, const char*, int, std::vector<std::string>,
                   const char*>
      cases[] = {
          {{"A", "B", "C"}, "2", 2, {"A", "C"}, "1"},  // the selected one
          {{"A", "B", "C"}, "3", 1, {"B", "C"}, "2"},  // one before it: still C
          {{"A", "B", "C"}, "1", 3, {"A", "B"}, "1"},  // one after it
          {{"A", "B", "C"}, "3", 3, {"A", "B"}, "1"},  // the last, selected
          {{"A", "B", "C"}, "7", 2, {"A", "C"}, "1"},  // a selection past the end
          {{"A"}, "1", 1, {}, ""},                     // the only one
      };
  for (const auto& [before, selected, row, after, selectedAfter] : cases) {
    SCOPED_TRACE(std::to_string(before.size()) + " profiles, selected " + selected + ", remove " +
                 std::to_string(row));
    StoreProfiles(before, selected);
    game->profiles.Visible = false;
    game->OpenProfiles();
    game->ProfileRowClicked(row - 1);
    // A click selects at once; the list keeps the stored selection it had.
    EXPECT_EQ(Ini("Users", "selected"), std::to_string(row));
    EXPECT_TRUE(Window().RemoveButton.Enabled);
    game->Store("Users", "selected", selected);

    game->RemoveProfile();
    const int count = static_cast<int>(after.size());
    EXPECT_EQ(Ini("Users", "antal"), std::to_string(count));
    EXPECT_EQ(Ini("Users", "selected"), selectedAfter);
    for (int i = 1; i <= count; ++i) {
      EXPECT_EQ(User(i), after[i - 1]);
      EXPECT_EQ(Pass(i), "pw" + after[i - 1]);
    }
    EXPECT_EQ(User(count + 1) + Pass(count + 1), "");
    EXPECT_EQ(Window().ProfileList.Items, after);
    EXPECT_FALSE(Window().RemoveButton.Enabled);
    EXPECT_EQ(Window().ProfileList.ListIndex, -1);
  }
  game->ConfirmProfiles();
  EXPECT_EQ(game->main.PlayerLabel.Caption, TestText(23));
}

TEST_F(ProfilesTest, ChoosingThenCancelKeepsTheLabelButNotTheSelection) {
  StoreProfiles({"Ann", "Bo"}, "1");
  game->Restart();
  EXPECT_EQ(game->main.PlayerLabel.Caption, "Ann");
  EXPECT_EQ(game->main.PlayerLabel.ToolTip, " " + TestText(18) + " ");
  game->OpenProfiles();
  game->ProfileRowClicked(1);
  EXPECT_EQ(Window().NameField.Caption + "/" + Window().PasswordField.Caption, "Bo/pwBo");
  // Showing the open window again changes nothing in it.
  game->OpenProfiles();
  EXPECT_EQ(Window().ProfileList.ListIndex, 1);

  game->main.ProfileTimer.SetEnabled(true);
  game->CancelProfiles();
  EXPECT_FALSE(Window().Visible);
  EXPECT_FALSE(game->main.ProfileTimer.Enabled());
  EXPECT_EQ(Ini("Users", "selected"), "2");
  EXPECT_EQ(Ini("Options", "ShowUser"), "");
  EXPECT_EQ(game->main.PlayerLabel.Caption, "Ann");
  game->Restart();
  EXPECT_EQ(game->main.PlayerLabel.Caption, "Bo");
}

TEST_F(ProfilesTest, OkStoresTheBoxAndShowsThePlayer) {
  // The stored option, whether the box is ticked at opening, whether the
  // player ticks it, the option stored by OK.
  const std::tuple<const char*, bool, bool, const char*> cases[] = {{"", false, true, "No"},
                                                                    {"No", true, false, "Yes"},
                                                                    {"Yes", false, false, "Yes"},
                                                                    {"no", false, false, "Yes"}};
  StoreProfiles({"Ann", "Bo"}, "2");
  for (const auto& [stored, tickedAtOpening, ticked, after] : cases) {
    game->Store("Options", "ShowUser", stored);
    game->main.PlayerLabel.Caption.clear();
    game->OpenProfiles();
    EXPECT_EQ(Window().DontShowWhenSendingTicked, tickedAtOpening) << stored;
    game->profiles.DontShowWhenSendingTicked = ticked;
    game->run.WaitingForProfile = true;
    game->ConfirmProfiles();
    EXPECT_EQ(Ini("Options", "ShowUser"), after) << stored;
    EXPECT_EQ(game->main.PlayerLabel.Caption, "Bo");
    EXPECT_FALSE(game->run.WaitingForProfile || Window().Visible);
  }
}

TEST_F(ProfilesTest, ACountWithTrailingTextCountsAsItsNumberAndTextsFallBackToEnglish) {
  folder.Write("test.lng", "[Language]\nl1=Score\n");
  StoreProfiles({"Ann", "Bo"}, "3");
  game->Store("Users", "antal", "2 profiles");
  game->OpenProfiles();  // no first-profile prompt
  EXPECT_EQ(Window().ProfileList.Items.size(), 2u);
  EXPECT_EQ(Window().Heading.Caption, "User profiles");
  EXPECT_EQ(Window().AddButton.ToolTip + Window().RemoveButton.ToolTip, " Add  Remove ");
  game->ConfirmProfiles();
  EXPECT_EQ(game->main.PlayerLabel.Caption, "No user");
}

}  // namespace
}  // namespace pyxaro::testing
