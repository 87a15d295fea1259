#pragma once
// The sounds controls make: "toggle" when one takes the focus, "click" when
// a button goes down. They are groups of the sound table, played at full
// volume and centred.

struct SoundGroup;

constexpr const char* kSoundTable = "data\\sound\\sound.ini";
// The sound table's sections of the two.
constexpr const char* kFocusSound = "toggle";
constexpr const char* kClickSound = "click";

// The group of that section of the sound table; null when it has none.
SoundGroup* controlSound(const char* section);
void playControlSound(SoundGroup* sound);

// While a screen loads, every control asks for the same two groups. Looking
// both up once, as the screen's load opens, keeps the INI store, which holds
// one file at a time, from switching between the screen file and the sound
// table: a screen of a thousand controls would read both files two thousand
// times, and even looking each group up at its first control reads the
// screen file three times.
class ControlSoundScope {
public:
    ControlSoundScope();
    ~ControlSoundScope();
    ControlSoundScope(const ControlSoundScope&) = delete;
    ControlSoundScope& operator=(const ControlSoundScope&) = delete;
};
