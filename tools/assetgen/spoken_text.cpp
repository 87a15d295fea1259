#include "spoken_text.h"

#include <cstdio>

#include "menu_art.h"

Image spokenLettering(AssetTree& tree, const Lettering& l, const TextStyle& style) {
    std::string note = l.note;
    if (l.maxWidth > 0) note += ", at most " + std::to_string(l.maxWidth) + " px";
    const std::string text = tree.say(l.context, l.english, note);
    Image picture = styledText(text, l.fontFile, l.pixelSize, style);
    if (l.maxWidth > 0 && picture.width > l.maxWidth) {
        std::fprintf(stderr, "assetgen: %s: \"%s\" is %d px wide, its place holds %d\n", l.context.c_str(),
                     text.c_str(), picture.width, l.maxWidth);
        tree.reportFailure();
    }
    return picture;
}
