// The quest map ("questmap"): the six episodes as arched windows on a
// velvet map, joined by a gold road that winds from the first to the
// sixth. Each window shows its episode's landscape with the relic the
// episode rebuilds: as a ghost while the episode is open, finished and lit
// under a laurel once it is done. An episode not yet reached is painted
// into the map itself, veiled in mist with its relic a dark silhouette and
// a padlock on it, and the level that opens it written below: the game
// hides its button there and reveals it when the episode opens.
//
// Every window is a button ("episode1" ...) whose lower 50 pixels are the
// plate its prompt ("Start" or "Restart") is written on; its marker
// ("episode1_f") is the finished window, laid over the upper part. The
// game finds the centre of a window 86 and 78 pixels into its button and
// copies the map under a button from the control "background".

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cairo_shapes.h"
#include "canvas.h"
#include "font_generator.h"
#include "generators.h"
#include "menu_art.h"
#include "picture_output.h"
#include "relic_drawing.h"
#include "scene_painting.h"
#include "screen_file.h"

namespace {

constexpr double kPi = 3.14159265358979;
const std::string kMenu = "data\\menu\\";

// A window and the prompt plate under it.
constexpr int kWindowWidth = 172, kWindowHeight = 156, kStripHeight = 50;
constexpr int kButtonHeight = kWindowHeight + kStripHeight;
constexpr int kPlateX = 14, kPlateY = kWindowHeight + 2, kPlateWidth = 144, kPlateHeight = 42;
// The glass inside the frame.
constexpr double kGlassX = 9, kGlassY = 9, kGlassW = 154, kGlassH = 140, kGlassR = 20;

struct Spot {
    int x, y;
};
// The road runs along the upper row to the right, down, and back along the
// lower row.
constexpr Spot kSpots[6] = {{40, 64}, {314, 64}, {588, 64}, {588, 306}, {314, 306}, {40, 306}};
constexpr int kFirstLevels[6] = {1, 6, 12, 18, 25, 33};

constexpr int kBackX = 40, kBackY = 544;  // the main menu's small button
constexpr int kContinueWidth = 260, kContinueHeight = 52;
constexpr int kContinueX = (800 - kContinueWidth) / 2, kContinueY = 538;

enum class WindowLook { Open, Finished, Locked };

// A said text with "%d" in it, the number in its place (the catalogues are
// checked to keep the "%d").
std::string withNumber(std::string text, int number) {
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
    return text;
}

// Lettering wider than its place is a failure that names it.
void checkRoom(AssetTree& tree, const std::string& context, const Image& lettering, int room) {
    if (lettering.width <= room) return;
    std::fprintf(stderr, "assetgen: %s: %d px of lettering, the place holds %d\n", context.c_str(), lettering.width,
                 room);
    tree.reportFailure();
}

// "the sun of the dunes" -> "The Sun of the Dunes".
std::string titleCase(const std::string& text) {
    std::string out, word;
    auto flush = [&] {
        const bool small = !out.empty() && (word == "of" || word == "the");
        if (!small && !word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
        out += word;
        word.clear();
    };
    for (char c : text) {
        if (c == ' ') {
            flush();
            out += c;
        } else {
            word += c;
        }
    }
    flush();
    return out;
}

void glassPath(cairo_t* cr) { roundedRectPath(cr, kGlassX, kGlassY, kGlassW, kGlassH, kGlassR); }

// Mist over a locked window, and its colour drained.
void veil(Image& picture, int episode) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            Rgba c = unpackArgb(picture.at(x, y));
            if (c.a <= 0) continue;
            const Rgb grey = greyOf({c.r, c.g, c.b});
            Rgb drained = lerp({c.r, c.g, c.b}, grey, 0.5f) * 0.7f;
            const float mist = valueNoise(x + 40.0f * episode, y, 26.0f, 91u) * 0.6f +
                               valueNoise(x, y + 17.0f * episode, 11.0f, 93u) * 0.4f;
            const float rise = clamp01((y - 30.0f) / 120.0f);
            drained = lerp(drained, hexColour(0x8C7AA8), clamp01((mist - 0.25f) * 0.6f * (0.3f + rise)));
            picture.at(x, y) = packArgb(withAlpha(drained, c.a));
        }
    }
}

