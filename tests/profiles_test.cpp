#include "highscores/submission_rules.h"
#include "scoring/categories.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class ProfilesTest : public GameTest {
 protected:
  void SetUp() override { Start(); }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    SetINI(section, key, value, folder.File("Pyx4.ini"));
  }
  void NewGame() {
    host.answers.push_back(true);
    game->Do(Command::NewGame);
  }
  // Profiles 1.. with these names, password "pw" + name, and the selection.
  void StoreProfiles(const std::vector<std::string>& names, const std::string& selected) {
    Set("Users", "antal", std::to_string(names.size()));
    Set("Users", "selected", selected);
    for (std::size_t i = 0; i < names.size(); ++i) {
      Set("Users", "user" + std::to_string(i + 1), names[i]);
      Set("Users", "pass" + std::to_string(i + 1), "pw" + names[i]);
    }
  }
  // The stored count, selection and first three profiles.
  std::string Stored() const {
    std::string stored = Ini("Users", "antal") + " " + Ini("Users", "selected") + ":";
    for (const char* n : {"1", "2", "3"})
      stored +=
          " " + Ini("Users", std::string("user") + n) + "/" + Ini("Users", std::string("pass") + n);
    return stored;
  }
  // The window's list, its highlighted row, the fields, and whether Remove is on.
  std::string Shown() const {
    const ProfilesForm& w = game->Profiles().Window();
    std::string shown;
    for (const std::string& item : w.ProfileList.Items) shown += item + ",";
    return shown + " [" + std::to_string(w.ProfileList.ListIndex) + "] " + w.NameField.Caption +
           "/" + w.PasswordField.Caption + (w.RemoveButton.Enabled ? " remove" : "");
  }
  const ProfilesForm& Window() const { return game->Profiles().Window(); }
};

TEST_F(ProfilesTest, AFirstProfileIsAskedForThenProfilesAreAddedAndRemoved) {
  const std::pair<std::optional<std::string>, std::optional<std::string>> answers[] = {
      {"Eve", ""}, {"Eve", std::nullopt}, {"", "x"}, {"Eve", "x"}};
  for (const auto& [name, password] : answers) {
    game->Do(Command::CancelProfiles);
    host.boxes.clear();
    host.inputs = {name, password};
    game->Do(Command::OpenProfiles);
    std::string boxes;
    for (const Box& b : host.boxes) boxes += b.text + "|" + b.title + (b.masked ? "*\n" : "\n");
    EXPECT_EQ(boxes, "Username:|Pyxaro users\nPassword:|Pyxaro users*\n");
    EXPECT_TRUE(Window().Visible);
  }
  // Only the last answers were complete.
  EXPECT_EQ(Stored(), "1 1: Eve/x / /");
  EXPECT_EQ(Shown(), "Eve, [-1] Eve/x");
  EXPECT_EQ(Window().Heading.Caption + Window().AddButton.ToolTip + Window().RemoveButton.ToolTip,
            TestText(18) + " " + TestText(24) + "  " + TestText(25) + " ");
  // Each profile added is selected.
  for (const std::string name : {"Ann", "Bo"}) {
    host.inputs = {name, "pw" + name};
    game->Do(Command::AddProfile);
  }
  EXPECT_EQ(Stored(), "3 3: Eve/x Ann/pwAnn Bo/pwBo");
  EXPECT_EQ(Shown(), "Eve,Ann,Bo, [-1] Bo/pwBo");
  // A click selects at once; a removal renumbers the profiles after it.
  game->Do(Command::PickProfile, 0);
  EXPECT_EQ(Ini("Users", "selected") + Shown(), "1Eve,Ann,Bo, [0] Eve/x remove");
  Set("Users", "selected", "3");
  game->Do(Command::RemoveProfile);
  EXPECT_EQ(Stored(), "2 2: Ann/pwAnn Bo/pwBo /");
  EXPECT_EQ(Shown(), "Ann,Bo, [-1] Bo/pwBo");
  for (const int row : {1, 0}) {
    game->Do(Command::PickProfile, row);
    game->Do(Command::RemoveProfile);
  }
  EXPECT_EQ(Stored(), "0 : / / /");
  game->Do(Command::ConfirmProfiles);
  EXPECT_EQ(game->Profiles().View().PlayerLabel.Caption, TestText(23));
}

