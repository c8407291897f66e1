#pragma once

#include <optional>
#include <string>

#include "core/forms.h"
#include "core/host.h"
#include "core/speaker.h"
#include "highscores/highscore_entry.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// A finished game of the day as the online list of the day takes it.
struct DayGameOffer {
  std::string Day;  // "2026-12-08"
  int Points = 0;
  std::string Moves;
};

// The player profiles a score is sent under, their window, and the sending
// of a top-ten row to the online list through the browser.
class Profiles {
 public:
  // A row is sent as `topTen` holds it.
  Profiles(Host& host, SettingsStore& store, const Languages& texts, Speaker& speaker,
           const TopTenRows& topTen);

  // The keys of the profiles' passwords, which no other user may read.
  static SecretKeys Passwords();

  // A fresh game window: the player's name and the online badge as designed.
  void OpenWindow();
  // Names the player's controls in the player's language and shows the player.
  void PresentTexts();

  // Opens the window, asking for a first profile when there is none; an open
  // window stays as it is.
  void Open();
  // Asks for a name and a password and adds them as the selected profile.
  void Add();
  // Selects the profile in row `row` (from 0) of the list.
  void PickRow(int row);
  // Removes the profile whose row is selected.
  void Remove();
  // Ticks or clears "don't show this when sending".
  void TickDontShow(bool ticked);
  // Keeps the choice of showing the window, shows the player, closes.
  void Confirm();
  // Closes the window and abandons a submission that waits for it.
  void Cancel();
  // The desktop closed the window: a waiting submission keeps waiting.
  void Closed();

  // Offers top-ten row `row` (1..10) to the online list.
  void OfferToSend(int row);
  // Offers a finished game of the day to the online list of the day.
  void OfferDayGame(const DayGameOffer& game);
  // While the profile is settled, builds the address of what was offered.
  void ProfileTimerTick();
  // Hands the built address to the browser.
  void SendTimerTick();
  // Opens the online list's home page.
  void OpenHome();

  const ProfilesForm& Window() const { return window_; }
  const PlayerView& View() const { return view_; }

 private:
  // The profiles' settings: their list, numbered from 1; the online list's
  // addresses; and their own choice among the options.
  static constexpr char kSection[] = "Users";
  static constexpr char kCount[] = "antal";
  static constexpr char kSelected[] = "selected";
  static constexpr char kName[] = "user";
  static constexpr char kPassword[] = "pass";
  static constexpr char kOnlineSection[] = "Internet";
  static constexpr char kSendAddress[] = "send";
  static constexpr char kHomeAddress[] = "home";
  static constexpr char kShowWindow[] = "ShowUser";

  // A key of the profiles' list as the settings hold it, a name or password
  // by the profile's number as the settings spell it ("user" + "2").
  std::string Stored(const std::string& key) const;
  // How many profiles the list holds, and which is selected.
  int Count() const;
  std::string Selected() const;
  // Lists the stored profiles and shows the selected one.
  void ShowList();
  // Shows the selected profile's name on the player label.
  void ShowPlayer();
  // Whether the player wants what is offered sent.
  bool Ask(const TextKey& question);
  // Opens the window when the profile to send under is to be chosen first,
  // then builds the address once it is settled.
  void SettleProfile();
  // The address of what was offered, sent under the selected profile.
  std::string OfferedAddress();
  // Hands the address to the browser, when it is a web address.
  void OpenLink(const std::string& address);

  Host& host_;
  SettingsStore& store_;
  const Languages& texts_;
  Speaker& speaker_;
  const TopTenRows& topTen_;
  int picked_ = -1;  // the row of the list selected, -1 = none
  bool dontShow_ = false;
  // A submission waits while the profiles window it opened is still open.
  bool waitingForProfile_ = false;
  int offeredRow_ = 0;  // the top-ten row being sent
  // The game of the day being sent instead of a row.
  std::optional<DayGameOffer> offeredDay_;
  std::string address_;  // the address the send opens
  ProfilesForm window_;
  PlayerView view_;
};

}  // namespace pyxaro