// The part of the game screen a window shows: from the screen's left edge,
// around the relic's column and a little of the land beside it, scaled
// into the glass.
constexpr double kViewX = 0, kViewY = 150, kViewW = 440;
constexpr double kViewScale = kGlassW / kViewW;

// Clips to the glass and maps game-screen coordinates into it.
void lookThroughGlass(cairo_t* cr) {
    glassPath(cr);
    cairo_clip(cr);
    cairo_translate(cr, kGlassX, kGlassY);
    cairo_scale(cr, kViewScale, kViewScale);
    cairo_translate(cr, -kViewX, -kViewY);
}

// The episode's landscape in the glass; a finished relic stands in its own
// light, a locked episode is veiled.
Image landscapeInGlass(int episode, WindowLook look) {
    const ScreenRect box = relicBox(episode);
    Canvas canvas(kWindowWidth, kWindowHeight);
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    lookThroughGlass(cr);
    canvas.drawImage(episodeScene(episode), 15, 15);
    if (look == WindowLook::Finished) {
        cairo_pattern_t* light = cairo_pattern_create_radial(box.centreX(), box.centreY(), 10, box.centreX(),
                                                             box.centreY(), box.h * 0.6);
        cairo_pattern_add_color_stop_rgba(light, 0, 1.0, 0.85, 0.45, 0.55);
        cairo_pattern_add_color_stop_rgba(light, 1, 1.0, 0.7, 0.2, 0.0);
        cairo_set_source(cr, light);
        cairo_paint(cr);
        cairo_pattern_destroy(light);
    }
    cairo_restore(cr);
    Image picture = canvas.toImage();
    if (look == WindowLook::Locked) veil(picture, episode);
    return picture;
}

// A dark silhouette with a thin light round its edge: the shape is there,
// what it is is not.
void silhouette(Image& relicLayer) {
    const Image halo = blurred(relicLayer, 2.5f);
    const Rgb shadow = hexColour(0x0C0616);
    const Rgb edge = hexColour(0xE8C070);
    for (std::size_t i = 0; i < relicLayer.pixels.size(); ++i) {
        const Rgba c = unpackArgb(relicLayer.pixels[i]);
        const float rim = clamp01(unpackArgb(halo.pixels[i]).a - c.a * 0.8f) * 0.9f;
        const float cover = std::max(c.a * 0.92f, rim);
        const Rgb mixed = cover > 0 ? lerp(shadow, edge, clamp01(rim / cover)) : shadow;
        relicLayer.pixels[i] = packArgb(withAlpha(mixed, cover));
    }
}

// The relic in the glass, drawn where the game draws it over the same
// scene: its outline while the episode is open, whole once it is done, a
// silhouette while it is locked.
Image relicInGlass(int episode, WindowLook look) {
    const RelicPictures& relic = relicPictures(episode);
    const Image& relicPicture = look == WindowLook::Finished ? relic.stages.back() : relic.outline;
    const ScreenRect box = relicBox(episode);
    Canvas canvas(kWindowWidth, kWindowHeight);
    lookThroughGlass(canvas.cr());
    canvas.drawImage(relicPicture, box.x, box.y);
    Image layer = canvas.toImage();
    if (look == WindowLook::Locked) silhouette(layer);
    return layer;
}

// The episode's landscape and relic as they meet on the game screen.
Image windowScene(int episode, WindowLook look) {
    Image picture = landscapeInGlass(episode, look);
    drawOver(picture, relicInGlass(episode, look), 0, 0);
    return picture;
}

// The double gold frame round the glass; brighter under the mouse.
void drawFrame(Image& picture, double brightness, double innerGlow) {
    paintOn(picture, [&](cairo_t* cr) {
        if (innerGlow > 0) {
            glassPath(cr);
            cairo_set_source_rgba(cr, 1.0, 0.8, 0.4, 0.35 * innerGlow);
            cairo_set_line_width(cr, 10);
            cairo_stroke(cr);
        }
        roundedRectPath(cr, kGlassX - 1, kGlassY - 1, kGlassW + 2, kGlassH + 2, kGlassR + 1);
        goldStroke(cr, kGlassY, kGlassY + kGlassH, 4.0, brightness);
        roundedRectPath(cr, kGlassX - 6, kGlassY - 6, kGlassW + 12, kGlassH + 12, kGlassR + 6);
        goldStroke(cr, kGlassY - 6, kGlassY + kGlassH + 6, 1.6, brightness * 0.9);
        goldDiamond(cr, kWindowWidth / 2.0, kGlassY - 5, 5);
        goldDiamond(cr, kWindowWidth / 2.0, kGlassY + kGlassH + 5, 5);
    });
}

