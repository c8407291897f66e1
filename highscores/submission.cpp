#include <string>

#include "core/version.h"
#include "highscores/profiles.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"
#include "settings/numbered_key.h"

namespace pyxaro {

void Profiles::OfferToSend(int row) {
  if (!host_.Ask(texts_.Text(text::kAskSend), texts_.Text(text::kQuestionTitle), true)) return;
  offeredRow_ = row;
  waitingForProfile_ = false;
  if (ProfileCount(store_.Setting("Users", "antal")) == 0) {
    waitingForProfile_ = true;
    Open();
  }
  if (store_.Setting("Options", "ShowUser") == "Yes") {
    waitingForProfile_ = true;
    Open();
  }
  view_.ProfileTimer.SetEnabled(true);
}

void Profiles::ProfileTimerTick() {
  if (waitingForProfile_) return;
  view_.ProfileTimer.SetEnabled(false);

  // Read now, so that a profile chosen a moment ago is the one sent.
  const std::string selected = store_.Setting("Users", "selected");
  const int row = offeredRow_;
  std::string month = store_.Setting("Highscore", NumberedKey("d", row));
  if (month.empty()) {
    const LocalTime now = host_.Now();
    month = std::to_string(GameMonth(now.Year, now.Month));
  }
  address_ = SubmissionAddress(
      store_.Setting("Internet", "send"),
      {store_.Setting("Users", "user" + selected), store_.Setting("Users", "pass" + selected),
       VersionNumber(kAppVersion), month, store_.Setting("Highscore", NumberedKey("p", row)),
       store_.Setting("Highscore", NumberedKey("k", row))});

  // Nothing will be sent, so the display must not say that it is sending.
  if (!IsWebAddress(address_)) {
    host_.Tell(texts_.Text(text::kNoOnlineAddress), "", false);
    return;
  }
  speaker_.Say(texts_.Text(text::kSending));
  view_.SendTimer.SetEnabled(true);
}

void Profiles::SendTimerTick() {
  view_.SendTimer.SetEnabled(false);
  OpenLink(address_);
}

void Profiles::OpenLink(const std::string& address) {
  // An empty or hand-edited address must not be handed to the desktop, which
  // would open whatever handler its scheme names.
  if (!IsWebAddress(address)) {
    host_.Tell(texts_.Text(text::kNoOnlineAddress), "", false);
    return;
  }
  host_.OpenAddress(address);
}

void Profiles::OpenHome() {
  speaker_.Play(Effect::BeepToEnd);
  speaker_.Play(Effect::Beep);
  OpenLink(store_.Setting("Internet", "home"));
}

}  // namespace pyxaro
