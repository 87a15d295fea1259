// Our drawing operations beside the closest SDL2 software operation on the
// same pixels, and beside memcpy of the same bytes, in one run. The ratios
// at the end say how far each operation is from what SDL would cost us and
// from the memory traffic it cannot avoid.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"

namespace {

constexpr int screenWidth = 800, screenHeight = 600;
constexpr int spriteSize = 256;
constexpr int glyphWidth = 16, glyphHeight = 24, glyphCount = 32;

// A deterministic pattern of colours and alpha values, the same for our
// sprites and SDL's surfaces.
std::uint16_t patternPixel(int x, int y) { return std::uint16_t((x * 37 + y * 101) * 2654435761u >> 16) | 0x0821; }
std::uint8_t patternAlpha(int x, int y) { return std::uint8_t((x * 13 + y * 7) & 255); }

struct Scene {
    Sprite backBuffer;
    Sprite alphaSprite;  // pattern with an alpha plane
    Sprite keyedSprite;  // pattern with black holes, colour-keyed
    Sprite plainSprite;  // pattern, no alpha plane
    SDL_Surface* sdlScreen = nullptr;      // RGB565
    SDL_Surface* sdlArgb = nullptr;        // ARGB8888 with per-pixel alpha
    SDL_Surface* sdlKeyed = nullptr;       // RGB565, colour key 0
    SDL_Surface* sdlAdd = nullptr;         // RGB565, additive
    SDL_Surface* sdlScaleSource = nullptr; // RGB565
    SDL_Surface* sdlFillColour = nullptr;  // RGB565 screen-sized, alpha-modulated
    SDL_Surface* sdlBlack = nullptr;       // RGB565 screen-sized black, alpha-modulated
    Font font;                          // 32 glyphs of 16 x 24 in one strip, with alpha
    SDL_Surface* sdlGlyphs = nullptr;   // the same strip as ARGB8888
    std::vector<std::uint32_t> argbFrame;
    std::vector<std::uint8_t> copyFrom, copyTo;

    Scene() {
        setCurrentPixelFormat(pixelFormatTable[0]);
        backBuffer.createPixels(screenWidth, screenHeight);
        for (Sprite* s : {&alphaSprite, &keyedSprite, &plainSprite}) {
            s->createPixels(spriteSize, spriteSize);
            s->Lock();
            for (int y = 0; y < spriteSize; ++y) {
                auto* row = reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(s->pixels()) + y * s->pitch());
                for (int x = 0; x < spriteSize; ++x)
                    row[x] = (s == &keyedSprite && ((x >> 3) + (y >> 3)) % 3 == 0) ? 0 : patternPixel(x, y);
            }
            s->Unlock();
        }
        keyedSprite.bMask = true;
        alphaSprite.createAlphaPlane();
        for (int y = 0; y < spriteSize; ++y)
            for (int x = 0; x < spriteSize; ++x) alphaSprite.alphaPlane()[y * spriteSize + x] = patternAlpha(x, y);

