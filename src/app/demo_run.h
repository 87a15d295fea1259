#pragma once
// A run of the demo and its pictures: what --autoplay and --shots add to a
// run of the program. The demo plays under its own player name, which
// stands in for the current player in memory only (profiles.ini is never
// written for it); whatever the demo's player leaves in the players' folder
// is removed when the run ends, and the folder too if the demo made it.
// With --autoplay-player the demo plays as the player named instead, still
// in memory only, and keeps that player's files, so that the next run goes
// on from where this one saved (the soak does this).
// --shots writes the frame as a PNG every kShotEveryMs of game time, and
// --frame-hashes a fingerprint of it every FrameHashes::kHashEveryMs.

#include <cstdint>
#include <memory>
#include <string>

#include "app/demo_player.h"
#include "app/frame_hashes.h"
#include "app/frame_loop.h"

struct CommandLine;
struct GameSettings;
class ScreenManager;

class DemoRun : public FrameWatcher {
public:
    static constexpr std::uint32_t kShotEveryMs = 2000;

    DemoRun(const CommandLine& options, std::uint32_t seed);

    // Whether the run has anything to do beside the game.
    bool wanted() const { return demo_ != nullptr || !shotsDirectory_.empty() || frameHashes_.wanted(); }
    // Before the screens are made: the demo's player becomes the current
    // one, with no file of its own left from an earlier run.
    void takeOverPlayer(GameSettings& settings);
    void attach(ScreenManager* manager) { manager_ = manager; }
    void afterFrame(std::uint32_t nowMs) override;
    // After the screens are gone (the game screen saves as it goes): the
    // demo's player's files go. Says where the pictures are.
    void finish();

private:
    void takeShot(std::uint32_t gameMs);

    std::unique_ptr<DemoPlayer> demo_;
    std::string player_;
    bool keepFiles_ = false;
    ScreenManager* manager_ = nullptr;
    std::string shotsDirectory_;
    FrameHashes frameHashes_;
    bool started_ = false;
    std::uint32_t startMs_ = 0, lastMs_ = 0, nextShotMs_ = 0;
    int shots_ = 0;
    bool madeProfilesFolder_ = false;
};
