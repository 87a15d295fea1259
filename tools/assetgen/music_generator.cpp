#include "music_generator.h"

#include <cctype>

#include "music_mix.h"
#include "music_score.h"

namespace {

MusicTrack renderTheme(const ThemeDescription& theme) {
    const Arrangement a = arrange(theme);
    MusicTrack t;
    t.kind = theme.kind;
    t.gamePath = theme.gamePath;
    t.title = theme.title;
    t.bpm = theme.bpm;
    t.bars = a.bars;
    t.samples = renderArrangement(a);
    return t;
}

}  // namespace

MusicTrack renderMenuTheme() { return renderTheme(menuTheme()); }

MusicTrack renderGameTheme() { return renderTheme(gameTheme()); }

int parsePitch(const std::string& name) {
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2) return -1;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter > 'G') return -1;
    int pitch = steps[letter - 'A'];
    std::size_t at = 1;
    if (name[at] == '#') {
        ++pitch;
        ++at;
    } else if (name[at] == 'b') {
        --pitch;
        ++at;
    }
    if (at >= name.size()) return -1;
    int octave = 0;
    for (; at < name.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(name[at]))) return -1;
        octave = octave * 10 + (name[at] - '0');
    }
    return pitch + 12 * (octave + 1);
}