// The same profile stays selected; when it is the one removed, or the selection was no profile, the
// first is.
TEST(SubmissionRulesTest, ARemovalKeepsTheSameProfileSelected) {
  for (int count = 1; count <= 4; ++count) {
    for (int selected = 0; selected <= count + 1; ++selected) {
      for (int removed = 1; removed <= count; ++removed) {
        const bool kept = selected >= 1 && selected <= count && selected != removed;
        const int after = kept ? selected - (selected > removed ? 1 : 0) : 1;
        EXPECT_EQ(SelectionAfterRemoval(std::to_string(selected), removed, count),
                  count == 1 ? "" : std::to_string(after))
            << selected << " " << removed << " " << count;
      }
    }
  }
}

TEST_F(ProfilesTest, ChoosingThenCancelKeepsTheLabelButNotTheSelection) {
  StoreProfiles({"Ann", "Bo"}, "1");
  NewGame();
  EXPECT_EQ(
      game->Profiles().View().PlayerLabel.Caption + game->Profiles().View().PlayerLabel.ToolTip,
      "Ann " + TestText(18) + " ");
  game->Do(Command::OpenProfiles);
  game->Do(Command::PickProfile, 1);
  game->Do(Command::OpenProfiles);  // showing the open window again changes nothing in it
  EXPECT_EQ(Shown(), "Ann,Bo, [1] Bo/pwBo remove");
  host.answers = {true};
  game->Do(Command::OfferTopTenRow, 1);
  ASSERT_TRUE(game->Profiles().View().ProfileTimer.Enabled());
  game->Do(Command::CancelProfiles);
  EXPECT_FALSE(Window().Visible || game->Profiles().View().ProfileTimer.Enabled());
  EXPECT_EQ(Ini("Users", "selected") + Ini("Options", "ShowUser"), "2");
  EXPECT_EQ(game->Profiles().View().PlayerLabel.Caption, "Ann");
  NewGame();
  EXPECT_EQ(game->Profiles().View().PlayerLabel.Caption, "Bo");
}

TEST_F(ProfilesTest, OkStoresTheBoxAndShowsThePlayer) {
  // The stored option, whether the box is ticked at opening, whether the player ticks it, the
  // option stored by OK.
  const std::tuple<const char*, bool, bool, const char*> cases[] = {{"", false, true, "No"},
                                                                    {"No", true, false, "Yes"},
                                                                    {"Yes", false, false, "Yes"},
                                                                    {"no", false, false, "Yes"}};
  StoreProfiles({"Ann", "Bo"}, "2");
  for (const auto& [stored, tickedAtOpening, ticked, after] : cases) {
    Set("Options", "ShowUser", stored);
    game->Do(Command::OpenProfiles);
    EXPECT_EQ(Window().DontShowWhenSendingTicked, tickedAtOpening) << stored;
    game->Do(Command::TickDontShowProfiles, ticked ? 1 : 0);
    game->Do(Command::ConfirmProfiles);
    EXPECT_EQ(Ini("Options", "ShowUser") + game->Profiles().View().PlayerLabel.Caption,
              after + std::string("Bo"));
    EXPECT_FALSE(Window().Visible);
  }
}

const std::string kNoAddress = "No online address is configured.\n";

TEST(SubmissionRulesTest, ValuesAreEncodedSoNoneCanAddAFieldAndOnlyWebAddressesOpen) {
  // Byte by byte, so one string holds every case.
  EXPECT_EQ(PercentEncoded("") + PercentEncoded("Az09-._~ a&b=c 1+1#x?/% Åsa ö"),
            "Az09-._~%20a%26b%3Dc%201%2B1%23x%3F%2F%25%20%C3%85sa%20%C3%B6");
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
  const std::pair<const char*, int> counts[] = {{"", 0},     {"3", 3},  {"3 profiles", 3},
                                                {"none", 0}, {"-2", 0}, {"99999999999", 999}};
  for (const auto& [text, count] : counts) EXPECT_EQ(ProfileCount(text), count) << text;
}

