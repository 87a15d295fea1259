#include "paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

Rgb lerp(Rgb x, Rgb y, float t) { return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t}; }

Rgb hexColour(std::uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f};
}

Rgb hsv(float hue, float saturation, float value) {
    hue -= std::floor(hue);
    const float h = hue * 6.0f;
    const int sector = static_cast<int>(h) % 6;
    const float f = h - std::floor(h);
    const float p = value * (1 - saturation);
    const float q = value * (1 - saturation * f);
    const float t = value * (1 - saturation * (1 - f));
    switch (sector) {
        case 0: return {value, t, p};
        case 1: return {q, value, p};
        case 2: return {p, value, t};
        case 3: return {p, q, value};
        case 4: return {t, p, value};
        default: return {value, p, q};
    }
}

float luminance(Rgb c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

Rgb greyOf(Rgb c) {
    const float l = luminance(c);
    return {l, l, l};
}

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

std::uint32_t packArgb(Rgba c) {
    auto byte = [](float v) { return static_cast<std::uint32_t>(std::lround(clamp01(v) * 255.0f)); };
    const std::uint32_t a = byte(c.a);
    if (a == 0) return 0;
    return (a << 24) | (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

Rgba unpackArgb(std::uint32_t argb) {
    return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
            (argb >> 24) / 255.0f};
}

Image renderShader(int width, int height, int samples, const Shader& shader) {
    Image out(width, height);
    const float step = 1.0f / samples;
    const float weight = 1.0f / (samples * samples);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgba c = shader(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step);
                    const float ca = clamp01(c.a);
                    r += c.r * ca;
                    g += c.g * ca;
                    b += c.b * ca;
                    a += ca;
                }
            }
            if (a <= 0) continue;
            out.at(x, y) = packArgb({r / a, g / a, b / a, a * weight});
        }
    }
    return out;
}

namespace {

int frameRows(const Image& image) { return image.frameHeight(); }

}  // namespace

void drawOver(Image& dst, const Image& src, int dx, int dy, float opacity, int srcFrame, int dstFrame) {
    const int sh = frameRows(src);
    const int dh = frameRows(dst);
    for (int y = 0; y < sh; ++y) {
        const int ty = dy + y;
        if (ty < 0 || ty >= dh) continue;
        for (int x = 0; x < src.width; ++x) {
            const int tx = dx + x;
            if (tx < 0 || tx >= dst.width) continue;
            const Rgba s = unpackArgb(src.at(x, srcFrame * sh + y));
            const float sa = s.a * opacity;
            if (sa <= 0) continue;
            std::uint32_t& out = dst.at(tx, dstFrame * dh + ty);
            const Rgba d = unpackArgb(out);
            const float a = sa + d.a * (1 - sa);
            if (a <= 0) continue;
            auto mixc = [&](float sc, float dc) { return (sc * sa + dc * d.a * (1 - sa)) / a; };
            out = packArgb({mixc(s.r, d.r), mixc(s.g, d.g), mixc(s.b, d.b), a});
        }
    }
}

void drawAdd(Image& dst, const Image& src, int dx, int dy, int srcFrame, int dstFrame) {
    const int sh = frameRows(src);
    const int dh = frameRows(dst);
    for (int y = 0; y < sh; ++y) {
        const int ty = dy + y;
        if (ty < 0 || ty >= dh) continue;
        for (int x = 0; x < src.width; ++x) {
            const int tx = dx + x;
            if (tx < 0 || tx >= dst.width) continue;
            const std::uint32_t s = src.at(x, srcFrame * sh + y);
            std::uint32_t& d = dst.at(tx, dstFrame * dh + ty);
            std::uint32_t result = d & 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const std::uint32_t c = std::min<std::uint32_t>(255, ((s >> shift) & 0xFF) + ((d >> shift) & 0xFF));
                result |= c << shift;
            }
            d = result;
        }
    }
}

Image frameOf(const Image& strip, int frame) {
    const int h = strip.frameHeight();
    Image out(strip.width, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < strip.width; ++x) out.at(x, y) = strip.at(x, frame * h + y);
    return out;
}

