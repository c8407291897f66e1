#include "game/game.h"

#include <utility>

#include "settings/language_keys.h"

namespace pyxaro {

Game::Game(Host& host, RandomSource& chance, std::string appFolder)
    : host_(host),
      store_(host, std::move(appFolder)),
      texts_(host, store_),
      sounds_(host, store_, texts_),
      display_(host, texts_),
      speaker_(display_, sounds_),
      turn_(host, chance, speaker_, texts_, store_),
      topTen_(host, store_, texts_, speaker_),
      statistics_(host, store_, texts_),
      profiles_(host, store_, texts_, speaker_),
      window_(host, store_, texts_),
      splash_(texts_, sounds_) {
  // Every finished game is placed in the top-ten list and counted in the
  // statistics, in the game end's one write.
  KeepGames(topTen_);
  KeepGames(statistics_);
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

void Game::Do(Command command, int argument) {
  switch (command) {
    case Command::PickLanguage:
    case Command::TickSkipPicker:
    case Command::ConfirmLanguage:
    case Command::PrepareGameWindow:
    case Command::SplashTimeUp:
      DoInPicker(command, argument);
      return;
    case Command::PickProfile:
    case Command::AddProfile:
    case Command::RemoveProfile:
    case Command::TickDontShowProfiles:
    case Command::ConfirmProfiles:
    case Command::CancelProfiles:
    case Command::ProfilesClosed:
      DoInProfiles(command, argument);
      return;
    case Command::PlayClockTick:
    case Command::GameEndTick:
    case Command::PageTick:
    case Command::ClockTick:
    case Command::ProfileTick:
    case Command::SendTick:
      DoOnTick(command);
      return;
    default:
      DoInWindow(command, argument);
  }
}

void Game::DoInPicker(Command command, int argument) {
  switch (command) {
    case Command::PickLanguage:
      texts_.PickRow(argument);
      break;
    case Command::TickSkipPicker:
      texts_.TickSkipAtStart(argument != 0);
      break;
    case Command::ConfirmLanguage:
      ConfirmLanguage();
      break;
    case Command::PrepareGameWindow:
      splash_.PrepareGameWindow();
      break;
    default:
      SplashTimeUp();
  }
}

void Game::DoInWindow(Command command, int argument) {
  switch (command) {
    case Command::Throw:
      turn_.Throw();
      break;
    case Command::PickUp:
      turn_.PickUp(argument);
      break;
    case Command::Undo:
      turn_.Undo();
      break;
    case Command::Enter:
      turn_.Enter(argument);
      break;
    case Command::ShowAdvice:
      turn_.ShowAdvice();
      break;
    case Command::ToggleAdvice:
      turn_.ToggleAdviceShown();
      break;
    case Command::NewGame:
      AskNewGame();
      break;
    case Command::Quit:
      if (host_.Ask(texts_.LangText(lang::kAskQuit), texts_.LangText(lang::kQuestionTitle), false))
        Close();
      break;
    case Command::Close:
      Close();
      break;
    case Command::ChangeLanguage:
      ChangeLanguage();
      break;
    case Command::ToggleSound:
      sounds_.Toggle();
      break;
    case Command::MoveWindow:
      window_.MoveOn();
      break;
    case Command::Minimise:
      window_.Minimise();
      break;
    case Command::PlaceWindow:
      window_.Place();
      break;
    case Command::OfferTopTenRow:
      profiles_.OfferToSend(argument);
      break;
    case Command::ClearTopTen:
      topTen_.Clear();
      break;
    case Command::OpenHome:
      profiles_.OpenHome();
      break;
    case Command::OpenProfiles:
      profiles_.Open();
      break;
    case Command::OpenStatistics:
      statistics_.Open();
      break;
    case Command::ResetStatistics:
      statistics_.Reset();
      break;
    case Command::StatisticsClosed:
      statistics_.Closed();
      break;
    default:
      break;
  }
}

void Game::DoInProfiles(Command command, int argument) {
  switch (command) {
    case Command::PickProfile:
      profiles_.PickRow(argument);
      break;
    case Command::AddProfile:
      profiles_.Add();
      break;
    case Command::RemoveProfile:
      profiles_.Remove();
      break;
    case Command::TickDontShowProfiles:
      profiles_.TickDontShow(argument != 0);
      break;
    case Command::ConfirmProfiles:
      profiles_.Confirm();
      break;
    case Command::CancelProfiles:
      profiles_.Cancel();
      break;
    default:
      profiles_.Closed();
  }
}

void Game::DoOnTick(Command command) {
  switch (command) {
    case Command::PlayClockTick:
      turn_.PlayClockTick();
      break;
    case Command::GameEndTick:
      EndGame();
      break;
    case Command::PageTick:
      display_.NextPage();
      break;
    case Command::ClockTick:
      display_.ClockTick();
      break;
    case Command::ProfileTick:
      profiles_.ProfileTimerTick();
      break;
    default:
      // The row has gone to the browser: the display returns to the score.
      profiles_.SendTimerTick();
      turn_.SayScore();
  }
}

}  // namespace pyxaro
