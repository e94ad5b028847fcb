// Pixel digests of 1024 x 768 frames written by veloria-play, to prove that a change to the
// display leaves every pixel as it was. A digest is one 64-bit hash per band of 16 rows, so a
// difference names the rows it lies in.
//   frame_digest DIR NAME.png...            print "NAME BAND HASH" lines
//   frame_digest --check REFERENCE DIR      compare DIR's frames with a printed reference
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kBandRows = 16;
constexpr int kBands = kHeight / kBandRows;

// Hashes the opaque colour of each pixel (the alpha of a presented frame is not shown).
bool Digest(const std::string& file, std::vector<uint64_t>* bands) {
    SDL_Surface* loaded = IMG_Load(file.c_str());
    if (loaded == nullptr) {
        std::fprintf(stderr, "frame_digest: cannot read %s: %s\n", file.c_str(), IMG_GetError());
        return false;
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (s == nullptr || s->w != kWidth || s->h != kHeight) {
        std::fprintf(stderr, "frame_digest: %s is not a %d x %d frame\n", file.c_str(), kWidth,
                     kHeight);
        if (s != nullptr) SDL_FreeSurface(s);
        return false;
    }
    bands->assign(kBands, 0);
    for (int b = 0; b < kBands; ++b) {
        uint64_t h = 1469598103934665603ull;
        for (int y = b * kBandRows; y < (b + 1) * kBandRows; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(s->pixels) + y * s->pitch);
            for (int x = 0; x < kWidth; ++x) {
                h ^= row[x] & 0x00FFFFFFu;
                h *= 1099511628211ull;
            }
        }
        (*bands)[b] = h;
    }
    SDL_FreeSurface(s);
    return true;
}

int Print(const std::string& dir, int count, char** names) {
    for (int i = 0; i < count; ++i) {
        std::vector<uint64_t> bands;
        if (!Digest(dir + "/" + names[i], &bands)) return 1;
        for (int b = 0; b < kBands; ++b)
            std::printf("%s %d %016" PRIx64 "\n", names[i], b, bands[b]);
    }
    return 0;
}

int Check(const char* reference, const std::string& dir) {
    FILE* f = std::fopen(reference, "r");
    if (f == nullptr) {
        std::fprintf(stderr, "frame_digest: cannot read %s\n", reference);
        return 1;
    }
    char name[256];
    int band = 0;
    uint64_t wanted = 0;
    std::string current;
    std::vector<uint64_t> bands;
    int frames = 0, differing = 0;
    bool readable = true;
    while (std::fscanf(f, "%255s %d %" SCNx64, name, &band, &wanted) == 3) {
        if (current != name) {
            current = name;
            ++frames;
            readable = Digest(dir + "/" + name, &bands);
            if (!readable) ++differing;
        }
        if (!readable || band < 0 || band >= kBands) continue;
        if (bands[band] != wanted) {
            std::fprintf(stderr, "%s: rows %d..%d differ from the reference\n", name,
                         band * kBandRows, band * kBandRows + kBandRows - 1);
            ++differing;
        }
    }
    std::fclose(f);
    if (frames == 0) {
        std::fprintf(stderr, "frame_digest: %s holds no digests\n", reference);
        return 1;
    }
    std::printf("%d frames compared, %d differences\n", frames, differing);
    return differing == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--check") == 0) return Check(argv[2], argv[3]);
    if (argc >= 3 && argv[1][0] != '-') return Print(argv[1], argc - 2, argv + 2);
    std::fprintf(stderr,
                 "usage: frame_digest DIR NAME.png...\n       frame_digest --check REFERENCE "
                 "DIR\n");
    return 2;
}
