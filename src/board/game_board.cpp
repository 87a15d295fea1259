#include "board/game_board.h"

std::unique_ptr<Board> createGameBoard(BoardHost* host) {
    return std::make_unique<Board>(host, createGameBoardAudio(), BoardTuning::fromCommonIni(), BoardArt::load());
}