        sdlScreen = SDL_CreateRGBSurfaceWithFormat(0, screenWidth, screenHeight, 16, SDL_PIXELFORMAT_RGB565);
        sdlArgb = SDL_CreateRGBSurfaceWithFormat(0, spriteSize, spriteSize, 32, SDL_PIXELFORMAT_ARGB8888);
        sdlKeyed = SDL_CreateRGBSurfaceWithFormat(0, spriteSize, spriteSize, 16, SDL_PIXELFORMAT_RGB565);
        sdlAdd = SDL_CreateRGBSurfaceWithFormat(0, spriteSize, spriteSize, 16, SDL_PIXELFORMAT_RGB565);
        sdlScaleSource = SDL_CreateRGBSurfaceWithFormat(0, spriteSize, spriteSize, 16, SDL_PIXELFORMAT_RGB565);
        sdlFillColour = SDL_CreateRGBSurfaceWithFormat(0, screenWidth, screenHeight, 16, SDL_PIXELFORMAT_RGB565);
        sdlBlack = SDL_CreateRGBSurfaceWithFormat(0, screenWidth, screenHeight, 16, SDL_PIXELFORMAT_RGB565);
        for (int y = 0; y < spriteSize; ++y) {
            for (int x = 0; x < spriteSize; ++x) {
                const std::uint16_t p = patternPixel(x, y);
                const std::uint32_t r = (p >> 11) << 3, g = ((p >> 5) & 63) << 2, b = (p & 31) << 3;
                pixelAt32(sdlArgb, x, y) = (std::uint32_t(patternAlpha(x, y)) << 24) | (r << 16) | (g << 8) | b;
                pixelAt16(sdlKeyed, x, y) = ((x >> 3) + (y >> 3)) % 3 == 0 ? 0 : p;
                pixelAt16(sdlAdd, x, y) = p;
                pixelAt16(sdlScaleSource, x, y) = p;
            }
        }
        SDL_SetSurfaceBlendMode(sdlArgb, SDL_BLENDMODE_BLEND);
        SDL_SetColorKey(sdlKeyed, SDL_TRUE, 0);
        SDL_SetSurfaceBlendMode(sdlAdd, SDL_BLENDMODE_ADD);
        SDL_SetSurfaceBlendMode(sdlScaleSource, SDL_BLENDMODE_NONE);
        SDL_FillRect(sdlFillColour, nullptr, 0xFC08);
        SDL_SetSurfaceBlendMode(sdlFillColour, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(sdlFillColour, 0x80);
        SDL_FillRect(sdlBlack, nullptr, 0);
        SDL_SetSurfaceBlendMode(sdlBlack, SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(sdlBlack, 100);
        font.createPixels(glyphWidth * glyphCount, glyphHeight);
        font.createAlphaPlane();
        font.Lock();
        sdlGlyphs = SDL_CreateRGBSurfaceWithFormat(0, glyphWidth * glyphCount, glyphHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        for (int y = 0; y < glyphHeight; ++y)
            for (int x = 0; x < glyphWidth * glyphCount; ++x) {
                const std::uint16_t p = patternPixel(x, y);
                // Glyph-like coverage: mostly empty or solid, soft at the edges.
                const std::uint8_t a = std::uint8_t(((x % glyphWidth) * 17 + y * 11) % 5 == 0 ? 128 : ((x + y) & 4) ? 255 : 0);
                reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(font.pixels()) + y * font.pitch())[x] = p;
                font.alphaPlane()[y * glyphWidth * glyphCount + x] = a;
                const std::uint32_t r = (p >> 11) << 3, g = ((p >> 5) & 63) << 2, b = (p & 31) << 3;
                pixelAt32(sdlGlyphs, x, y) = (std::uint32_t(a) << 24) | (r << 16) | (g << 8) | b;
            }
        font.Unlock();
        font.lineHeight = glyphHeight;
        font.variantCount = 1;
        font.spaceAdvance = glyphHeight / 2;
        for (int i = 0; i < glyphCount; ++i) {
            GlyphMetrics& g = font.glyphs['A' + i];
            g.x = std::int16_t(i * glyphWidth);
            g.y = 0;
            g.before = 0;
            g.width = glyphWidth;
            g.after = 1;
        }
        SDL_SetSurfaceBlendMode(sdlGlyphs, SDL_BLENDMODE_BLEND);
        argbFrame.resize(std::size_t(screenWidth) * screenHeight);
        copyFrom.resize(std::size_t(screenWidth) * screenHeight * 4, 1);
        copyTo.resize(copyFrom.size());
    }
    static std::uint16_t& pixelAt16(SDL_Surface* s, int x, int y) {
        return reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch)[x];
    }
    static std::uint32_t& pixelAt32(SDL_Surface* s, int x, int y) {
        return reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) + y * s->pitch)[x];
    }
};

Scene& scene() {
    static Scene s;
    return s;
}

void copyBytes(benchmark::State& state, std::size_t bytes) {
    Scene& s = scene();
    for (auto _ : state) {
        std::memcpy(s.copyTo.data(), s.copyFrom.data(), bytes);
        benchmark::ClobberMemory();
    }
}

constexpr std::size_t screenBytes = std::size_t(screenWidth) * screenHeight * 2;
constexpr std::size_t spriteBytes = std::size_t(spriteSize) * spriteSize * 2;
SDL_Rect spriteRect{100, 80, spriteSize, spriteSize};

