#include <string>

#include "core/version.h"
#include "highscores/profiles.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"

namespace pyxaro {

void Profiles::OfferToSend(int row) {
  if (!Ask(text::kAskSend)) return;
  offeredRow_ = row;
  offeredDay_.reset();
  SettleProfile();
}

void Profiles::OfferDayGame(const DayGameOffer& game) {
  if (!Ask(text::kAskSendDay)) return;
  offeredDay_ = game;
  SettleProfile();
}

bool Profiles::Ask(const TextKey& question) {
  return host_.Ask(texts_.Text(question), texts_.Text(text::kQuestionTitle), true);
}

void Profiles::SettleProfile() {
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

  address_ = OfferedAddress();

  // Nothing will be sent, so the display must not say that it is sending.
  if (!IsWebAddress(address_)) {
    host_.Tell(texts_.Text(text::kNoOnlineAddress), "", false);
    return;
  }
  speaker_.Say(texts_.Text(text::kSending));
  view_.SendTimer.SetEnabled(true);
}

std::string Profiles::OfferedAddress() {
  // Read now, so that a profile chosen a moment ago is the one sent.
  const std::string selected = Selected();
  const std::string base = store_.Setting(kOnlineSection, kSendAddress);
  if (offeredDay_) {
    return DaySubmissionAddress(
        base, {Stored(kName + selected), Stored(kPassword + selected), VersionNumber(kAppVersion),
               offeredDay_->Day, offeredDay_->Points, offeredDay_->Moves});
  }
  const HighscoreEntry offered = topTen_.Row(offeredRow_);
  std::string month = offered.Date;
  if (month.empty()) {
    const LocalTime now = host_.Now();
    month = std::to_string(GameMonth(now.Year, now.Month));
  }
  return SubmissionAddress(base, {Stored(kName + selected), Stored(kPassword + selected),
                                  VersionNumber(kAppVersion), month, offered.Points, offered.Key});
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
