#include <string>

#include "core/version.h"
#include "highscores/profiles.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"

namespace pyxaro {

void Profiles::OfferToSend(int row) {
  if (!host_.Ask(texts_.Text(text::kAskSend), texts_.Text(text::kQuestionTitle), true)) return;
  offeredRow_ = row;
  waitingForProfile_ = false;
  if (Count() == 0) {
    waitingForProfile_ = true;
    Open();
  }
  if (store_.Setting(kOptionsSection, kShowWindow) == "Yes") {
    waitingForProfile_ = true;
    Open();
  }
  view_.ProfileTimer.SetEnabled(true);
}

void Profiles::ProfileTimerTick() {
  if (waitingForProfile_) return;
  view_.ProfileTimer.SetEnabled(false);

  // Read now, so that a profile chosen a moment ago is the one sent.
  const std::string selected = Selected();
  const HighscoreEntry offered = topTen_.Row(offeredRow_);
  std::string month = offered.Date;
  if (month.empty()) {
    const LocalTime now = host_.Now();
    month = std::to_string(GameMonth(now.Year, now.Month));
  }
  address_ = SubmissionAddress(store_.Setting(kOnlineSection, kSendAddress),
                               {Stored(kName + selected), Stored(kPassword + selected),
                                VersionNumber(kAppVersion), month, offered.Points, offered.Key});

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
  OpenLink(store_.Setting(kOnlineSection, kHomeAddress));
}

}  // namespace pyxaro
