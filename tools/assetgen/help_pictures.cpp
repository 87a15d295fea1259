#include "help_pictures.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "asset_tree.h"
#include "board_generator.h"
#include "cairo_shapes.h"
#include "canvas.h"
#include "menu_art.h"
#include "paint.h"
#include "piece_generator.h"
#include "text_layout.h"

namespace {

constexpr float kPi = 3.14159265358979f;
// Pieces sit 2 pixels in from their cell's corner, as the board draws them.
constexpr int kPieceInset = (kCellSize - kPieceSize) / 2;

struct PatchCell {
    char piece = '.';
    int coating = 0;
    std::string marks;
    bool has(char mark) const { return marks.find(mark) != std::string::npos; }
};

std::vector<std::vector<PatchCell>> parsePatch(const std::vector<std::string>& rows) {
    std::vector<std::vector<PatchCell>> cells;
    for (const std::string& row : rows) {
        std::vector<PatchCell> line;
        for (const std::string& token : wordsOf(row)) {
            PatchCell cell;
            cell.piece = token[0];
            if (token.size() > 1 && token[1] >= '0' && token[1] <= '4') cell.coating = token[1] - '0';
            if (token.size() > 2) cell.marks = token.substr(2);
            line.push_back(cell);
        }
        cells.push_back(line);
    }
    return cells;
}

Image pieceOf(const PatchCell& cell) {
    if (cell.piece == 'R') return rainbowFrame(0);
    const int kind = cell.piece == 'B' ? kBadKind : cell.piece - '0';
    if (kind < 0 || kind > kBadKind) return Image();
    // The hint pulse at its brightest.
    return cell.has('h') ? pieceHelpFrame(kind, kHelpFrames / 2) : pieceActiveFrame(kind, 0);
}

}  // namespace

Image fieldPatch(const std::vector<std::string>& rows) {
    const auto cells = parsePatch(rows);
    std::size_t columns = 0;
    for (const auto& line : cells) columns = std::max(columns, line.size());
    Image out(static_cast<int>(columns) * kCellSize, static_cast<int>(cells.size()) * kCellSize);
    const Image field = fieldCell();
    // The cells and their coatings first, then the pieces and what lies on
    // them, as the board layers them.
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (std::size_t c = 0; c < cells[r].size(); ++c) {
            const PatchCell& cell = cells[r][c];
            if (cell.piece == '_') continue;
            const int px = static_cast<int>(c) * kCellSize, py = static_cast<int>(r) * kCellSize;
            drawOver(out, field, px, py);
            if (cell.coating > 0) drawOver(out, coatingImage(cell.coating), px, py);
            if (cell.has('s')) drawOver(out, selectFrame(0), px, py);
        }
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (std::size_t c = 0; c < cells[r].size(); ++c) {
            const PatchCell& cell = cells[r][c];
            const int px = static_cast<int>(c) * kCellSize, py = static_cast<int>(r) * kCellSize;
            const Image piece = pieceOf(cell);
            if (piece.width == 0) continue;
            // A falling gem is caught halfway into the cell below, its streak behind it.
            const int drop = cell.has('v') ? kCellSize * 3 / 8 : 0;
            if (drop > 0)
                drawFallTrail(out, px + kCellSize / 2.0f, py + drop + 12.0f, 44.0f, 11.0f, hexColour(0xFFE8B0) * 0.7f);
            drawOver(out, piece, px + kPieceInset, py + kPieceInset + drop);
            if (cell.has('t')) drawAdd(out, teleportFrame(0), px, py);
            if (cell.has('L'))
                drawOver(out, lockImage(2), px, py);
            else if (cell.has('l'))
                drawOver(out, lockImage(1), px, py);
        }
    return out;
}

Image scaled(const Image& picture, float factor) {
    const int width = std::max(1, static_cast<int>(std::lround(picture.width * factor)));
    const int height = std::max(1, static_cast<int>(std::lround(picture.height * factor)));
    Canvas canvas(width, height);
    cairo_scale(canvas.cr(), factor, factor);
    canvas.drawImage(picture, 0, 0);
    return canvas.toImage();
}

