#pragma once
// PlayerList: the players named in "profiles.ini", in list order.
//
//   [main]
//   current=1        the current player's index, "%d"
//   [users]
//   0=Ann            the names, keys "0", "1", ... without gaps; the list
//   1=Bob            ends at the first missing or empty key
//
// The list on screen has room for 19 players, but a file may name more
// (written by hand, or by an older copy of the game). Every name the file
// holds is kept, and saving writes them all back, so a name never drops
// out of the file just because the screen cannot show it. A player beyond
// the 19th can still be the current one; a new player is only refused.

#include <string>
#include <vector>

class PlayerList {
public:
    // Players the list on screen shows and the most that may be created.
    static constexpr int kShownPlayers = 19;
    // Longer names in the file are cut here on reading.
    static constexpr std::size_t kMaxNameLength = 63;
    // A file naming more is not a player list but hostile input; the rest
    // is not read (each key costs a scan of the file).
    static constexpr int kMaxNames = 1000;

    // Reads the names from the file; a missing file gives an empty list.
    void load();
    // Writes the whole file in one atomic save: [main] "current" and every
    // name. 0 when saved, -1 when not (the file is then as it was).
    int save(int current) const;

    int size() const { return static_cast<int>(names_.size()); }
    const std::string& name(int index) const { return names_[static_cast<std::size_t>(index)]; }
    // The index of the name, letters compared without regard to case
    // (Latin-1 letters too); -1 when absent.
    int find(const std::string& name) const;
    bool full() const { return size() >= kShownPlayers; }
    // Appends the name; returns its index, or -1 when the list is full or
    // the name is empty.
    int add(const std::string& name);
    // Removes the name at the index; nothing for an index outside the list.
    void remove(int index);

private:
    std::vector<std::string> names_;
};

// A typed name as it can be stored: blanks at either end and "=" at the
// start go (the file reader skips them, so the name would come back as
// another), and it is cut to the longest name the file keeps.
std::string storablePlayerName(const std::string& typed);

// Equal ignoring the letter case of ASCII and Latin-1 letters.
bool samePlayerName(const std::string& a, const std::string& b);