// One profile, Eve with password "pwEve", and row 2 of the list to send.
class SubmissionTest : public ProfilesTest {
 protected:
  void SetUp() override {
    ProfilesTest::SetUp();
    StoreProfiles({"Eve"}, "1");
    ASSERT_EQ(SetINIBatch({{"Options", "ShowUser", "No"},
                           {"Internet", "send", "https://scores.example/send"},
                           {"Highscore", "p2", "250"},
                           {"Highscore", "k2", "37177384513"},
                           {"Highscore", "d2", "2611"}},
                          folder.File("Pyx4.ini")),
              -1);
    host.boxes.clear();
  }
  // Clicks row r and answers Yes.
  void Offer(int r) {
    host.answers = {true};
    game->Do(Command::OfferTopTenRow, r);
  }
  // The texts of the message boxes, a line each.
  std::string Told() const {
    std::string told;
    for (const Box& box : host.boxes) told += box.kind == Box::Message ? box.text + "\n" : "";
    return told;
  }
  // Whether the profile and the send timers run: "10" for the first alone.
  std::string Timers() const {
    return std::to_string(game->Profiles().View().ProfileTimer.Enabled()) +
           std::to_string(game->Profiles().View().SendTimer.Enabled());
  }

  const std::string sent_ =
      "https://scores.example/send?user=Eve&pass=pwEve&ver=504&date=2611&points=250"
      "&key=37177384513";
};

TEST_F(SubmissionTest, YesSaysSendingAtTheFirstTickAndOpensTheAddressOneTickLater) {
  Offer(2);
  EXPECT_EQ(Timers() + (game->Profiles().Window().Visible ? " window" : ""), "10");
  game->Do(Command::ProfileTick);
  EXPECT_EQ(Timers() + Said(), "01" + TestText(15));
  EXPECT_TRUE(host.opened.empty());
  GameState scored;
  scored.Score[kChance] = 42;
  game->Continue(scored);
  game->Do(Command::SendTick);
  EXPECT_EQ(host.opened, std::vector<std::string>{sent_});
  EXPECT_EQ(Timers() + Said() + Told(), "00" + TestText(1) + ": 42");
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
    Set("Users", "antal", noProfile ? "0" : "1");
    Set("Options", "ShowUser", showUser);
    host.opened.clear();
    const std::string before = Said();
    if (noProfile) host.inputs = {"Eve", "pwEve"};  // the first-profile prompts
    Offer(2);
    EXPECT_TRUE(game->Profiles().Window().Visible);
    game->Do(Command::ProfileTick);  // waits for the window
    EXPECT_EQ(Timers() + Said(), "10" + before);
    if (close == Ok) game->Do(Command::ConfirmProfiles);
    if (close == Cancel) game->Do(Command::CancelProfiles);
    if (close == ByTheDesktop) game->Do(Command::ProfilesClosed);
    if (close == ByALanguageChange) {
      host.answers = {true};
      game->Do(Command::ChangeLanguage);
    }
    const bool abandoned = close == Cancel || close == ByALanguageChange;
    EXPECT_EQ(std::tuple(game->Profiles().Window().Visible,
                         game->Profiles().View().ProfileTimer.Enabled()),
              std::tuple(false, !abandoned));
    // The window the desktop closed still holds the submission.
    if (!abandoned) game->Do(Command::ProfileTick);
    EXPECT_EQ(game->Profiles().View().SendTimer.Enabled(), close == Ok);
    if (close == Ok) game->Do(Command::SendTick);
    EXPECT_EQ(host.opened, std::vector<std::string>(close == Ok ? 1 : 0, sent_));
    game->Do(Command::CancelProfiles);
  }
}

TEST_F(SubmissionTest, AnAddressThatIsNoWebAddressIsNeverOpened) {
  for (const char* send : {"", "mailto:x@example.org"}) {
    Set("Internet", "send", send);
    host.boxes.clear();
    const std::string before = Said();
    Offer(2);
    game->Do(Command::ProfileTick);
    EXPECT_EQ(Told() + Said() + Timers(), kNoAddress + before + "00") << send;
  }
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(SubmissionTest, TheHomeLinkPlaysItsSoundsAndOpensOnlyAWebAddress) {
  const std::pair<const char*, bool> homes[] = {
      {"https://pyxaro.example/", true}, {"", false}, {"c:\\x.exe", false}};
  const std::vector<Played> beeps{{folder.File("beep.wav"), true},
                                  {folder.File("beep.wav"), false}};
  for (const auto& [home, opened] : homes) {
    Set("Internet", "home", home);
    host = FakeHost{};
    game->Do(Command::OpenHome);
    EXPECT_EQ(host.played, beeps);
    EXPECT_EQ(host.opened, std::vector<std::string>(opened ? 1 : 0, home));
    EXPECT_EQ(Told(), opened ? "" : kNoAddress) << home;
  }
}

}  // namespace
}  // namespace pyxaro::testing