void drawArrow(Image& picture, float x0, float y0, float x1, float y1, float bow, bool twoWay) {
    Canvas canvas(picture.width, picture.height);
    cairo_t* cr = canvas.cr();
    const float mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    const float length = std::max(1.0f, std::hypot(x1 - x0, y1 - y0));
    // The control point lies `bow` pixels to the side of the middle.
    const float nx = -(y1 - y0) / length, ny = (x1 - x0) / length;
    const float cx = mx + nx * bow * 2, cy = my + ny * bow * 2;
    auto head = [&](float tipX, float tipY, float fromX, float fromY) {
        const float a = std::atan2(tipY - fromY, tipX - fromX);
        const float size = 9.0f;
        cairo_move_to(cr, tipX, tipY);
        cairo_line_to(cr, tipX - size * std::cos(a - kPi / 6), tipY - size * std::sin(a - kPi / 6));
        cairo_line_to(cr, tipX - size * std::cos(a + kPi / 6), tipY - size * std::sin(a + kPi / 6));
        cairo_close_path(cr);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // A dark edge under a bright gold line, readable on gems of every colour.
    for (int pass = 0; pass < 2; ++pass) {
        const double width = pass == 0 ? 6.0 : 3.0;
        if (pass == 0)
            cairo_set_source_rgba(cr, 0.1, 0.03, 0.0, 0.85);
        else
            cairo_set_source_rgb(cr, 1.0, 0.86, 0.4);
        cairo_move_to(cr, x0, y0);
        cairo_curve_to(cr, cx, cy, cx, cy, x1, y1);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
        head(x1, y1, cx, cy);
        if (twoWay) head(x0, y0, cx, cy);
        cairo_set_line_width(cr, width - 2.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    drawOver(picture, canvas.toImage(), 0, 0);
}

namespace {

constexpr int kKeyHeight = 30;
constexpr int kArrowKeyWidth = 28;
constexpr int kKeyGap = 2;

// A small gold triangle pointing along (dx, dy), centred on the point.
void arrowHead(cairo_t* cr, double cx, double cy, int dx, int dy) {
    const double size = 6.0;
    cairo_move_to(cr, cx + dx * size, cy + dy * size);
    cairo_line_to(cr, cx - dx * size * 0.6 - dy * size, cy - dy * size * 0.6 + dx * size);
    cairo_line_to(cr, cx - dx * size * 0.6 + dy * size, cy - dy * size * 0.6 - dx * size);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0.1, 0.03, 0.0, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1.0, 0.86, 0.45);
    cairo_fill(cr);
}

Image arrowKey(int dx, int dy) {
    Image key = keycap("", kArrowKeyWidth);
    paintOn(key, [&](cairo_t* cr) { arrowHead(cr, key.width / 2.0, (kKeyHeight + 1) / 2.0, dx, dy); });
    return key;
}

}  // namespace

Image keycap(const std::string& label, int width) {
    // Room for the shadow below and right of the cap.
    Canvas canvas(width + 3, kKeyHeight + 3);
    cairo_t* cr = canvas.cr();
    roundedRectPath(cr, 2.5, 3.5, width - 1.0, kKeyHeight - 1.0, 5.0);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.55);
    cairo_fill(cr);
    roundedRectPath(cr, 1.0, 1.0, width - 2.0, kKeyHeight - 2.0, 5.0);
    cairo_pattern_t* velvet = cairo_pattern_create_linear(0, 1, 0, kKeyHeight);
    cairo_pattern_add_color_stop_rgb(velvet, 0.0, 0x5A / 255.0, 0x34 / 255.0, 0x82 / 255.0);
    cairo_pattern_add_color_stop_rgb(velvet, 1.0, 0x22 / 255.0, 0x0E / 255.0, 0x36 / 255.0);
    cairo_set_source(cr, velvet);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(velvet);
    goldStroke(cr, 1.0, kKeyHeight - 1.0, 1.6);
    Image cap = canvas.toImage();
    if (!label.empty())
        placeCentred(cap, styledText(label, "DejaVuSans-Bold.ttf", 12, engravedStyle(0xFFF4DA, 0xE6CC98)),
                     width / 2.0f, kKeyHeight / 2.0f);
    return cap;
}

Image arrowKeys() {
    const int width = 3 * kArrowKeyWidth + 2 * kKeyGap + 3;
    Image keys(width, 2 * kKeyHeight + kKeyGap + 3);
    drawOver(keys, arrowKey(0, -1), kArrowKeyWidth + kKeyGap, 0);
    const int bottom = kKeyHeight + kKeyGap;
    drawOver(keys, arrowKey(-1, 0), 0, bottom);
    drawOver(keys, arrowKey(0, 1), kArrowKeyWidth + kKeyGap, bottom);
    drawOver(keys, arrowKey(1, 0), 2 * (kArrowKeyWidth + kKeyGap), bottom);
    return keys;
}

Image ringedCell(int kind, bool picked) {
    Image out(kCellSize + 2 * kKeyRingMargin, kCellSize + 2 * kKeyRingMargin);
    const std::string token = std::to_string(kind) + "0" + (picked ? "s" : "");
    drawOver(out, fieldPatch({token}), kKeyRingMargin, kKeyRingMargin);
    drawOver(out, keyRingFrame(0), 0, 0);
    return out;
}

Image generatedFrame(const AssetTree& tree, const std::string& sheetName, int frame) {
    for (const auto& [name, picture] : tree.contactSheet()) {
        if (name == sheetName) return frameOf(picture, std::clamp(frame, 0, picture.frames - 1));
    }
    return Image();
}
