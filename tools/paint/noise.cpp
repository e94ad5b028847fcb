#include <cstdint>

#include "paint.h"

namespace veloria::paint {

uint32_t HashPair(uint32_t a, uint32_t b, uint32_t seed) {
    uint32_t h = a * 0x27d4eb2dU ^ (b + 0x9e3779b9U + (seed << 6) + (seed >> 2));
    h ^= h >> 15;
    h *= 0x85ebca6bU;
    h ^= h >> 13;
    h *= 0xc2b2ae35U;
    h ^= h >> 16;
    return h;
}

uint32_t HashCell(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

float ValueNoise(float x, float y, uint32_t seed) {
    return LatticeNoise(x, y, [seed](int ix, int iy) {
        return Unit(HashPair(static_cast<uint32_t>(ix), static_cast<uint32_t>(iy), seed));
    });
}

float Fbm(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

float TiledNoise(float x, float y, int period, uint32_t seed) {
    return LatticeNoise(x, y, [period, seed](int ix, int iy) {
        return Unit(
            HashCell(((ix % period) + period) % period, ((iy % period) + period) % period, seed));
    });
}

float TiledFbm(float x, float y, int size, int octaves, uint32_t seed) {
    float sum = 0, amp = 1, total = 0;
    for (int o = 0; o < octaves && size >= 1; ++o) {
        const int period = 64 / size;
        sum +=
            TiledNoise(x / float(size), y / float(size), period, seed + uint32_t(o) * 977u) * amp;
        total += amp;
        amp *= 0.5f;
        size /= 2;
    }
    return sum / total;
}

}  // namespace veloria::paint
