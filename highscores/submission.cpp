#include <string>

#include "core/game.h"
#include "highscores/check_value.h"
#include "highscores/highscore_rules.h"
#include "highscores/submission_rules.h"
#include "settings/language_keys.h"
#include "settings/numbered_key.h"

namespace pyxaro {

void Game::OfferToSend() {
  if (!host_.Ask(LangText(lang::kAskSend), LangText(lang::kQuestionTitle), true)) return;
  run.WaitingForProfile = false;
  if (ProfileCount(Setting("Users", "antal")) == 0) {
    run.WaitingForProfile = true;
    OpenProfiles();
  }
  if (Setting("Options", "ShowUser") == "Yes") {
    run.WaitingForProfile = true;
    OpenProfiles();
  }
  main.ProfileTimer.SetEnabled(true);
}

void Game::ProfileTimerTick() {
  if (run.WaitingForProfile) return;
  main.ProfileTimer.SetEnabled(false);

  // Read now, so that a profile chosen a moment ago is the one sent.
  const std::string selected = Setting("Users", "selected");
  const int row = run.SelectedRow;
  std::string month = Setting("Highscore", NumberedKey("d", row));
  if (month.empty()) {
    const LocalTime now = host_.Now();
    month = std::to_string(GameMonth(now.Year, now.Month));
  }
  run.LinkAddress = SubmissionAddress(
      Setting("Internet", "send"),
      {Setting("Users", "user" + selected), Setting("Users", "pass" + selected),
       VersionNumber(run.AppVersion), month, Setting("Highscore", NumberedKey("p", row)),
       Setting("Highscore", NumberedKey("k", row))});

  // Nothing will be sent, so the display must not say that it is sending.
  if (!IsWebAddress(run.LinkAddress)) {
    host_.Tell(Text(text::kNoOnlineAddress), "", false);
    return;
  }
  Say(LangText(lang::kSending));
  main.SendTimer.SetEnabled(true);
}

void Game::SendTimerTick() {
  main.SendTimer.SetEnabled(false);
  OpenLink();
  Say(ScoreText(state.Total()));
}

void Game::OpenLink() {
  // An empty or hand-edited address must not be handed to the desktop, which
  // would open whatever handler its scheme names.
  if (!IsWebAddress(run.LinkAddress)) {
    host_.Tell(Text(text::kNoOnlineAddress), "", false);
    return;
  }
  host_.OpenAddress(run.LinkAddress);
}

void Game::HomeLinkClicked() {
  PlayEffect(Effect::BeepToEnd);
  PlayEffect(Effect::Beep);
  run.LinkAddress = Setting("Internet", "home");
  OpenLink();
}

}  // namespace pyxaro
