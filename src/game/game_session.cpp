#include "game/game_session.h"

#include "config/game_settings.h"
#include "game/progress_file.h"
#include "ui/screen_manager.h"

GameSession* findGameSession(ScreenManager& manager) {
    return dynamic_cast<GameSession*>(manager.showScreen("game", 0));
}

void GameSession::forgetSavedBoard() { deleteSavedBoard(gameSettings().currentPlayerName, mode()); }

void GameSession::saveProfileAndForgetBoard() {
    saveProfile();
    forgetSavedBoard();
}