// The episode's number along the top of the glass and its relic's name
// along the bottom, on dark bands so they read over any sky.
void drawTitles(AssetTree& tree, Image& picture, int episode, bool locked) {
    paintOn(picture, [&](cairo_t* cr) {
        glassPath(cr);
        cairo_clip(cr);
        for (int band = 0; band < 2; ++band) {
            const double top = band == 0 ? kGlassY : kGlassY + kGlassH - 30;
            cairo_pattern_t* shade = cairo_pattern_create_linear(0, top, 0, top + 30);
            cairo_pattern_add_color_stop_rgba(shade, 0, 0.03, 0.0, 0.06, band == 0 ? 0.75 : 0.0);
            cairo_pattern_add_color_stop_rgba(shade, 1, 0.03, 0.0, 0.06, band == 0 ? 0.0 : 0.8);
            cairo_set_source(cr, shade);
            cairo_rectangle(cr, kGlassX, top, kGlassW, 30);
            cairo_fill(cr);
            cairo_pattern_destroy(shade);
        }
    });
    const std::uint32_t top = locked ? 0xB8B0C4 : 0xFFF4D8, bottom = locked ? 0x807890 : 0xE0B060;
    const Image number = styledText(withNumber(tree.say("questmap/episode", "Episode %d",
                                                        "over each episode's window on the quest map; %d is "
                                                        "the episode's number, at most 150 px"),
                                               episode),
                                    "Vollkorn-Bold.ttf", 16, engravedStyle(top, bottom));
    checkRoom(tree, "questmap/episode", number, kGlassW - 4);
    placeCentred(picture, number, kWindowWidth / 2.0f, kGlassY + 13.0f);
    const std::string context = "questmap/relic" + std::to_string(episode);
    const std::string name =
        locked ? "? ? ?"
               : tree.say(context, titleCase(relicPictures(episode).name),
                          "the name of episode " + std::to_string(episode) +
                              "'s relic, under its window on the quest map, at most 150 px");
    const Image title = styledText(name, "Vollkorn-Italic.ttf", 14, engravedStyle(top, bottom));
    checkRoom(tree, context, title, kGlassW - 4);
    placeCentred(picture, title, kWindowWidth / 2.0f, kGlassY + kGlassH - 12.0f);
}

// A laurel of gold leaves round a seal with a check mark: the episode's
// relic is whole again.
void drawLaurel(Image& picture) {
    paintOn(picture, [&](cairo_t* cr) {
        const double cx = kGlassX + kGlassW - 26, cy = kGlassY + kGlassH - 44, r = 19;
        cairo_arc(cr, cx + 1, cy + 2, r + 2, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        for (int side = -1; side <= 1; side += 2) {
            for (int i = 0; i < 6; ++i) {
                const double a = kPi / 2 + side * (0.45 + i * 0.42);
                const double lx = cx + std::cos(a) * r, ly = cy + std::sin(a) * r;
                cairo_save(cr);
                cairo_translate(cr, lx, ly);
                cairo_rotate(cr, a + side * kPi / 2);
                cairo_scale(cr, 1.0, 0.45);
                cairo_arc(cr, 0, 0, 6, 0, 2 * kPi);
                cairo_restore(cr);
                goldStroke(cr, ly - 4, ly + 4, 1.0);
                cairo_save(cr);
                cairo_translate(cr, lx, ly);
                cairo_rotate(cr, a + side * kPi / 2);
                cairo_scale(cr, 1.0, 0.45);
                cairo_arc(cr, 0, 0, 5.5, 0, 2 * kPi);
                cairo_restore(cr);
                cairo_set_source_rgb(cr, 0.92, 0.7, 0.25);
                cairo_fill(cr);
            }
        }
        cairo_arc(cr, cx, cy, 11, 0, 2 * kPi);
        cairo_pattern_t* seal = cairo_pattern_create_radial(cx - 3, cy - 4, 1, cx, cy, 12);
        cairo_pattern_add_color_stop_rgb(seal, 0, 1.0, 0.95, 0.7);
        cairo_pattern_add_color_stop_rgb(seal, 0.6, 0.88, 0.6, 0.16);
        cairo_pattern_add_color_stop_rgb(seal, 1, 0.55, 0.3, 0.05);
        cairo_set_source(cr, seal);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(seal);
        cairo_set_source_rgba(cr, 0.25, 0.1, 0.0, 0.9);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - 5, cy);
        cairo_line_to(cr, cx - 1, cy + 4);
        cairo_line_to(cr, cx + 6, cy - 5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgb(cr, 0.3, 0.12, 0.0);
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);
    });
}

