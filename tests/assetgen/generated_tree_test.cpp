// The whole generated tree: every picture the board, effects, fonts, letters
// and cursors need is there with the frame count and size the game expects,
// the manifest tells the truth about it, and a fresh run makes the same
// bytes.

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "generators.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

struct Size {
    int width = 0, height = 0, bits = 0;
};

Size tgaSize(const std::vector<std::uint8_t>& b) {
    if (b.size() < 18) return {};
    return {b[12] | b[13] << 8, b[14] | b[15] << 8, b[16]};
}

Size jpegSize(const std::vector<std::uint8_t>& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    Size s;
    if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK)
        s = {static_cast<int>(info.image_width), static_cast<int>(info.image_height), info.num_components * 8};
    jpeg_destroy_decompress(&info);
    return s;
}

// The tree the build generated.
struct Tree {
    fs::path root;

    // manifest path -> the rest of its line
    std::map<std::string, std::string> manifest() const {
        std::map<std::string, std::string> lines;
        std::ifstream in(root / "manifest.txt");
        std::string kind, path, rest;
        while (in >> kind >> path) {
            std::getline(in, rest);
            lines[path] = kind + rest;
        }
        return lines;
    }
};

const Tree& generatedTree() {
    static const Tree tree{fs::path(SHARDFALL_DIST_DIR)};
    return tree;
}

struct Expected {
    std::string path;
    int frames;
    int frameWidth = 0, frameHeight = 0;  // 0: any
};

std::vector<Expected> expectedPictures() {
    std::vector<Expected> e = {
        {"data/field.tga", 1, 48, 48},        {"data/cell0.tga", 1, 48, 48},
        {"data/cell1.tga", 1, 48, 48},        {"data/cell_score.tga", 1, 48, 48},
        {"data/cell_wand.tga", 1, 48, 48},    {"data/locked0.tga", 1, 48, 48},
        {"data/locked1.tga", 1, 48, 48},      {"data/select.tga", 11, 48, 48},
        {"data/fx/teleport.tga", 6, 48, 48},  {"data/kests/raduga.tga", 20},
        {"data/fx/splash.tga", 8},            {"data/fx/chunk0.tga", 1},
        {"data/fx/chunk1.tga", 1},            {"data/fx/chunk2.tga", 1},
        {"data/fx/glow_green.tga", 5},        {"data/fx/glow_blue.tga", 5},
        {"data/fx/glow.tga", 1},              {"data/fx/cell0.tga", 1},
        {"data/fx/cell1.tga", 1},             {"data/fx/cell_score.tga", 1},
        {"data/fx/cell_wand.tga", 1},         {"data/fx/diamond_collector.jpg", 1},
        {"data/fx/diamond_collector_a.jpg", 1}, {"data/timebar_n.jpg", 1},
        {"data/custom_cursor.jpg", 1},        {"data/magic_wand.tga", 1},
    };
    for (int k = 0; k <= 8; ++k) {
        e.push_back({"data/kests/none/active" + std::to_string(k) + ".tga", 20});
        e.push_back({"data/kests/help/help" + std::to_string(k) + ".tga", 15});
    }
    for (int t = 0; t < 20; ++t) {
        char name[32];
        std::snprintf(name, sizeof name, "data/tiles/%02d.tga", t);
        e.push_back({name, 1, 48, 48});
    }
    for (int k = 0; k < 8; ++k) e.push_back({"data/fx/spark" + std::to_string(k) + ".tga", 6});
    for (int n = 1; n <= 4; ++n) {
        e.push_back({"data/fx/diamond_small" + std::to_string(n) + ".tga", 15});
        e.push_back({"data/fx/diamond_big" + std::to_string(n) + ".tga", 15});
    }
    for (int n : {1, 2, 4, 5, 6}) {
        e.push_back({"data/fx/konfeti_big" + std::to_string(n) + ".tga", 15});
        e.push_back({"data/fx/konfeti_small" + std::to_string(n) + ".tga", 15});
    }
    for (char c : std::string("abcdefghijklmnopqrstuvwxyz0123456789-!"))
        e.push_back({std::string("data/letters/") + c + ".tga", 1});
    return e;
}

int manifestFrames(const std::string& line) {
    const std::size_t at = line.find("frames=");
    return at == std::string::npos ? -1 : std::stoi(line.substr(at + 7));
}