// Opaque fill of the whole frame.
void fillOpaqueOurs(benchmark::State& st) {
    for (auto _ : st) scene().backBuffer.FillRect(0, 0, screenWidth, screenHeight, 0xFF204060);
}
void fillOpaqueSdl(benchmark::State& st) {
    for (auto _ : st) SDL_FillRect(scene().sdlScreen, nullptr, 0x220C);
}
void fillOpaqueMemcpy(benchmark::State& st) { copyBytes(st, screenBytes); }

// Translucent fill: SDL has no blended fill of a surface, so its nearest is
// the blit of a one-colour surface with an alpha modulation.
void fillTranslucentOurs(benchmark::State& st) {
    for (auto _ : st) scene().backBuffer.FillRect(0, 0, screenWidth, screenHeight, 0x80FF8040);
}
void fillTranslucentSdl(benchmark::State& st) {
    for (auto _ : st) SDL_BlitSurface(scene().sdlFillColour, nullptr, scene().sdlScreen, nullptr);
}
void fillTranslucentMemcpy(benchmark::State& st) { copyBytes(st, screenBytes); }

void darkenOurs(benchmark::State& st) {
    for (auto _ : st) scene().backBuffer.Darken(0, 0, screenWidth, screenHeight, 100);
}
void darkenSdl(benchmark::State& st) {
    for (auto _ : st) SDL_BlitSurface(scene().sdlBlack, nullptr, scene().sdlScreen, nullptr);
}
void darkenMemcpy(benchmark::State& st) { copyBytes(st, screenBytes); }

void alphaOurs(benchmark::State& st) {
    for (auto _ : st) scene().backBuffer.Blit(100, 80, scene().alphaSprite, BLEND_NORMAL, 0);
}
void alphaSdl(benchmark::State& st) {
    for (auto _ : st) {
        SDL_Rect r = spriteRect;
        SDL_BlitSurface(scene().sdlArgb, nullptr, scene().sdlScreen, &r);
    }
}
void alphaMemcpy(benchmark::State& st) { copyBytes(st, spriteBytes); }

void additiveOurs(benchmark::State& st) {
    for (auto _ : st) scene().backBuffer.Blit(100, 80, scene().plainSprite, BLEND_ADD, 0);
}
void additiveSdl(benchmark::State& st) {
    for (auto _ : st) {
        SDL_Rect r = spriteRect;
        SDL_BlitSurface(scene().sdlAdd, nullptr, scene().sdlScreen, &r);
    }
}
void additiveMemcpy(benchmark::State& st) { copyBytes(st, spriteBytes); }

void keyedOurs(benchmark::State& st) {
    for (auto _ : st) scene().backBuffer.Blit(100, 80, scene().keyedSprite, BLEND_NORMAL, 0);
}
void keyedSdl(benchmark::State& st) {
    for (auto _ : st) {
        SDL_Rect r = spriteRect;
        SDL_BlitSurface(scene().sdlKeyed, nullptr, scene().sdlScreen, &r);
    }
}
void keyedMemcpy(benchmark::State& st) { copyBytes(st, spriteBytes); }

void scaled2xOurs(benchmark::State& st) {
    for (auto _ : st)
        scene().backBuffer.BlitScaled(10, 10, 2 * spriteSize, 2 * spriteSize, scene().plainSprite, 0, 0, spriteSize,
                                      spriteSize, 0, 0);
}
void scaled2xSdl(benchmark::State& st) {
    for (auto _ : st) {
        SDL_Rect r{10, 10, 2 * spriteSize, 2 * spriteSize};
        SDL_BlitScaled(scene().sdlScaleSource, nullptr, scene().sdlScreen, &r);
    }
}
void scaled2xMemcpy(benchmark::State& st) { copyBytes(st, spriteBytes * 4); }