struct LookLight {
    double frame, glow, dim;
};
LookLight lightOf(ButtonLook look) {
    switch (look) {
        case ButtonLook::Active: return {1.22, 1.0, 1.08};
        case ButtonLook::Pressed: return {0.85, 0.3, 0.82};
        default: return {1.0, 0.0, 1.0};
    }
}

void scaleColour(Image& picture, double k) {
    if (k == 1.0) return;
    for (auto& p : picture.pixels) {
        Rgba c = unpackArgb(p);
        c.r = clamp01(c.r * static_cast<float>(k));
        c.g = clamp01(c.g * static_cast<float>(k));
        c.b = clamp01(c.b * static_cast<float>(k));
        p = packArgb(c);
    }
}

// The window alone: 172 x 156.
Image episodeWindow(AssetTree& tree, int episode, WindowLook look, ButtonLook state) {
    const LookLight light = lightOf(state);
    Image picture = windowScene(episode, look);
    scaleColour(picture, light.dim);
    drawTitles(tree, picture, episode, look == WindowLook::Locked);
    if (look == WindowLook::Finished) drawLaurel(picture);
    if (look == WindowLook::Locked) {
        paintOn(picture, [&](cairo_t* cr) { padlock(cr, kWindowWidth / 2.0 + 26, kGlassY + kGlassH / 2.0 + 4, false); });
    }
    drawFrame(picture, look == WindowLook::Locked ? 0.62 : light.frame, light.glow);
    return picture;
}

// The episode's button: its window over the plate the prompt is written on.
Image episodeButton(AssetTree& tree, int episode, ButtonLook state) {
    Image picture(kWindowWidth, kButtonHeight);
    drawOver(picture, menuButton(kPlateWidth, kPlateHeight, state), kPlateX, kPlateY);
    drawOver(picture, episodeWindow(tree, episode, WindowLook::Open, state), 0, 0);
    return picture;
}

// The locked episode as the map shows it: window, a dim plate and the
// level that opens it.
Image lockedEpisode(AssetTree& tree, int episode) {
    Image picture(kWindowWidth, kButtonHeight);
    drawOver(picture, menuButton(kPlateWidth, kPlateHeight, ButtonLook::Disabled), kPlateX, kPlateY);
    const Image from =
        styledText(withNumber(tree.say("questmap/fromlevel", "From level %d",
                                       "on the plate of a locked episode; %d is the level that opens it, at most " +
                                           std::to_string(kPlateWidth - 20) + " px"),
                              kFirstLevels[episode - 1]),
                   "Vollkorn-Italic.ttf", 17, engravedStyle(0xC8C0D4, 0x8A8098));
    checkRoom(tree, "questmap/fromlevel", from, kPlateWidth - 20);
    placeCentred(picture, from, kPlateX + kPlateWidth / 2.0f, kPlateY + kPlateHeight / 2.0f);
    drawOver(picture, episodeWindow(tree, episode, WindowLook::Locked, ButtonLook::Normal), 0, 0);
    return picture;
}

double centreX(int episode) { return kSpots[episode - 1].x + kWindowWidth / 2.0; }
double centreY(int episode) { return kSpots[episode - 1].y + kWindowHeight / 2.0; }

