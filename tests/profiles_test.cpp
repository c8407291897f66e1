#include "highscores/submission_rules.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class ProfilesTest : public GameTest {
 protected:
  void SetUp() override { Start(); }

  // The stored count, selection and first profiles; the window's list, row, fields and Remove.
  std::string Stored() const {
    std::string stored = Ini("Users", "antal") + " " + Ini("Users", "selected") + ":";
    for (const char* n : {"1", "2", "3"})
      stored +=
          " " + Ini("Users", std::string("user") + n) + "/" + Ini("Users", std::string("pass") + n);
    stored += "|";
    for (const std::string& item : Window().ProfileList.Items) stored += item + ",";
    return stored + " [" + std::to_string(Window().ProfileList.ListIndex) + "] " +
           Window().NameField.Caption + "/" + Window().PasswordField.Caption +
           (Window().RemoveButton.Enabled ? " remove" : "");
  }
  const ProfilesForm& Window() const { return game->Profiles().Window(); }
  const std::string& Player() const { return game->Profiles().View().PlayerLabel.Caption; }
};

TEST_F(ProfilesTest, AFirstProfileIsAskedForThenProfilesAreAddedAndRemoved) {
  // The name, then the password masked; only the last answers are complete.
  const std::pair<std::optional<std::string>, std::optional<std::string>> answers[] = {
      {"Eve", ""}, {"Eve", std::nullopt}, {"", "x"}, {"Eve", "x"}};
  for (const auto& [name, password] : answers) {
    game->Do(Command::CancelProfiles);
    host.boxes.clear();
    host.inputs = {name, password};
    game->Do(Command::OpenProfiles);
    EXPECT_TRUE(host.boxes.size() == 2 && !host.boxes[0].masked && host.boxes[1].masked &&
                Window().Visible);
  }
  EXPECT_EQ(Stored(), "1 1: Eve/x / /|Eve, [-1] Eve/x");
  EXPECT_EQ(Window().Heading.Caption + Window().AddButton.ToolTip + Window().RemoveButton.ToolTip,
            TestText(18) + " " + TestText(24) + "  " + TestText(25) + " ");
  // Each profile added is selected.
  for (const std::string name : {"Ann", "Bo"}) {
    host.inputs = {name, "pw" + name};
    game->Do(Command::AddProfile);
  }
  EXPECT_EQ(Stored(), "3 3: Eve/x Ann/pwAnn Bo/pwBo|Eve,Ann,Bo, [-1] Bo/pwBo");
  // A click selects at once; a removal renumbers the profiles after it.
  game->Pick(List::Profiles, Row{0});
  EXPECT_EQ(Stored(), "3 1: Eve/x Ann/pwAnn Bo/pwBo|Eve,Ann,Bo, [0] Eve/x remove");
  Store({{"Users", "selected", "3"}});
  game->Do(Command::RemoveProfile);
  EXPECT_EQ(Stored(), "2 2: Ann/pwAnn Bo/pwBo /|Ann,Bo, [-1] Bo/pwBo");
}

// The same profile stays selected; when it is the one removed, or the selection was no profile, the
// first is.
TEST(SubmissionRulesTest, ARemovalKeepsTheSelectionValuesAddNoFieldOnlyWebAddressesOpen) {
  for (int count = 1; count <= 4; ++count)
    for (int selected = 0; selected <= count + 1; ++selected)
      for (int removed = 1; removed <= count; ++removed) {
        const bool kept = selected >= 1 && selected <= count && selected != removed;
        const int after = kept ? selected - (selected > removed ? 1 : 0) : 1;
        EXPECT_EQ(SelectionAfterRemoval(std::to_string(selected), removed, count),
                  count == 1 ? "" : std::to_string(after))
            << selected << " " << removed << " " << count;
      }
  // Values are encoded so that none can add a field, and only web addresses open.
  EXPECT_EQ(PercentEncoded("") + PercentEncoded("Az09-._~ a&b=c 1+1#x?/% Åsa ö"),
            "Az09-._~%20a%26b%3Dc%201%2B1%23x%3F%2F%25%20%C3%85sa%20%C3%B6");
  for (const char* web : {"https://scores.example/send?user=", "http://x", "HTTPS://x.example",
                          "https://bücher.example/"})
    EXPECT_TRUE(IsWebAddress(web)) << web;
  for (const char* other :
       {"", "?user=Eve", "https:", "https://", "https:///etc/passwd", "http:x",
        "file:///etc/passwd", "javascript:alert(1)", "ftp://x", " https://x", "https://x y",
        "https://scores\u202E.example/send", "https://x\u2067y/send", "https://x\u200F.example",
        "https://x\u061C.example", "https://x/\u0085", "httpsx://x"})
    EXPECT_FALSE(IsWebAddress(other)) << other;
  const std::pair<const char*, int> counts[] = {{"", 0},     {"3", 3},  {"3 profiles", 3},
                                                {"none", 0}, {"-2", 0}, {"99999999999", 999}};
  for (const auto& [text, count] : counts) EXPECT_EQ(ProfileCount(text), count) << text;
}

