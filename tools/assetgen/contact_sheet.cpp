// One picture showing every generated picture with its name, so a person can
// review the whole look at once. Pictures are laid out in rows on a neutral
// checkerboard (so transparency shows), each frame strip shown whole.

#include <algorithm>
#include <string>

#include "canvas.h"
#include "generators.h"
#include "image_files.h"

namespace {

constexpr int kSheetWidth = 1600;
constexpr int kLabelHeight = 14;
constexpr int kGap = 10;
// Tall strips are shown side by side in columns of at most this height.
constexpr int kMaxColumnHeight = 480;

struct Placement {
    int x, y, width, height;
};

// A strip of many frames is folded into columns so it stays readable.
Image folded(const Image& image) {
    if (image.height <= kMaxColumnHeight || image.frames <= 1) return image;
    const int frameHeight = image.frameHeight();
    const int perColumn = std::max(1, kMaxColumnHeight / frameHeight);
    const int columns = (image.frames + perColumn - 1) / perColumn;
    Image out(image.width * columns + (columns - 1) * 2, frameHeight * perColumn);
    for (int f = 0; f < image.frames; ++f) {
        const int cx = (f / perColumn) * (image.width + 2);
        const int cy = (f % perColumn) * frameHeight;
        for (int y = 0; y < frameHeight; ++y)
            for (int x = 0; x < image.width; ++x) out.at(cx + x, cy + y) = image.at(x, f * frameHeight + y);
    }
    return out;
}

}  // namespace

void generateContactSheet(AssetTree& tree) {
    std::vector<std::pair<std::string, Image>> items;
    for (const auto& [name, image] : tree.contactSheet()) items.emplace_back(name, folded(image));

    // Lay out row by row.
    std::vector<Placement> places;
    int x = kGap, y = kGap, rowHeight = 0;
    for (const auto& [name, image] : items) {
        const int w = std::min(std::max(image.width, static_cast<int>(name.size()) * 6), kSheetWidth - 2 * kGap);
        const int h = image.height + kLabelHeight;
        if (x + w > kSheetWidth - kGap && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        places.push_back({x, y, w, h});
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }
    const int height = y + rowHeight + kGap;

    Canvas sheet(kSheetWidth, std::max(height, 16));
    cairo_t* cr = sheet.cr();
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 10);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Placement& p = places[i];
        const Image& image = items[i].second;
        // Checkerboard under the picture.
        for (int cy = 0; cy < image.height; cy += 8)
            for (int cx = 0; cx < image.width; cx += 8) {
                const bool dark = ((cx / 8) + (cy / 8)) % 2 == 0;
                cairo_set_source_rgb(cr, dark ? 0.30 : 0.38, dark ? 0.30 : 0.38, dark ? 0.32 : 0.40);
                cairo_rectangle(cr, p.x + cx, p.y + kLabelHeight + cy, std::min(8, image.width - cx),
                                std::min(8, image.height - cy));
                cairo_fill(cr);
            }
        sheet.drawImage(image, p.x, p.y + kLabelHeight);
        cairo_set_source_rgb(cr, 0.95, 0.9, 0.75);
        cairo_move_to(cr, p.x, p.y + 10);
        cairo_show_text(cr, items[i].first.c_str());
    }
    Image result = sheet.toImage();
    for (auto& p : result.pixels) p |= 0xFF000000u;
    // A PNG beside the game's data, for people only.
    const std::string path = "review/contact_sheet.png";
    const std::vector<std::uint8_t> bytes = encodePng(result);
    tree.writeFile(path, bytes);
}
