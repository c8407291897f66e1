#include <optional>
#include <string>
#include <vector>

#include "highscores/submission_rules.h"
#include "scoring/categories.h"
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

TEST_F(ProfilesTest, AFirstProfileIsAskedForThenProfilesAreAddedAndRemoved) {
  const std::pair<std::optional<std::string>, std::optional<std::string>> answers[] = {
      {"Eve", ""}, {"Eve", std::nullopt}, {"", "x"}, {"Eve", "x"}};
  for (const auto& [name, password] : answers) {
    SCOPED_TRACE(name.value_or("(cancelled)") + "/" + password.value_or("(cancelled)"));
    game->profiles.Visible = false;
    host.boxes.clear();
    host.inputs = {name, password};
    game->OpenProfiles();
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].text + "|" + host.boxes[1].text, "Username:|Password:");
    EXPECT_EQ(host.boxes[0].title + "|" + host.boxes[1].title, "Pyxaro users|Pyxaro users");
    EXPECT_TRUE(!host.boxes[0].masked && host.boxes[1].masked);
    EXPECT_TRUE(Window().Visible);
  }
  // Only the last answers were complete.
  EXPECT_EQ(Ini("Users", "antal") + Ini("Users", "selected") + User(1) + Pass(1), "11Evex");
  EXPECT_EQ(Window().ProfileList.Items, std::vector<std::string>{"Eve"});
  EXPECT_EQ(Window().NameField.Caption, "Eve");
  EXPECT_EQ(Window().Heading.Caption, TestText(18));
  EXPECT_EQ(Window().AddButton.ToolTip, " " + TestText(24) + " ");
  EXPECT_EQ(Window().RemoveButton.ToolTip, " " + TestText(25) + " ");

  // Each profile added is selected.
  for (const std::string name : {"Ann", "Bo"}) {
    host.inputs = {name, "pw" + name};
    game->AddProfile();
  }
  EXPECT_EQ(Ini("Users", "antal") + Ini("Users", "selected") + User(3) + Pass(3), "33BopwBo");
  EXPECT_EQ(Window().ProfileList.Items, (std::vector<std::string>{"Eve", "Ann", "Bo"}));
  EXPECT_EQ(Window().NameField.Caption + "/" + Window().PasswordField.Caption, "Bo/pwBo");
  EXPECT_FALSE(Window().RemoveButton.Enabled);

  // A click selects at once; a removal renumbers the profiles after it.
  game->ProfileRowClicked(0);
  EXPECT_EQ(Ini("Users", "selected"), "1");
  EXPECT_TRUE(Window().RemoveButton.Enabled);
  game->Store("Users", "selected", "3");
  game->RemoveProfile();
  EXPECT_EQ(Ini("Users", "antal") + Ini("Users", "selected"), "22");
  EXPECT_EQ(User(1) + Pass(1) + User(2) + Pass(2) + User(3) + Pass(3), "AnnpwAnnBopwBo");
  EXPECT_EQ(Window().ProfileList.Items, (std::vector<std::string>{"Ann", "Bo"}));
  EXPECT_FALSE(Window().RemoveButton.Enabled);
  EXPECT_EQ(Window().ProfileList.ListIndex, -1);
  for (const int row : {1, 0}) {
    game->ProfileRowClicked(row);
    game->RemoveProfile();
  }
  EXPECT_EQ(Ini("Users", "antal") + Ini("Users", "selected") + User(1), "0");
  game->ConfirmProfiles();
  EXPECT_EQ(game->main.PlayerLabel.Caption, TestText(23));
}

