// Damaged and hostile picture files: cut short, empty,
// claiming absurd sizes, or random bytes. None may crash or read outside the
// file (the sanitizer build checks the reads); each gives an empty picture
// with "file not found", or what the file really holds.

#include <random>

#include "graphics/image_file.h"
#include "image_test_files.h"

namespace {

using namespace imagetest;

class ImageHostileInput : public LoaderTest {
protected:
    // Loads the file as a picture, as the alpha image of a 1 x 1 picture and
    // as the alpha image of a missing picture (which then takes its size).
    // True when any of them found a picture in it.
    static bool loadEveryWay(const std::string& name) {
        bool found = GetSprite(name.c_str(), "", true)->width() > 0;
        found |= GetSprite("base.tga", name.c_str(), true)->hasAlphaPlane();
        found |= GetSprite("missing.tga", name.c_str(), true)->hasAlphaPlane();
        return found;
    }
};

std::vector<std::pair<std::string, std::string>> validFiles() {
    Bytes palette(768, 7);
    Bytes pixels(4 * 3 * 4, 0x42);
    return {
        {"a.tga", tgaFile(4, 3, 24, false, Bytes(36, 0x42))},
        {"b.tga", tgaFile(4, 3, 8, true, Bytes(12, 3), palette)},
        {"c.tga", tgaFile(4, 3, 32, true, pixels)},
        {"d.bmp", bmpFile(4, 3, 24, Bytes(36, 0x42))},
        {"e.bmp", bmpFile(4, -3, 8, Bytes(12, 1), Bytes(1024, 5))},
        {"f.avi", aviFile(4, 3, 24, {Bytes(36, 1), Bytes(36, 2)}, 10)},
        {"g.tva", tvaFile(500, 2, 4, 3, 32, false, Bytes(96, 0x42))},
        {"h.jpg", jpegFile(16, 16, 3, Bytes(16 * 16 * 3, 0x42))},
    };
}

TEST_F(ImageHostileInput, FilesCutShortAtEveryLength) {
    write("base.tga", tgaFile(1, 1, 24, true, {1, 2, 3}));
    for (const auto& [name, bytes] : validFiles()) {
        // The message boxes stay off the test output.
        messagesDuring([&] {
            // Every length through the headers, then in steps through the data.
            for (std::size_t length = 0; length < bytes.size(); length += length < 128 ? 1 : 7) {
                write(name, bytes.substr(0, length));
                loadEveryWay(name);
            }
            write(name, bytes);
            EXPECT_TRUE(loadEveryWay(name)) << name;
        });
    }
}

TEST_F(ImageHostileInput, EmptyFilesAreNotFound) {
    for (const char* name : {"e.tga", "e.jpg", "e.tva", "e.bmp", "e.avi"}) {
        write(name, "");
        const std::string messages = messagesDuring([&] { EXPECT_EQ(GetSprite(name)->width(), 0); });
        EXPECT_EQ(messages, std::string("file not found: ") + name + "\n");
    }
}

TEST_F(ImageHostileInput, AbsurdSizeClaimsAreRefusedBeforeAnythingIsAllocated) {
    // 65535 x 65535 pictures in files of a few bytes, and sizes whose
    // products overflow 32 (or even 64) bits.
    std::string tga = tgaFile(65535, 65535, 32, true, Bytes(64, 1));
    std::string bmp = bmpFile(0x7FFFFFFF, -0x7FFFFFFF, 32, Bytes(64, 1));
    std::string avi = aviFile(4, 3, 24, {Bytes(36, 1)}, 10, 0xFFFFFFFF);
    std::string aviWide = aviFile(65535, 65535, 24, {Bytes(36, 1)}, 10);
    std::string tva = tvaFile(1000, 0x7FFFFFFF, 65535, 65535, 32, true, Bytes(64, 1));
    const std::vector<std::pair<std::string, std::string>> files = {
        {"a.tga", tga},     {"b.bmp", bmp}, {"c.avi", avi},
        {"d.avi", aviWide}, {"e.tva", tva}, {"f.tva", tvaFile(1000, -1, 4, 4, 24, true, Bytes(48, 1))}};
    write("base.tga", tgaFile(1, 1, 24, true, {1, 2, 3}));
    for (const auto& [name, bytes] : files) {
        write(name, bytes);
        int pitch = 0;
        messagesDuring([&] {
            EXPECT_EQ(GetSprite(name.c_str())->readablePixels(pitch), nullptr) << name;
            EXPECT_FALSE(GetSprite("base.tga", name.c_str(), true)->hasAlphaPlane()) << name;
        });
    }
}

TEST_F(ImageHostileInput, RandomBytesWithAndWithoutPlausibleHeaders) {
    write("base.tga", tgaFile(1, 1, 24, true, {1, 2, 3}));
    std::mt19937 random(20261208);
    const std::vector<std::pair<std::string, std::string>> kinds = {{"r.tga", ""},
                                                                    {"r.jpg", "\xFF\xD8\xFF\xC0"},
                                                                    {"r.bmp", "BM"},
                                                                    {"r.avi", "RIFF\x80\0\0\0AVI LIST"},
                                                                    {"r.tva", std::string("\0\0\2\0", 4)},
                                                                    {"s.jpg", ""}};
    // Each load gives either a picture within the size limits or an empty
    // one with a message naming the file; never a silent failure.
    for (const auto& [name, prefix] : kinds) {
        for (int round = 0; round < 100; ++round) {
            std::string bytes = prefix;
            const int length = int(random() % 400);
            for (int i = 0; i < length; ++i) bytes += char(random() & 0xFF);
            write(name, bytes);
            std::int64_t width = 0, height = 0;
            const std::string said = messagesDuring([&] {
                const Sprite* picture = GetSprite(name.c_str(), "", true);
                width = picture->width();
                height = picture->height();
                loadEveryWay(name);
            });
            if (width == 0) {
                EXPECT_NE(said.find(name), std::string::npos) << name << " round " << round;
            } else {
                EXPECT_LE(width * height, maxImagePixels) << name;
            }
        }
    }
}

}  // namespace
