#pragma once
// What the level-complete screen asks of the quest map ("questmap") when
// the player has just finished the last level of an episode: the map is
// shown from a finished level (it does not ask about a saved quest) and
// opens the new episode with its animation. The quest map implements it;
// the level-complete screen finds it by the screen name.

class EpisodeOpener {
public:
    virtual ~EpisodeOpener() = default;
    // Called just after the map has been made the current screen.
    virtual void openFinishedEpisode(int episode) = 0;
};