// The road from window to window: a band of worn gold between two fine
// rules, with a stud every so often, winding a little as roads do.
void drawRoad(Image& back) {
    paintOn(back, [&](cairo_t* cr) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        auto roadPath = [&] {
            cairo_move_to(cr, centreX(1), centreY(1));
            for (int e = 2; e <= 6; ++e) {
                const double x0 = centreX(e - 1), y0 = centreY(e - 1), x1 = centreX(e), y1 = centreY(e);
                if (y0 == y1) {
                    const double bend = e % 2 ? 26 : -26;
                    cairo_curve_to(cr, x0 + (x1 - x0) * 0.35, y0 + bend, x0 + (x1 - x0) * 0.65, y1 - bend, x1, y1);
                } else {
                    cairo_curve_to(cr, x0 + 70, y0 + 50, x1 + 70, y1 - 50, x1, y1);
                }
            }
        };
        roadPath();
        cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
        cairo_set_line_width(cr, 20);
        cairo_stroke(cr);
        roadPath();
        cairo_set_source_rgba(cr, 0.55, 0.36, 0.12, 0.55);
        cairo_set_line_width(cr, 14);
        cairo_stroke(cr);
        roadPath();
        cairo_set_source_rgba(cr, 1.0, 0.86, 0.5, 0.8);
        const double dashes[2] = {2, 13};
        cairo_set_dash(cr, dashes, 2, 0);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    });
}

// Faint contour lines in the velvet, as on a surveyor's map.
void drawContours(Image& back) {
    for (int y = 0; y < back.height; ++y) {
        for (int x = 0; x < back.width; ++x) {
            const float h = valueNoise(x, y, 120.0f, 51u) * 0.7f + valueNoise(x, y, 47.0f, 53u) * 0.3f;
            const float band = std::fabs(std::fmod(h * 14.0f, 1.0f) - 0.5f);
            const float line = std::exp(-std::pow((0.5f - band) / 0.035f, 2.0f));
            if (line < 0.01f) continue;
            Rgba c = unpackArgb(back.at(x, y));
            c.r = clamp01(c.r + 0.16f * line);
            c.g = clamp01(c.g + 0.11f * line);
            c.b = clamp01(c.b + 0.05f * line);
            back.at(x, y) = packArgb(c);
        }
    }
}

Image mapBackground(AssetTree& tree) {
    Image back = velvetBackdrop(800, 600, 400, 250);
    drawContours(back);
    TextStyle style;
    style.fillTop = hexColour(0xFFF8E0);
    style.fillMiddle = hexColour(0xFFD060);
    style.fillBottom = hexColour(0xC07010);
    style.shine = 0.4f;
    style.outline = hexColour(0x3A0A02);
    style.outlineWidth = 1.8f;
    style.glow = hexColour(0xFF9A28);
    style.glowRadius = 3.0f;
    style.glowOpacity = 0.5f;
    style.shadowDx = 1;
    style.shadowDy = 2;
    style.shadowBlur = 1.2f;
    style.shadowOpacity = 0.75f;
    addBloom(back, 400, 30, 90, hexColour(0x5A3010), 0.5f);
    const Image heading = styledText(
        tree.say("questmap/title", "The Quest", "the quest map's heading, between two gold rules: at most 230 px of lettering, its glow included"),
        "Vollkorn-Black.ttf", 40, style);
    checkRoom(tree, "questmap/title", heading, 230);
    placeCentred(back, heading, 400, 30);
    drawGoldRule(back, 120, 300, 34);
    drawGoldRule(back, 500, 680, 34);
    drawRoad(back);
    for (int e = 1; e <= 6; ++e) {
        addBloom(back, static_cast<float>(centreX(e)), static_cast<float>(centreY(e)), 80, hexColour(0x3A2050),
                 0.5f);
    }
    // Behind every button but the first, the episode as it looks locked.
    for (int e = 2; e <= 6; ++e) drawOver(back, lockedEpisode(tree, e), kSpots[e - 1].x, kSpots[e - 1].y);
    drawGoldRule(back, 200, 600, 528);
    return back;
}

std::string stemOf(int episode, const char* suffix) {
    return kMenu + "questmap_episode" + std::to_string(episode) + suffix;
}

void writeEpisodeArt(AssetTree& tree, int episode) {
    const ButtonLook looks[3] = {ButtonLook::Normal, ButtonLook::Active, ButtonLook::Pressed};
    const char* suffixes[3] = {"", "_a", "_p"};
    for (int i = 0; i < 3; ++i) {
        writePicture(tree, stemOf(episode, suffixes[i]) + ".tga", episodeButton(tree, episode, looks[i]),
                     PictureFormat::Tga32, "", false);
        writePicture(tree, stemOf(episode, (std::string("_f") + suffixes[i]).c_str()) + ".tga",
                     episodeWindow(tree, episode, WindowLook::Finished, looks[i]), PictureFormat::Tga32, "", false);
    }
}

