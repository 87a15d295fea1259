#include "screen_file.h"

#include "image_files.h"
#include "menu_art.h"
#include "picture_output.h"

std::string screenFile(const std::vector<Control>& controls) {
    std::string text = "[main]\r\nx=0\r\ny=0\r\nxs=800\r\nys=600\r\n";
    for (std::size_t i = 0; i < controls.size(); ++i)
        text += std::to_string(i) + "=" + controls[i].section + "\r\n";
    for (const Control& c : controls) {
        text += "\r\n[" + c.section + "]\r\n";
        for (const auto& [key, value] : c.keys) text += key + "=" + value + "\r\n";
    }
    return text;
}

Control staticPicture(const std::string& section, const std::string& path, int x, int y) {
    return {section, {{"type", "static"}, {"x", std::to_string(x)}, {"y", std::to_string(y)}, {"path", path}}};
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