// A refused change of the profiles is told; a refused pick holds for the run.
TEST_F(ProfilesTest, AClickIsStoredAtOnceButThePlayerShownChangesOnlyOnOk) {
  // The stored option, whether the box is ticked at opening, whether the player ticks it, the
  // option stored by OK.
  const std::tuple<const char*, bool, bool, const char*> cases[] = {
      {"", false, true, "No"}, {"No", true, false, "Yes"}, {"no", false, false, "Yes"}};
  StoreProfiles({"Ann", "Bo"}, "1");
  game->Do(Command::OpenProfiles);
  game->Pick(List::Profiles, Row{1});
  game->Do(Command::OpenProfiles);  // showing the open window again changes nothing in it
  EXPECT_EQ(Stored(), "2 2: Ann/pwAnn Bo/pwBo /|Ann,Bo, [1] Bo/pwBo remove");
  game->Do(Command::CancelProfiles);
  EXPECT_EQ(Ini("Users", "selected") + Ini("Options", "ShowUser") + Player(), "2" + TestText(23));
  for (const auto& [stored, tickedAtOpening, ticked, after] : cases) {
    Store({{"Options", "ShowUser", stored}});
    game->Do(Command::OpenProfiles);
    EXPECT_EQ(Window().DontShowWhenSendingTicked, tickedAtOpening) << stored;
    game->Tick(TickBox::DontShowProfiles, ticked);
    game->Do(Command::ConfirmProfiles);
    EXPECT_EQ(Ini("Options", "ShowUser") + Player() + (Window().Visible ? " open" : ""),
              after + std::string("Bo"));
  }
  game->Do(Command::OpenProfiles);
  ReadOnlySettings();
  host.inputs = {"Cy", "pwCy"};
  game->Do(Command::AddProfile);
  game->Pick(List::Profiles, Row{0});
  game->Do(Command::RemoveProfile);
  const Box& told = host.boxes.back();
  EXPECT_EQ(std::tuple(host.boxes.size(), told.exclamation, told.text),
            std::tuple(4U, true, NotSaved("The profile")));
  game->Pick(List::Profiles, Row{0});
  game->Do(Command::ConfirmProfiles);
  EXPECT_EQ(std::tuple(host.boxes.size(),
                       host.boxes.back().text.find("choice") != std::string::npos, Player()),
            std::tuple(5U, true, std::string("Ann")));
}

// One profile, Eve with password "pwEve", and row 2 of the list to send.
class SubmissionTest : public ProfilesTest {
 protected:
  void SetUp() override {
    ProfilesTest::SetUp();
    StoreProfiles({"Eve"}, "1");
    Store({{"Options", "ShowUser", "No"},
           {"Internet", "send", "https://scores.example/send"},
           {"Highscore", "p2", "250"},
           {"Highscore", "k2", "37177384513"},
           {"Highscore", "d2", "2611"}});
  }
  void Offer() {
    host.answers = {true};
    game->Pick(List::TopTen, Row{1});
  }
  bool Told() const {
    return std::any_of(host.boxes.begin(), host.boxes.end(),
                       [](const Box& box) { return box.kind == Box::Message; });
  }
  // "10": the profile timer runs, the send timer not.
  std::string Timers() const {
    return std::to_string(game->Profiles().View().ProfileTimer.Enabled()) +
           std::to_string(game->Profiles().View().SendTimer.Enabled());
  }
};

