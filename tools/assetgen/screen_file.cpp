#include "screen_file.h"

#include "font_generator.h"
#include "image_files.h"
#include "menu_art.h"
#include "picture_output.h"
#include "text_layout.h"

namespace {

std::string keyValue(const Control& control, const std::string& key) {
    for (const auto& [k, v] : control.keys)
        if (k == key) return v;
    return {};
}

// A caption in the language being written, with a note for the translator
// on the control that shows it.
std::string spokenCaption(AssetTree& tree, const std::string& screen, const Control& control,
                          const std::string& english) {
    const std::string type = keyValue(control, "type");
    std::string note = "screen " + screen + ", " + (type.empty() ? "control" : type) + " " + control.section;
    const std::string width = keyValue(control, "xs");
    if (!width.empty() && width != "0") note += ", " + width + " px wide";
    return tree.say(screen + "/" + control.section, english, note);
}

}  // namespace

std::string controlSection(AssetTree& tree, const std::string& screen, const Control& control) {
    std::string text = "\r\n[" + control.section + "]\r\n";
    // A caption is drawn in a font: its words part with the font's gap.
    for (const auto& [key, value] : control.keys) {
        const bool shown = key == "name" && !value.empty() && !control.captionSaid;
        const std::string caption = shown ? spokenCaption(tree, screen, control, value) : value;
        text += key + "=" + (key == "name" ? withWordGaps(caption) : caption) + "\r\n";
    }
    return text;
}

std::string screenFile(AssetTree& tree, const std::string& screen, const std::vector<Control>& controls,
                       const ScreenPlace& place) {
    std::string text = "[main]\r\nx=" + std::to_string(place.x) + "\r\ny=" + std::to_string(place.y) +
                       "\r\nxs=" + std::to_string(place.width) + "\r\nys=" + std::to_string(place.height) + "\r\n";
    for (std::size_t i = 0; i < controls.size(); ++i)
        text += std::to_string(i) + "=" + controls[i].section + "\r\n";
    for (const Control& c : controls) text += controlSection(tree, screen, c);
    return text;
}

void writeScreen(AssetTree& tree, const std::string& name, const std::vector<Control>& controls) {
    const std::string path = "data\\menu\\" + name + ".ini";
    tree.writeText(path, screenFile(tree, name, controls));
    std::string list;
    for (const Control& c : controls) list += (list.empty() ? "" : ",") + c.section;
    tree.describe("screen", path, "controls=" + list);
}

Control staticPicture(const std::string& section, const std::string& path, int x, int y) {
    return {section, {{"type", "static"}, {"x", std::to_string(x)}, {"y", std::to_string(y)}, {"path", path}}};
}

Control caption(const std::string& section, const std::string& text, int x, int y, int xs, int ys,
                bool leftAligned) {
    // Left-aligned text starts at x + xs / 2, so such a caption is 0 wide.
    Control c{section,
              {{"type", "static"},
               {"x", std::to_string(x)},
               {"y", std::to_string(y)},
               {"xs", std::to_string(leftAligned ? 0 : xs)},
               {"ys", std::to_string(ys)}}};
    if (leftAligned) c.keys.push_back({"xalign", "-1"});
    if (!text.empty()) c.keys.push_back({"name", text});
    return c;
}

Control heading(const std::string& section, const std::string& text, int cx, int cy, int width) {
    constexpr int kHeight = 32;
    // The menu font's capitals stand that much above the middle of its
    // cell, for the plates' sake.
    return {section,
            {{"type", "button"},
             {"x", std::to_string(cx - width / 2)},
             {"y", std::to_string(cy - kHeight / 2 + kButtonCaptionDrop)},
             {"xs", std::to_string(width)},
             {"ys", std::to_string(kHeight)},
             {"btabstop", "0"},
             {"name", text}}};
}

Control button(const std::string& section, const std::string& caption, const std::string& stem, int x, int y) {
    return {section,
            {{"type", "button"},
             {"x", std::to_string(x)},
             {"y", std::to_string(y)},
             {"name", caption},
             {"path", stem + ".tga"},
             {"path_a", stem + "_a.tga"},
             {"path_p", stem + "_p.tga"}}};
}

void writeBackground(AssetTree& tree, const std::string& gamePath, const Image& picture, bool onSheet) {
    tree.writeFile(gamePath, encodeJpeg(picture, 93));
    tree.describe("picture", gamePath,
                  std::to_string(picture.width) + "x" + std::to_string(picture.height) + " frames=1 blend=none");
    if (onSheet) tree.addToContactSheet(gamePath.substr(gamePath.find_last_of('\\') + 1), picture);
}

void writeButtonSet(AssetTree& tree, const std::string& stem, int width, int height, int gemKind) {
    writePicture(tree, stem + ".tga", menuButton(width, height, ButtonLook::Normal, gemKind), PictureFormat::Tga32);
    writePicture(tree, stem + "_a.tga", menuButton(width, height, ButtonLook::Active, gemKind), PictureFormat::Tga32);
    writePicture(tree, stem + "_p.tga", menuButton(width, height, ButtonLook::Pressed, gemKind), PictureFormat::Tga32);
}
