#include "graphics/sprite_loading.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <utility>

#include "graphics/image_file.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite_registry.h"
#include "platform/paths.h"
#include "platform/system_services.h"

namespace {

// Game paths name the same file in any letter case and with either slash.
char pathLetter(char c) {
    if (c == '/') return '\\';
    return char(std::tolower(static_cast<unsigned char>(c)));
}

bool samePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (pathLetter(a[i]) != pathLetter(b[i])) return false;
    }
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) return false;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (samePath(text.substr(i, part.size()), part)) return true;
    }
    return false;
}

std::string_view nameOf(const char (&field)[Sprite::nameSize]) {
    return std::string_view(field, strnlen(field, Sprite::nameSize));
}

// A name that does not fit would load some other file, so it is not cut.
bool setName(char (&field)[Sprite::nameSize], std::string_view text) {
    if (text.size() >= Sprite::nameSize) return false;
    text.copy(field, text.size());
    field[text.size()] = '\0';
    return true;
}

bool hasPixels(const Sprite& sprite) {
    int pitch = 0;
    return sprite.readablePixels(pitch) != nullptr;
}

// The size the sprite already has, in black.
void makeBlank(Sprite& sprite) {
    if (sprite.width() > 0 && sprite.height() > 0)
        sprite.createPixels(sprite.width(), sprite.height(), sprite.frameCount());
}

bool firstFrameHasBlack(const Sprite& sprite) {
    int pitch = 0;
    const std::uint8_t* rows = reinterpret_cast<const std::uint8_t*>(sprite.readablePixels(pitch));
    if (!rows) return false;
    for (int y = 0; y < sprite.height(); ++y) {
        const std::uint16_t* row = reinterpret_cast<const std::uint16_t*>(rows + std::int64_t(y) * pitch);
        for (int x = 0; x < sprite.width(); ++x) {
            if (row[x] == 0) return true;
        }
    }
    return false;
}

int magnitude(int value) { return value < 0 ? (value == INT32_MIN ? 0 : -value) : value; }

// The picture's frames into the sprite: pixels in the current format, and
// the alpha plane for 32-bit pictures. The sprite stays empty when the
// picture is empty or beyond our limits.
void convertPicture(Sprite& sprite, ImageFile& reader, std::string_view name) {
    const int width = magnitude(reader.width());
    const int height = magnitude(reader.height());
    const int frames = reader.frameCount();
    if (!imageSizeAcceptable(width, height, frames) || !sprite.createPixels(width, height, frames)) return;
    sprite.period = reader.duration() > 0 ? reader.duration() : 1;
    const bool ownAlpha = reader.bitsPerPixel() == 32;
    if (ownAlpha && !sprite.createAlphaPlane()) {
        sprite.Destroy();
        return;
    }
    sprite.Lock();
    std::uint8_t* pixels = reinterpret_cast<std::uint8_t*>(sprite.pixels());
    if (!pixels) {
        sprite.Destroy();
        return;
    }

    const PixelFormat& format = currentPixelFormat();
    const int pitch = sprite.pitch();
    const std::int64_t framePixels = std::int64_t(width) * height;
    for (int i = 0; i < frames; ++i) {
        const int time = frameFetchTime(i, reader.duration(), frames);
        reader.ConvertFrame(pixels + i * std::int64_t(height) * pitch, time, 2, pitch, format.redBits, format.greenBits,
                            format.blueBits, format.redShift, format.greenShift, format.blueShift, width, height);
        if (ownAlpha) reader.ExtractAlpha(sprite.alphaPlane() + i * framePixels, time, 1, width, 8, 0, width, height);
    }
    // Black is see-through in keyed copies. JPEG pictures are backgrounds and
    // photographs whose blacks are picture, not holes; their shape comes only
    // from an alpha image.
    if (!ownAlpha && !containsIgnoringCase(name, ".jpg")) sprite.bMask = firstFrameHasBlack(sprite);
}

// True when a still picture holds `frames` frames of width x height stacked
// top to bottom, and nothing more.
bool isStripOf(const Sprite& sprite, int width, int height, int frames) {
    return frames > 1 && sprite.frameCount() == 1 && width == sprite.width() &&
           std::int64_t(frames) * height == sprite.height();
}

// The separate alpha image replaces the picture's own opacity. It must match
// the picture frame for frame, or animate a still picture that is a strip of
// its frames stacked top to bottom (the alpha image's frames exactly fill the
// strip's height, at the same width): the strip is then cut into those
// frames. A picture that failed to load gets black pixels of the alpha
// image's size, so what the alpha image shapes is a shadow rather than nothing.
void loadAlphaImage(Sprite& sprite, std::string_view maskName) {
    const std::string path(maskName);
    std::unique_ptr<ImageFile> reader = OpenImageFile(path);
    if (!reader || reader->LoadFile(path.c_str()) != 0) return;
    const int width = magnitude(reader->width());
    const int height = magnitude(reader->height());
    const int frames = reader->frameCount();
    if (!imageSizeAcceptable(width, height, frames)) return;
    if (!hasPixels(sprite)) {
        if (!sprite.createPixels(width, height, frames)) return;
    } else if (isStripOf(sprite, width, height, frames)) {
        if (!sprite.cutIntoFrames(frames, sprite.period)) return;
    } else if (width != sprite.width() || height != sprite.height() || frames != sprite.frameCount()) {
        return;
    }
    if (!sprite.createAlphaPlane()) return;
    sprite.period = reader->duration() > 0 ? reader->duration() : 1;
    const std::int64_t framePixels = std::int64_t(width) * height;
    for (int i = 0; i < frames; ++i) {
        const int time = frameFetchTime(i, reader->duration(), frames);
        reader->ExtractAlpha(sprite.alphaPlane() + i * framePixels, time, 1, width, 8, 0, width, height);
    }
}

}  // namespace

