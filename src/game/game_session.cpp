#include "game/game_session.h"

#include "ui/screen_manager.h"

GameSession* findGameSession(ScreenManager& manager) {
    return dynamic_cast<GameSession*>(manager.showScreen("game", 0));
}