void checkEveryPictureTheGameLoads(const Tree& tree) {
    const auto lines = tree.manifest();
    for (const Expected& e : expectedPictures()) {
        SCOPED_TRACE(e.path);
        const auto found = lines.find(e.path);
        ASSERT_NE(found, lines.end()) << "not in the manifest";
        EXPECT_EQ(manifestFrames(found->second), e.frames);
        const std::vector<std::uint8_t> bytes = readFile(tree.root / e.path);
        ASSERT_FALSE(bytes.empty());
        const bool jpeg = e.path.size() > 4 && e.path.substr(e.path.size() - 4) == ".jpg";
        const Size s = jpeg ? jpegSize(bytes) : tgaSize(bytes);
        ASSERT_GT(s.width, 0);
        ASSERT_EQ(s.height % e.frames, 0) << "frames of unequal height";
        if (e.frameWidth) {
            EXPECT_EQ(s.width, e.frameWidth);
        }
        if (e.frameHeight) {
            EXPECT_EQ(s.height / e.frames, e.frameHeight);
        }
        if (!jpeg) {
            EXPECT_TRUE(s.bits == 24 || s.bits == 32);
            const std::size_t expectedBytes = 18 + static_cast<std::size_t>(s.width) * s.height * s.bits / 8;
            EXPECT_EQ(bytes.size(), expectedBytes);
        }
    }
}

void checkBlackWhereTheKeyIsMeant(const Tree& tree) {
    for (const char* path : {"data/fx/teleport.tga", "data/fx/spark3.tga", "data/fx/glow.tga", "data/fx/cell_wand.tga"}) {
        const std::vector<std::uint8_t> b = readFile(tree.root / path);
        ASSERT_EQ(tgaSize(b).bits, 24) << path;
        EXPECT_EQ(b[18] | b[19] | b[20], 0) << path << " top-left pixel is not black";
    }
    // Inside a flying coating, and anywhere on the field cell (drawn without
    // alpha, so black would be see-through), nothing may turn into the key.
    for (const char* path : {"data/fx/cell0.tga", "data/field.tga"}) {
        const std::vector<std::uint8_t> b = readFile(tree.root / path);
        const Size s = tgaSize(b);
        const int margin = std::string(path) == "data/field.tga" ? 0 : 8;
        for (int y = margin; y < s.height - margin; ++y)
            for (int x = margin; x < s.width - margin; ++x) {
                const std::size_t at = 18 + (static_cast<std::size_t>(y) * s.width + x) * 3;
                EXPECT_FALSE(b[at] < 8 && b[at + 1] < 8 && b[at + 2] < 8) << path << " " << x << "," << y;
            }
    }
}

}  // namespace

TEST(GeneratedTree, HoldsEveryPictureTheGameLoads) {
    const Tree& tree = generatedTree();
    {
        SCOPED_TRACE("pictures and frames");
        checkEveryPictureTheGameLoads(tree);
    }
    {
        SCOPED_TRACE("colour key and additive pictures");
        checkBlackWhereTheKeyIsMeant(tree);
    }
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(tree.root)) files += entry.is_regular_file();
    EXPECT_GT(files, 150u);
}

// One fresh generation compared with the build's tree byte by byte, writing
// nothing: the generator is deterministic when nothing differs.
TEST(GeneratedTree, AFreshGenerationMakesTheSameBytes) {
#ifdef SHARDFALL_SANITIZER_BUILD
    GTEST_SKIP() << "the ordinary build checks determinism; here the build's own generation already ran the "
                    "generator under the sanitizers";
#endif
    // As the build runs it: the installation's files first (they add to the
    // contact sheet), then the data.
    AssetTree installFiles(SHARDFALL_INSTALL_FILES_DIR, AssetTree::Mode::CompareOnly);
    AssetTree fresh(SHARDFALL_DIST_DIR, AssetTree::Mode::CompareOnly);
    generateInstallFiles(installFiles, fresh);
    generateAll(fresh);
    generateTranslations(fresh, SHARDFALL_CATALOGUE_DIR);
    fresh.finish();
    EXPECT_EQ(fresh.failures() + installFiles.failures(), 0);
    // The template beside the build, and the one translators work from in
    // po/, hold every text the game shows now (make update-po renews it).
    const std::string expected = templateCatalogue(fresh.templateMessages());
    for (const char* path : {SHARDFALL_TEMPLATE_CATALOGUE, SHARDFALL_CATALOGUE_DIR "/shardfall.pot"}) {
        const std::vector<std::uint8_t> bytes = readFile(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected)
            << path << " is not the template of the texts the generator shows; run make update-po";
    }
    std::string differing;
    for (const std::string& path : fresh.changedPaths()) differing += " " + path;
    for (const std::string& path : installFiles.changedPaths()) differing += " install/" + path;
    EXPECT_EQ(differing, "") << "a fresh generation differs from the build's tree in" << differing;
}