int ReadWholeFile(std::string_view path, std::vector<std::uint8_t>& buffer) {
    switch (platform::tryReadWholeFile(path, buffer)) {
        case platform::WholeFileRead::Read: return buffer.empty() ? readFileEmpty : readFileOk;
        // It opens but could not be read whole: too large to hold (or no plain file).
        case platform::WholeFileRead::NotReadWhole: return readFileNoMemory;
        case platform::WholeFileRead::Missing:
        case platform::WholeFileRead::CannotOpen: break;
    }
    return readFileCannotOpen;
}

std::string derivedAlphaName(std::string_view picturePath) {
    const std::size_t separator = picturePath.find_last_of("\\/");
    const std::string_view file = separator == std::string_view::npos ? picturePath : picturePath.substr(separator + 1);
    // A picture without a folder has its alpha image beside it, in the same
    // folder, not at the root of the file system.
    std::string name =
        separator == std::string_view::npos ? std::string() : std::string(picturePath.substr(0, separator + 1));
    name += '_';
    const std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos) {
        name += file;
        name += '.';
    } else {
        name += file.substr(0, dot + 1);
    }
    name += "tga";
    return name;
}

Sprite* findRegisteredSprite(std::string_view path) {
    if (path.empty()) return nullptr;
    const SpriteRegistry& registry = spriteRegistry();
    for (int slot = 0; slot < registry.count(); ++slot) {
        Sprite* sprite = registry.at(slot);
        if (sprite && samePath(nameOf(sprite->name), path)) return sprite;
    }
    return nullptr;
}

Sprite* GetSprite(const char* path, const char* maskName, bool reload) {
    if (!path || !*path) return nullptr;
    if (Sprite* existing = findRegisteredSprite(path)) {
        if (reload) LoadSprite(existing);
        return existing;
    }
    auto sprite = std::make_unique<Sprite>();
    if (!setName(sprite->name, path)) {
        platform::messageBox(path, "file not found");
        return nullptr;
    }
    // A mask name too long to keep means no alpha image, as an empty one does.
    setName(sprite->maskName, maskName ? std::string(maskName) : derivedAlphaName(path));
    Sprite* registered = spriteRegistry().add(std::move(sprite));
    if (registered) LoadSprite(registered);
    return registered;
}

Sprite* CreateSprite(int width, int height, const char* path) {
    auto sprite = std::make_unique<Sprite>();
    const bool named = path && *path;
    if (named && !setName(sprite->name, path)) platform::messageBox(path, "file not found");
    // The size stays when the file cannot be read.
    if (width > 0 && height > 0) sprite->createPixels(width, height);
    Sprite* registered = spriteRegistry().add(std::move(sprite));
    if (registered && registered->name[0]) LoadSprite(registered);
    return registered;
}

Sprite* CreateSpriteWithAlpha(int width, int height, const char* path, std::uint8_t fill) {
    Sprite* sprite = CreateSprite(width, height, path);
    if (sprite && sprite->createAlphaPlane()) {
        std::memset(sprite->alphaPlane(), fill,
                    std::size_t(sprite->width()) * std::size_t(sprite->height()) * std::size_t(sprite->frameCount()));
    }
    return sprite;
}

void ReleaseSprite(Sprite* sprite) { spriteRegistry().release(sprite); }

void LoadSprite(Sprite* sprite) {
    if (!sprite) return;
    sprite->Destroy();
    sprite->bMask = false;
    const std::string_view name = nameOf(sprite->name);
    if (name.empty()) {
        makeBlank(*sprite);
        return;
    }

    std::vector<std::uint8_t> buffer;
    if (ReadWholeFile(name, buffer) != readFileOk) {
        // A size given beforehand makes a missing picture a black one.
        makeBlank(*sprite);
    } else {
        std::unique_ptr<ImageFile> reader = OpenImageFile(name);
        if (!reader) {
            platform::messageBox(std::string(name), "unknown file format");
            return;
        }
        reader->Parse(std::move(buffer));
        convertPicture(*sprite, *reader, name);
    }

    const std::string_view maskName = nameOf(sprite->maskName);
    if (!maskName.empty()) loadAlphaImage(*sprite, maskName);
    if (!hasPixels(*sprite)) {
        platform::messageBox(std::string(name), "file not found");
        sprite->clip = {};
        return;
    }
    sprite->clip = {0, 0, sprite->width(), sprite->height()};
}