TEST(SubmissionRulesTest, ARemovalKeepsTheSameProfileSelected) {
  // The selection, the row removed, the count before; the selection after.
  const std::tuple<const char*, int, int, const char*> cases[] = {
      {"2", 2, 3, "1"},  // the selected one
      {"3", 1, 3, "2"},  // one before it
      {"1", 3, 3, "1"},  // one after it
      {"3", 3, 3, "1"},  // the last, selected
      {"7", 2, 3, "1"},  // a selection past the end
      {"1", 1, 1, ""}};  // the only one
  for (const auto& [selected, removed, count, after] : cases) {
    EXPECT_EQ(SelectionAfterRemoval(selected, removed, count), after) << selected << removed;
  }
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

TEST_F(ProfilesTest, TextsFallBackToEnglish) {
  folder.Write("test.lng", "[Language]\nl1=Score\n");
  StoreProfiles({"Ann", "Bo"}, "3");
  game->Restart();
  game->OpenProfiles();
  EXPECT_EQ(Window().Heading.Caption, "User profiles");
  EXPECT_EQ(Window().AddButton.ToolTip + Window().RemoveButton.ToolTip, " Add  Remove ");
  game->ConfirmProfiles();
  EXPECT_EQ(game->main.PlayerLabel.Caption, "No user");
}

const std::string kNoAddress = "No online address is configured.\n";

TEST(SubmissionRulesTest, ValuesAreEncodedSoNoneCanAddAFieldAndOnlyWebAddressesOpen) {
  for (const auto& [value, encoded] : {std::pair{"", ""},
                                       {"Az09-._~", "Az09-._~"},
                                       {"a&b=c", "a%26b%3Dc"},
                                       {"two words", "two%20words"},
                                       {"1+1#x?/%", "1%2B1%23x%3F%2F%25"},
                                       {"Åsa", "%C3%85sa"},
                                       {"ö", "%C3%B6"}}) {
    EXPECT_EQ(PercentEncoded(value), encoded) << value;
  }
  EXPECT_EQ(SubmissionAddress("https://scores.example/send",
                              {"Åsa & Bo", "p=w&ver=1", 504, "2612", "250", "37177384513"}),
            "https://scores.example/send?user=%C3%85sa%20%26%20Bo&pass=p%3Dw%26ver%3D1&ver=504"
            "&date=2612&points=250&key=37177384513");
  EXPECT_EQ(SubmissionAddress("", {}), "?user=&pass=&ver=0&date=&points=&key=");
  for (const char* web : {"https://scores.example/send?user=", "http://x", "HTTPS://x.example",
                          "https://bücher.example/"}) {
    EXPECT_TRUE(IsWebAddress(web)) << web;
  }
  for (const char* other :
       {"", "?user=Eve", "https:", "https://", "https:///etc/passwd", "http:x",
        "file:///etc/passwd", "javascript:alert(1)", "ftp://x", " https://x", "https://x y",
        "https://scores\u202E.example/send", "https://x\u2067y/send", "https://x\u200F.example",
        "https://x\u061C.example", "https://x/\u0085", "httpsx://x"}) {
    EXPECT_FALSE(IsWebAddress(other)) << other;
  }
  for (const auto& [text, count] : {std::pair{"", 0},
                                    {"3", 3},
                                    {"3 profiles", 3},
                                    {"none", 0},
                                    {"-2", 0},
                                    {"99999999999", 999}}) {
    EXPECT_EQ(ProfileCount(text), count) << text;
  }
}

// One profile, Eve with password "pwEve", and row 2 of the list to send.
class SubmissionTest : public ProfilesTest {
 protected:
  void SetUp() override {
    ProfilesTest::SetUp();
    StoreProfiles({"Eve"}, "1");
    ASSERT_TRUE(game->StoreGroup({{"Options", "ShowUser", "No"},
                                  {"Internet", "send", "https://scores.example/send"},
                                  {"Highscore", "p2", "250"},
                                  {"Highscore", "k2", "37177384513"},
                                  {"Highscore", "d2", "2611"}}));
    host.boxes.clear();
  }
  // Clicks row r and answers Yes.
  void Offer(int r) {
    host.answers = {true};
    game->TopTenRowClicked(r);
  }
  // The texts of the message boxes, a line each.
  std::string Told() const {
    std::string told;
    for (const Box& box : host.boxes) told += box.kind == Box::Message ? box.text + "\n" : "";
    return told;
  }

  const std::string sent_ =
      "https://scores.example/send?user=Eve&pass=pwEve&ver=504&date=2611&points=250"
      "&key=37177384513";
};

TEST_F(SubmissionTest, YesSaysSendingAtTheFirstTickAndOpensTheAddressOneTickLater) {
  Offer(2);
  EXPECT_FALSE(game->profiles.Visible);
  EXPECT_TRUE(game->main.ProfileTimer.Enabled());

  game->ProfileTimerTick();
  EXPECT_EQ(game->run.Said, TestText(15));
  EXPECT_FALSE(game->main.ProfileTimer.Enabled());
  EXPECT_TRUE(game->main.SendTimer.Enabled());
  EXPECT_TRUE(host.opened.empty());

  game->state.Score[kChance] = 42;
  game->SendTimerTick();
  EXPECT_EQ(host.opened, std::vector<std::string>{sent_});
  EXPECT_EQ(game->run.Said, TestText(1) + ": 42");
  EXPECT_FALSE(game->main.SendTimer.Enabled());
  EXPECT_EQ(Told(), "");
}

TEST_F(SubmissionTest, AWindowItOpensHoldsTheSubmissionUntilOkOrCancel) {
  // A change of language closes the window as Cancel would.
  enum Close { Ok, Cancel, ByTheDesktop, ByALanguageChange };
  // No profile yet, or the option to show the window; how it is closed.
  const std::tuple<bool, const char*, Close> cases[] = {{true, "No", Ok},
                                                        {true, "No", Cancel},
                                                        {false, "Yes", Ok},
                                                        {false, "Yes", ByTheDesktop},
                                                        {false, "Yes", ByALanguageChange}};
  for (const auto& [noProfile, showUser, close] : cases) {
    SCOPED_TRACE(std::to_string(noProfile) + showUser + std::to_string(close));
    game->Store("Users", "antal", noProfile ? "0" : "1");
    game->Store("Options", "ShowUser", showUser);
    host.opened.clear();
    game->Say("");
    // The first-profile prompts, answered with a new Eve.
    if (noProfile) host.inputs = {"Eve", "pwEve"};
    Offer(2);
    EXPECT_TRUE(game->profiles.Visible && game->run.WaitingForProfile);
    game->ProfileTimerTick();
    EXPECT_TRUE(game->main.ProfileTimer.Enabled());
    EXPECT_EQ(game->run.Said, "");

    if (close == Ok) game->ConfirmProfiles();
    if (close == Cancel) game->CancelProfiles();
    if (close == ByTheDesktop) game->ProfilesWindowClosed();
    if (close == ByALanguageChange) {
      host.answers = {true};
      game->ChangeLanguage();
    }
    EXPECT_FALSE(game->profiles.Visible);
    const bool abandoned = close == Cancel || close == ByALanguageChange;
    EXPECT_EQ(game->main.ProfileTimer.Enabled(), !abandoned);
    EXPECT_EQ(game->run.WaitingForProfile, close == ByTheDesktop);
    if (!abandoned) game->ProfileTimerTick();
    EXPECT_EQ(game->main.SendTimer.Enabled(), close == Ok);
    if (close == Ok) game->SendTimerTick();
    EXPECT_EQ(host.opened,
              close == Ok ? std::vector<std::string>{sent_} : std::vector<std::string>{});
    game->CancelProfiles();
  }
}

TEST_F(SubmissionTest, TheAddressIsBuiltFromTheValuesStoredAtTheTick) {
  // A cleared row sends its stored values; the month falls back to the
  // current one. Names and passwords arrive exactly as typed.
  game->StoreGroup({{"Highscore", "p3", "0"}, {"Highscore", "k3", ""}, {"Highscore", "d3", ""}});
  Offer(3);
  game->StoreGroup({{"Users", "user1", "Åsa & Bo=1"}, {"Users", "pass1", "a b+c"}});
  game->ProfileTimerTick();
  EXPECT_EQ(game->run.LinkAddress,
            "https://scores.example/send?user=%C3%85sa%20%26%20Bo%3D1&pass=a%20b%2Bc&ver=504"
            "&date=2612&points=0&key=");
}

TEST_F(SubmissionTest, AnAddressThatIsNoWebAddressIsNeverOpened) {
  for (const char* send : {"", "mailto:x@example.org"}) {
    game->Store("Internet", "send", send);
    host.boxes.clear();
    game->Say("before");
    Offer(2);
    game->ProfileTimerTick();
    EXPECT_EQ(Told(), kNoAddress) << send;
    EXPECT_EQ(game->run.Said, "before") << send;
    EXPECT_FALSE(game->main.ProfileTimer.Enabled() || game->main.SendTimer.Enabled());
  }
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(SubmissionTest, TheHomeLinkPlaysItsSoundsAndOpensOnlyAWebAddress) {
  for (const auto& [home, opened] :
       {std::pair{"https://pyxaro.example/", true}, {"", false}, {"c:\\x.exe", false}}) {
    game->Store("Internet", "home", home);
    host.boxes.clear();
    host.opened.clear();
    host.played.clear();
    game->HomeLinkClicked();
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"beep.wav", "beep.wav"}));
    EXPECT_TRUE(host.played.at(0).waited && !host.played.at(1).waited);
    EXPECT_EQ(host.opened, opened ? std::vector<std::string>{home} : std::vector<std::string>{});
    EXPECT_EQ(Told(), opened ? "" : kNoAddress) << home;
  }
}

}  // namespace
}  // namespace pyxaro::testing