// The contact sheet shows each episode as the map can: open, under the
// mouse, finished, and locked as painted into the map.
void addEpisodesToSheet(AssetTree& tree, int first, int last) {
    Image row((last - first + 1) * 4 * (kWindowWidth + 6), kButtonHeight);
    int x = 0;
    for (int e = first; e <= last; ++e) {
        drawOver(row, episodeButton(tree, e, ButtonLook::Normal), x, 0);
        drawOver(row, episodeButton(tree, e, ButtonLook::Active), x + kWindowWidth + 6, 0);
        drawOver(row, episodeButton(tree, e, ButtonLook::Normal), x + 2 * (kWindowWidth + 6), 0);
        drawOver(row, episodeWindow(tree, e, WindowLook::Finished, ButtonLook::Normal), x + 2 * (kWindowWidth + 6), 0);
        drawOver(row, lockedEpisode(tree, e), x + 3 * (kWindowWidth + 6), 0);
        x += 4 * (kWindowWidth + 6);
    }
    tree.addToContactSheet("questmap episodes " + std::to_string(first) + ".." + std::to_string(last) +
                               " (open, under the mouse, finished, locked)",
                           row);
}

}  // namespace

void generateQuestMap(AssetTree& tree) {
    writeBackground(tree, kMenu + "questmap_back.jpg", mapBackground(tree));
    for (int e = 1; e <= 6; ++e) writeEpisodeArt(tree, e);
    for (int e = 1; e <= 6; e += 2) addEpisodesToSheet(tree, e, e + 1);
    writeButtonSet(tree, kMenu + "button_questmap_continue", kContinueWidth, kContinueHeight, 0);

    std::vector<Control> controls = {staticPicture("background", kMenu + "questmap_back.jpg", 0, 0)};
    std::vector<Control> prompts;
    for (int e = 1; e <= 6; ++e) {
        const Spot at = kSpots[e - 1];
        const std::string name = "episode" + std::to_string(e);
        Control button = {name,
                          {{"type", "button"},
                           {"x", std::to_string(at.x)},
                           {"y", std::to_string(at.y)},
                           {"path", stemOf(e, "") + ".tga"},
                           {"path_a", stemOf(e, "_a") + ".tga"},
                           {"path_p", stemOf(e, "_p") + ".tga"},
                           {"prompt", name + "_prompt"}}};
        controls.push_back(button);
        // The prompt is written on the plate; the game sets its text. It
        // has no picture, so its caption is drawn on its middle: the box
        // goes down by the drop the menu font's cell is cut for.
        prompts.push_back({name + "_prompt",
                           {{"type", "button"},
                            {"x", std::to_string(at.x + kPlateX)},
                            {"y", std::to_string(at.y + kPlateY + kButtonCaptionDrop)},
                            {"xs", std::to_string(kPlateWidth)},
                            {"ys", std::to_string(kPlateHeight)},
                            {"btabstop", "0"},
                            {"name", "Restart"}}});
    }
    // The markers over the windows, drawn after (and hit before) the buttons.
    for (int e = 1; e <= 6; ++e) {
        const Spot at = kSpots[e - 1];
        controls.push_back({"episode" + std::to_string(e) + "_f",
                            {{"type", "button"},
                             {"x", std::to_string(at.x)},
                             {"y", std::to_string(at.y)},
                             {"path", stemOf(e, "_f") + ".tga"},
                             {"path_a", stemOf(e, "_f_a") + ".tga"},
                             {"path_p", stemOf(e, "_f_p") + ".tga"}}});
    }
    controls.push_back(button("continue", "Continue", kMenu + "button_questmap_continue", kContinueX, kContinueY));
    controls.push_back(button("back", "Back", kMenu + "button_small", kBackX, kBackY));

    // The prompts' sections follow the listed controls; [main] does not
    // name them, their buttons do.
    std::string text = screenFile(tree, "questmap", controls);
    for (const Control& p : prompts) text += controlSection(tree, "questmap", p);
    tree.writeText(kMenu + "questmap.ini", text);
    std::string names;
    for (const Control& c : controls) names += (names.empty() ? "" : ",") + c.section;
    tree.describe("screen", kMenu + "questmap.ini", "controls=" + names);
}
