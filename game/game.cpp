#include "game/game.h"

#include <utility>

#include "scoring/advisor_correction.h"
#include "scoring/block_values.h"

namespace pyxaro {

Game::Game(Host& host, RandomSource& chance, DiceSource& dice, std::string appFolder)
    : host_(host),
      store_(host, std::move(appFolder), pyxaro::Profiles::Passwords(),
             {Turn::kSavedGameSection, Coach::kSection, DayResults::kSection}),
      advisor_(blocks::Embedded(), kFittedCorrection),
      reviewer_(advisor_),
      texts_(host, store_),
      sounds_(host, store_, texts_, [this] { return window_.PictureName(); }),
      display_(host, texts_),
      speaker_(display_, sounds_),
      turn_(host, chance, dice, speaker_, texts_, store_, advisor_, reviewer_),
      topTen_(host, store_, texts_, speaker_),
      statistics_(host, store_, texts_),
      profiles_(host, store_, texts_, speaker_, topTen_),
      coach_(store_, texts_, reviewer_),
      dayResults_(store_, texts_, speaker_, profiles_),
      manual_(host, texts_, turn_),
      window_(host, store_, texts_),
      splash_(texts_, sounds_) {
  // Every finished game is placed in the top-ten list and counted in the
  // statistics, in the game end's one write.
  KeepGames(topTen_);
  KeepGames(statistics_);
  // The finished game is kept no longer for continuing, and is reviewed
  // once its end has been told.
  KeepGames(turn_);
  KeepGames(coach_);
  // A game of the day is offered to the day's list after its review.
  KeepGames(dayResults_);
}

void Game::SettleDataFolder(const std::string& personalFolder) {
  store_.SettleDataFolder(personalFolder);
}

void Game::Start() {
  store_.Open();
  if (!texts_.OpenPicker()) splash_.Show();
}

void Game::Continue(const GameState& state) { turn_.Continue(state); }

void Game::KeepGames(GameKeeper& keeper) { keepers_.push_back(&keeper); }

void Game::PickUp(Die die) { turn_.PickUp(die.number); }

void Game::Enter(CategoryNumber category) { turn_.Enter(category.number); }

void Game::Mark(CategoryNumber category) { turn_.SayRow(category.number); }

void Game::Pick(List list, Row row) {
  switch (list) {
    case List::Languages:
      return texts_.PickRow(row.index);
    case List::TopTen:
      // The list's rows are numbered from 1 where they are kept.
      return profiles_.OfferToSend(row.index + 1);
    case List::Profiles:
      return profiles_.PickRow(row.index);
    case List::Review:
      return coach_.OpenRow(row.index);
  }
}

void Game::Tick(TickBox box, bool ticked) {
  switch (box) {
    case TickBox::SkipPicker:
      return texts_.TickSkipAtStart(ticked);
    case TickBox::DontShowProfiles:
      return profiles_.TickDontShow(ticked);
  }
}

// One case a command, and no default: a command added without its routine
// does not compile silently into nothing.
void Game::Do(Command command) {
  switch (command) {
    case Command::ConfirmLanguage:
      return ConfirmLanguage();
    case Command::PrepareGameWindow:
      return splash_.PrepareGameWindow();
    case Command::SplashTimeUp:
      return SplashTimeUp();
    case Command::Throw:
      return turn_.Throw();
    case Command::Undo:
      return turn_.Undo();
    case Command::ShowAdvice:
      return turn_.ShowAdvice();
    case Command::ToggleAdvice:
      return turn_.ToggleAdviceShown();
    case Command::NewGame:
      return AskNewGame();
    case Command::DayGame:
      return AskDayGame();
    case Command::Quit:
      return AskQuit();
    case Command::Close:
      return Close();
    case Command::ChangeLanguage:
      return ChangeLanguage();
    case Command::ToggleSound:
      return sounds_.Toggle();
    case Command::MoveWindow:
      return window_.MoveOn();
    case Command::Minimise:
      return window_.Minimise();
    case Command::PlaceWindow:
      return window_.Place();
    case Command::ClearTopTen:
      return topTen_.Clear();
    case Command::OpenHome:
      return profiles_.OpenHome();
    case Command::OpenProfiles:
      return profiles_.Open();
    case Command::OpenStatistics:
      return statistics_.Open();
    case Command::AddProfile:
      return profiles_.Add();
    case Command::RemoveProfile:
      return profiles_.Remove();
    case Command::ConfirmProfiles:
      return profiles_.Confirm();
    case Command::CancelProfiles:
      return profiles_.Cancel();
    case Command::ProfilesClosed:
      return profiles_.Closed();
    case Command::ResetStatistics:
      return statistics_.Reset();
    case Command::StatisticsClosed:
      return statistics_.Closed();
    case Command::OpenRules:
      return manual_.Open();
    case Command::OpenAbout:
      return manual_.About();
    case Command::RulesClosed:
      return manual_.Closed();
    case Command::OpenReview:
      return coach_.OpenLast();
    case Command::ReviewClosed:
      return coach_.Closed();
    case Command::PlayClockTick:
      return turn_.PlayClockTick();
    case Command::GameEndTick:
      return EndGame();
    case Command::PageTick:
      return display_.NextPage();
    case Command::ClockTick:
      return display_.ClockTick();
    case Command::ProfileTick:
      return profiles_.ProfileTimerTick();
    case Command::SendTick:
      return SendRow();
  }
}

}  // namespace pyxaro