Image blurred(const Image& image, float radius) {
    if (radius <= 0) return image;
    const int w = image.width, h = image.height;
    const int reach = static_cast<int>(std::ceil(radius * 2.5f));
    std::vector<float> kernel(2 * reach + 1);
    float sum = 0;
    for (int i = -reach; i <= reach; ++i) {
        kernel[i + reach] = std::exp(-(i * i) / (2 * radius * radius));
        sum += kernel[i + reach];
    }
    for (float& k : kernel) k /= sum;
    // Premultiplied planes.
    std::vector<float> planes[4];
    for (auto& p : planes) p.assign(static_cast<std::size_t>(w) * h, 0.0f);
    for (int i = 0; i < w * h; ++i) {
        const Rgba c = unpackArgb(image.pixels[i]);
        planes[0][i] = c.r * c.a;
        planes[1][i] = c.g * c.a;
        planes[2][i] = c.b * c.a;
        planes[3][i] = c.a;
    }
    std::vector<float> temp(static_cast<std::size_t>(w) * h);
    for (auto& p : planes) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float v = 0;
                for (int i = -reach; i <= reach; ++i) {
                    const int sx = x + i;
                    if (sx >= 0 && sx < w) v += p[y * w + sx] * kernel[i + reach];
                }
                temp[y * w + x] = v;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                float v = 0;
                for (int i = -reach; i <= reach; ++i) {
                    const int sy = y + i;
                    if (sy >= 0 && sy < h) v += temp[sy * w + x] * kernel[i + reach];
                }
                p[y * w + x] = v;
            }
    }
    Image out(w, h);
    out.frames = image.frames;
    for (int i = 0; i < w * h; ++i) {
        const float a = planes[3][i];
        if (a <= 1e-5f) continue;
        out.pixels[i] = packArgb({planes[0][i] / a, planes[1][i] / a, planes[2][i] / a, a});
    }
    return out;
}

Image shadowOf(const Image& image, float dx, float dy, float radius, Rgb colour, float opacity) {
    Image flat(image.width, image.height);
    // Moved by whole pixels plus a sub-pixel share of the neighbour.
    const int ix = static_cast<int>(std::floor(dx)), iy = static_cast<int>(std::floor(dy));
    const float fx = dx - ix, fy = dy - iy;
    auto alphaAt = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) return 0.0f;
        return (image.at(x, y) >> 24) / 255.0f;
    };
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const int sx = x - ix, sy = y - iy;
            const float a = alphaAt(sx, sy) * (1 - fx) * (1 - fy) + alphaAt(sx - 1, sy) * fx * (1 - fy) +
                            alphaAt(sx, sy - 1) * (1 - fx) * fy + alphaAt(sx - 1, sy - 1) * fx * fy;
            if (a > 0) flat.at(x, y) = packArgb(withAlpha(colour, a * opacity));
        }
    return blurred(flat, radius);
}

Image flattenedOnBlack(const Image& image) {
    Image out = image;
    for (auto& p : out.pixels) {
        const Rgba c = unpackArgb(p);
        p = packArgb({c.r * c.a, c.g * c.a, c.b * c.a, 1.0f});
    }
    return out;
}

bool becomesColourKey(std::uint32_t argb) {
    const std::uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return r < 8 && g < 8 && b < 8;
}

Image keyedOnBlack(const Image& image) {
    Image out = image;
    for (auto& p : out.pixels) {
        if ((p >> 24) < 128) {
            p = 0xFF000000u;
            continue;
        }
        p |= 0xFF000000u;
        if (becomesColourKey(p)) p = 0xFF000000u | (8u << 16) | (8u << 8) | 8u;
    }
    return out;
}

Image withBledColour(const Image& image, int reach, std::uint32_t backdrop) {
    Image out = image;
    const int w = image.width, h = image.height;
    std::vector<int> source(static_cast<std::size_t>(w) * h, -1);
    std::vector<int> frontier;
    for (int i = 0; i < w * h; ++i)
        if ((image.pixels[i] >> 24) != 0) {
            source[i] = i;
            frontier.push_back(i);
        }
    // Breadth-first growth: each empty pixel takes the colour of the first
    // covered pixel that reaches it.
    int steps = 0;
    while (!frontier.empty() && (reach < 0 || steps++ < reach)) {
        std::vector<int> next;
        for (int i : frontier) {
            const int x = i % w, y = i / w;
            const int around[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& d : around) {
                const int nx = x + d[0], ny = y + d[1];
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                const int j = ny * w + nx;
                if (source[j] >= 0) continue;
                source[j] = source[i];
                next.push_back(j);
            }
        }
        frontier.swap(next);
    }
    for (int i = 0; i < w * h; ++i) {
        if ((image.pixels[i] >> 24) != 0) continue;
        out.pixels[i] = source[i] < 0 ? (backdrop & 0x00FFFFFFu) : (image.pixels[source[i]] & 0x00FFFFFFu);
    }
    return out;
}

float hashNoise(int x, int y, std::uint32_t salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + salt;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0f;
}

float valueNoise(float x, float y, float cell, std::uint32_t salt) {
    const float gx = x / cell, gy = y / cell;
    const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
    const float fx = gx - ix, fy = gy - iy;
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = hashNoise(ix, iy, salt), b = hashNoise(ix + 1, iy, salt);
    const float c = hashNoise(ix, iy + 1, salt), d = hashNoise(ix + 1, iy + 1, salt);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