// The conversion a present needs when the texture is 32-bit.
void presentOurs(benchmark::State& st) {
    Scene& s = scene();
    s.backBuffer.Unlock();
    int pitch = 0;
    const std::uint16_t* pixels = s.backBuffer.readablePixels(pitch);
    for (auto _ : st) {
        convertToArgb8888(pixels, pitch, s.argbFrame.data(), screenWidth * 4, screenWidth, screenHeight,
                          pixelFormatTable[0]);
        benchmark::ClobberMemory();
    }
}
void presentSdl(benchmark::State& st) {
    Scene& s = scene();
    for (auto _ : st) {
        SDL_ConvertPixels(screenWidth, screenHeight, SDL_PIXELFORMAT_RGB565, s.sdlScreen->pixels, s.sdlScreen->pitch,
                          SDL_PIXELFORMAT_ARGB8888, s.argbFrame.data(), screenWidth * 4);
        benchmark::ClobberMemory();
    }
}
// One line of 32 glyphs: each glyph is a part blit through the alpha path.
const char* const textLine = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`";
void textOurs(benchmark::State& st) {
    for (auto _ : st) DrawText(scene().backBuffer, &scene().font, 40, 300, textLine, 0, -1, -1);
}
void textSdl(benchmark::State& st) {
    for (auto _ : st) {
        int x = 40;
        for (int i = 0; i < glyphCount; ++i) {
            SDL_Rect from{i * glyphWidth, 0, glyphWidth, glyphHeight};
            SDL_Rect to{x, 300, glyphWidth, glyphHeight};
            SDL_BlitSurface(scene().sdlGlyphs, &from, scene().sdlScreen, &to);
            x += glyphWidth + 1;
        }
    }
}
void textMemcpy(benchmark::State& st) { copyBytes(st, std::size_t(glyphWidth) * glyphHeight * glyphCount * 2); }

void presentMemcpy(benchmark::State& st) { copyBytes(st, std::size_t(screenWidth) * screenHeight * 4); }

struct Trio {
    const char* name;
    void (*ours)(benchmark::State&);
    void (*sdl)(benchmark::State&);
    void (*copy)(benchmark::State&);
};

const Trio trios[] = {
    {"fill_opaque_800x600", fillOpaqueOurs, fillOpaqueSdl, fillOpaqueMemcpy},
    {"fill_translucent_800x600", fillTranslucentOurs, fillTranslucentSdl, fillTranslucentMemcpy},
    {"darken_800x600", darkenOurs, darkenSdl, darkenMemcpy},
    {"alpha_blit_256", alphaOurs, alphaSdl, alphaMemcpy},
    {"additive_blit_256", additiveOurs, additiveSdl, additiveMemcpy},
    {"keyed_blit_256", keyedOurs, keyedSdl, keyedMemcpy},
    {"scaled_2x_256_to_512", scaled2xOurs, scaled2xSdl, scaled2xMemcpy},
    {"draw_text_32_glyphs", textOurs, textSdl, textMemcpy},
    {"present_convert_800x600", presentOurs, presentSdl, presentMemcpy},
};

// Keeps the mean real time per iteration of every run as it is reported.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                nanoseconds[run.benchmark_name()] = run.real_accumulated_time * 1e9 / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    for (const Trio& t : trios) {
        benchmark::RegisterBenchmark((std::string(t.name) + "/ours").c_str(), t.ours);
        benchmark::RegisterBenchmark((std::string(t.name) + "/sdl").c_str(), t.sdl);
        benchmark::RegisterBenchmark((std::string(t.name) + "/memcpy").c_str(), t.copy);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-28s %12s %12s %12s %10s %12s\n", "operation", "ours ns", "SDL ns", "memcpy ns", "ours/SDL",
                "ours/memcpy");
    for (const Trio& t : trios) {
        const std::string base = t.name;
        auto time = [&](const char* which) {
            auto it = reporter.nanoseconds.find(base + "/" + which);
            return it == reporter.nanoseconds.end() ? 0.0 : it->second;
        };
        const double ours = time("ours"), sdl = time("sdl"), copy = time("memcpy");
        if (ours <= 0) continue;
        std::printf("%-28s %12.0f %12.0f %12.0f %10.2f %12.2f\n", t.name, ours, sdl, copy, sdl > 0 ? ours / sdl : 0.0,
                    copy > 0 ? ours / copy : 0.0);
    }
    benchmark::Shutdown();
    return 0;
}
