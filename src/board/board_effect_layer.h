#pragma once
// BoardEffectLayer: the board's and the scoring's effects, made on the one
// effect layer of the game. It turns each request (sparks of a match, a lock
// breaking, a coating flying off, a gem thrown, points rising) into the
// layer's particles and effects with their pictures, and plays the layer's
// own four sounds: "flycell", "collectgem", "line4" and "line5".
//
// Without `load` every effect still runs, only without pictures; the tests
// rely on that.

#include <array>
#include <memory>

#include "board/board_audio.h"
#include "board/board_host.h"
#include "board/board_types.h"

class EffectLayer;
class Font;
class Sprite;

class BoardEffectLayer : public BoardEffects {
public:
    static constexpr int kSparkKinds = 8;
    static constexpr int kGemPictures = 4;

    // A null audio plays nothing.
    BoardEffectLayer(EffectLayer& layer, std::unique_ptr<BoardAudio> audio);
    ~BoardEffectLayer() override;
    BoardEffectLayer(const BoardEffectLayer&) = delete;
    BoardEffectLayer& operator=(const BoardEffectLayer&) = delete;

    // Loads the pictures every effect uses and takes the dark font of the
    // game's fonts.
    void load();
    // Where landed gems pay; null keeps them unpaid.
    void setGemPayee(GemPayee* payee) { payee_ = payee; }
    // Puzzle mode shows no points.
    void setMode(BoardMode mode) { mode_ = mode; }
    BoardMode mode() const { return mode_; }

    void matchSparks(float x, float y, int kind) override;
    void lockChunks(float x, float y, int lockLeft) override;
    void burst10(float x, float y) override;
    void burst20(float x, float y) override;
    void glow(float x, float y, int colour) override;
    void flyCoating(float x, float y, int image, float dxFromOrigin) override;
    void floatText(float x, float y, int points) override;
    void flyGem(float x, float y, bool big) override;
    void timeFlash() override;
    void bannerSpark(float x, float y) override;
    void playFlyCell() override;

    EffectLayer& layer() { return layer_; }

private:
    struct Pictures;

    void gemLanded(bool big, float x, float y);
    BoardAudio& audio() { return *audio_; }

    EffectLayer& layer_;
    std::unique_ptr<BoardAudio> audio_;
    std::unique_ptr<Pictures> pictures_;
    // What the landing gems hold on to: emptied when this layer goes, so a
    // gem still in the air then lands on nobody.
    std::shared_ptr<BoardEffectLayer*> self_;
    GemPayee* payee_ = nullptr;
    BoardMode mode_ = BoardMode::ModeQuest;
};
