// Paints the game's full-screen pictures (art/bg/*.bmp) into the game directory given on the
// command line. With a second argument, paints only the pictures whose names contain it.
// "--icons DIR" paints the desktop icons instead (DIR/hicolor/NxN/apps/veloria.png).
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "icon.h"
#include "pictures.h"

int main(int argc, char** argv) {
    using namespace veloria::media;
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s GAME_DIR [NAME] | --icons DIR\n", argv[0]);
        return 2;
    }
    if (std::strcmp(argv[1], "--icons") == 0) {
        if (argc != 3) return 2;
        const bool ok = WriteIcons(argv[2]);
        SDL_Quit();
        return ok ? 0 : 1;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "art" / "bg";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    int failures = 0;
    for (const Picture& p : AllPictures()) {
        if (argc == 3 && std::strstr(p.file, argv[2]) == nullptr) continue;
        Canvas canvas;
        p.paint(canvas);
        if (!canvas.SaveBmp((dir / p.file).string())) {
            std::fprintf(stderr, "gen_pictures: cannot write art/bg/%s: %s\n", p.file,
                         SDL_GetError());
            ++failures;
        }
    }
    ShutdownFonts();
    SDL_Quit();
    return failures == 0 ? 0 : 1;
}