TEST_F(SubmissionTest, YesSendsTheRowAtOnceOrOnceTheWindowItOpensIsConfirmed) {
  // No profile yet, or the option to show the window; how the window is closed, and the profile
  // and send timers after the profile timer's tick: the desktop leaves the submission waiting, a
  // change of language abandons it as Cancel does.
  const std::tuple<bool, const char*, std::optional<Command>, const char*> cases[] = {
      {false, "No", std::nullopt, "01"},
      {true, "No", Command::ConfirmProfiles, "01"},
      {true, "No", Command::CancelProfiles, "00"},
      {false, "Yes", Command::ConfirmProfiles, "01"},
      {false, "Yes", Command::ProfilesClosed, "10"},
      {false, "Yes", Command::ChangeLanguage, "00"}};
  GameState scored;
  scored.Score[kChance] = 42;
  Continue(scored);
  for (const auto& [noProfile, showUser, close, timers] : cases) {
    SCOPED_TRACE(::testing::Message() << noProfile << showUser << timers);
    game->Do(Command::CancelProfiles);
    Store({{"Users", "antal", noProfile ? "0" : "1"}, {"Options", "ShowUser", showUser}});
    const std::string before = Said();
    if (noProfile) host.inputs = {"Eve", "pwEve"};  // the first-profile prompts
    Offer();
    EXPECT_EQ(Window().Visible, close.has_value());
    if (close) {
      game->Do(Command::ProfileTick);  // waits for the window
      EXPECT_EQ(Timers() + Said(), "10" + before);
      host.answers = {true};  // the language change asks first
      game->Do(*close);
    }
    const bool sent = timers == std::string("01");
    if (timers != std::string("00")) game->Do(Command::ProfileTick);
    // Sending is said at the profile timer's tick; the address opens at the send timer's.
    EXPECT_EQ(std::tuple(Window().Visible, Timers(), Said(), host.opened.size()),
              std::tuple(false, timers, sent ? TestText(15) : before, 0u));
    if (!sent) continue;
    game->Do(Command::SendTick);
    EXPECT_EQ(std::tuple(host.opened, Timers(), Said(), Told()),
              std::tuple(std::vector<std::string>{"https://scores.example/send?user=Eve&pass=pwEve"
                                                  "&ver=504&date=2611&points=250&key=37177384513"},
                         "00", TestText(1) + ": 42", false));
    host.opened.clear();
  }
}

// Neither the home link nor a row sent hands the desktop an address that is no web address, and a
// row is then not said to be sent; the home link beeps whichever it is.
TEST_F(SubmissionTest, OnlyAWebAddressIsOpened) {
  // Which addresses are web addresses is the rules' test.
  const std::pair<const char*, const char*> cases[] = {
      {"home", "https://pyxaro.example/"}, {"home", "c:\\x.exe"}, {"send", "mailto:x@example.org"}};
  const std::vector<Played> beeps{{folder.File("beep.wav"), true},
                                  {folder.File("beep.wav"), false}};
  for (const auto& [key, address] : cases) {
    SCOPED_TRACE(address);
    const bool home = key == std::string("home"), opened = *address == 'h';
    Store({{"Internet", key, address}});
    host = FakeHost{};
    const std::string before = Said();
    if (home) {
      game->Do(Command::OpenHome);
    } else {
      Offer();
      game->Do(Command::ProfileTick);
    }
    EXPECT_EQ(host.played, home ? beeps : std::vector<Played>{});
    EXPECT_EQ(host.opened, std::vector<std::string>(opened ? 1 : 0, address));
    EXPECT_EQ(std::tuple(Told(), Said(), Timers()), std::tuple(!opened, before, "00"));
  }
}

}  // namespace
}  // namespace pyxaro::testing
