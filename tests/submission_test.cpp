#include <string>
#include <vector>

#include "highscores/submission_rules.h"
#include "scoring/categories.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

constexpr const char* kNoAddress = "No online address is configured.";

TEST(SubmissionRulesTest, ValuesAreEncodedSoNoneCanAddAField) {
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
}

TEST(SubmissionRulesTest, OnlyWebAddressesAreOpened) {
  for (const auto& [address, web] : {std::pair{"https://scores.example/send?user=", true},
                                     {"http://x", true},
                                     {"HTTPS://x.example", true},
                                     {"", false},
                                     {"?user=Eve", false},
                                     {"https:", false},
                                     {"https://", false},
                                     {"https:///etc/passwd", false},
                                     {"http:x", false},
                                     {"file:///etc/passwd", false},
                                     {"javascript:alert(1)", false},
                                     {"ftp://x", false},
                                     {" https://x", false},
                                     {"https://x y", false},
                                     {"https://scores\u202E.example/send", false},
                                     {"https://x\u2067y/send", false},
                                     {"https://x\u200F.example", false},
                                     {"https://x\u061C.example", false},
                                     {"https://x/\u0085", false},
                                     {"https://bücher.example/", true},
                                     {"httpsx://x", false}}) {
    EXPECT_EQ(IsWebAddress(address), web) << address;
  }
}

TEST(SubmissionRulesTest, ProfileCountIsTheLeadingNumber) {
  for (const auto& [text, count] : {std::pair{"", 0},
                                    {"3", 3},
                                    {"3 profiles", 3},
                                    {"none", 0},
                                    {"-2", 0},
                                    {"99999999999", 999}}) {
    EXPECT_EQ(ProfileCount(text), count) << text;
  }
}

class SubmissionTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    ASSERT_TRUE(game->StoreGroup({{"Users", "antal", "1"},
                                  {"Users", "selected", "1"},
                                  {"Users", "user1", "Eve"},
                                  {"Users", "pass1", "s3cret"},
                                  {"Options", "ShowUser", "No"},
                                  {"Internet", "send", "https://scores.example/send"},
                                  {"Highscore", "p2", "250"},
                                  {"Highscore", "k2", "37177384513"},
                                  {"Highscore", "d2", "2611"}}));
    host.boxes.clear();
  }
  // Clicks row r and answers the question.
  void Offer(int r, bool yes) {
    host.answers = {yes};
    game->TopTenRowClicked(r);
  }
  std::vector<Box> Messages() const {
    std::vector<Box> told;
    for (const Box& box : host.boxes) {
      if (box.kind == Box::Message) told.push_back(box);
    }
    return told;
  }

  const std::string sent_ =
      "https://scores.example/send?user=Eve&pass=s3cret&ver=504&date=2611&points=250"
      "&key=37177384513";
};

TEST_F(SubmissionTest, YesSaysSendingAtTheFirstTickAndOpensTheAddressOneTickLater) {
  Offer(2, true);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text + "|" + host.boxes[0].title, TestText(14) + "|" + TestText(5));
  EXPECT_TRUE(host.boxes[0].yesIsDefault);
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
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SubmissionTest, ChangingTheLanguageClosesTheProfilesWindowAsCancelWould) {
  game->Store("Options", "ShowUser", "Yes");
  Offer(2, true);
  ASSERT_TRUE(game->profiles.Visible && game->run.WaitingForProfile);
  host.answers = {true};
  game->ChangeLanguage();
  EXPECT_FALSE(game->profiles.Visible || game->run.WaitingForProfile);
  EXPECT_FALSE(game->main.ProfileTimer.Enabled());
}

TEST_F(SubmissionTest, NoSendsNothing) {
  Offer(2, false);
  EXPECT_FALSE(game->main.ProfileTimer.Enabled());
  EXPECT_FALSE(game->profiles.Visible);
}

TEST_F(SubmissionTest, AWindowItOpensHoldsTheSubmissionUntilOkOrCancel) {
  enum Close { Ok, Cancel, ByTheDesktop };
  // No profile yet, or the option to show the window; how it is closed.
  const std::tuple<bool, const char*, Close> cases[] = {
      {true, "No", Ok}, {true, "No", Cancel}, {false, "Yes", Ok}, {false, "Yes", ByTheDesktop}};
  for (const auto& [noProfile, showUser, close] : cases) {
    SCOPED_TRACE(std::to_string(noProfile) + showUser + std::to_string(close));
    game->Store("Users", "antal", noProfile ? "0" : "1");
    game->Store("Options", "ShowUser", showUser);
    host.opened.clear();
    game->Say("");
    // The first-profile prompts, answered with a new Eve.
    if (noProfile) host.inputs = {"Eve", "s3cret"};
    Offer(2, true);
    EXPECT_TRUE(game->profiles.Visible);
    EXPECT_TRUE(game->run.WaitingForProfile);
    game->ProfileTimerTick();
    EXPECT_TRUE(game->main.ProfileTimer.Enabled());
    EXPECT_EQ(game->run.Said, "");

    if (close == Ok) game->ConfirmProfiles();
    if (close == Cancel) game->CancelProfiles();
    if (close == ByTheDesktop) game->ProfilesWindowClosed();
    EXPECT_FALSE(game->profiles.Visible);
    EXPECT_EQ(game->main.ProfileTimer.Enabled(), close != Cancel);
    if (close == Ok) {
      game->ProfileTimerTick();
      game->SendTimerTick();
      EXPECT_EQ(host.opened, std::vector<std::string>{sent_});
    } else if (close == ByTheDesktop) {
      game->ProfileTimerTick();
      EXPECT_TRUE(game->run.WaitingForProfile);
      EXPECT_FALSE(game->main.SendTimer.Enabled());
      game->CancelProfiles();
    }
  }
}

TEST_F(SubmissionTest, TheAddressIsBuiltFromTheValuesStoredAtTheTick) {
  // A cleared row sends its stored values; the month falls back to the
  // current one. Names and passwords arrive exactly as typed.
  game->StoreGroup({{"Highscore", "p3", "0"}, {"Highscore", "k3", ""}, {"Highscore", "d3", ""}});
  Offer(3, true);
  game->StoreGroup({{"Users", "user1", "Åsa & Bo=1"}, {"Users", "pass1", "a b+c"}});
  game->ProfileTimerTick();
  EXPECT_EQ(game->run.LinkAddress,
            "https://scores.example/send?user=%C3%85sa%20%26%20Bo%3D1&pass=a%20b%2Bc&ver=504"
            "&date=2612&points=0&key=");
}

TEST_F(SubmissionTest, AnAddressThatIsNoWebAddressIsNeverOpened) {
  for (const char* send : {"", "file:///etc/passwd", "mailto:x@example.org"}) {
    game->Store("Internet", "send", send);
    host.boxes.clear();
    game->Say("before");
    Offer(2, true);
    game->ProfileTimerTick();
    ASSERT_EQ(Messages().size(), 1u) << send;
    EXPECT_EQ(Messages()[0].text, kNoAddress);
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
    EXPECT_EQ(Messages().size(), opened ? 0u : 1u) << home;
  }
}

}  // namespace
}  // namespace pyxaro::testing
