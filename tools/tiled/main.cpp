// veloria-tiled: levels in the Tiled map editor.
//   veloria-tiled tileset GAMEDIR [OUTDIR]
//   veloria-tiled export [--encoding csv|base64|zlib|gzip] [--tilesets DIR] [--marks] LEVEL MAP
//   veloria-tiled import MAP.tmx LEVEL.txt
//   veloria-tiled new arena|small|large [--tilesets DIR] MAP.tmx
// Exit status: 0 done, 1 a problem (each reported on stderr as file:line: ...), 2 usage.
#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tilesets.h"
#include "tmx.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: veloria-tiled tileset GAMEDIR [OUTDIR]      (OUTDIR defaults to "
                 "GAMEDIR/tiled)\n"
                 "       veloria-tiled export [--encoding csv|base64|zlib|gzip] [--tilesets DIR] "
                 "[--marks] LEVEL.txt MAP.tmx\n"
                 "       veloria-tiled import MAP.tmx LEVEL.txt\n"
                 "       veloria-tiled new arena|small|large [--tilesets DIR] MAP.tmx\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace veloria::tiled;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string command = args[0];
    args.erase(args.begin());

    if (command == "tileset") {
        if (args.empty() || args.size() > 2) return Usage();
        const std::string out =
            args.size() == 2 ? args[1] : (std::filesystem::path(args[0]) / "tiled").string();
        const bool ok = WriteTilesets(args[0], out);
        if (ok) std::printf("wrote veloria.tsx, anims.tsx, events.tsx into %s\n", out.c_str());
        SDL_Quit();
        return ok ? 0 : 1;
    }
    if (command == "export" || command == "new") {
        Encoding encoding = Encoding::Csv;
        std::string tilesets;
        bool marks = false;
        std::vector<std::string> files;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--encoding" && i + 1 < args.size()) {
                if (!ParseEncoding(args[++i], encoding)) return Usage();
            } else if (args[i] == "--marks" && command == "export") {
                marks = true;
            } else if (args[i] == "--tilesets" && i + 1 < args.size()) {
                tilesets = args[++i];
            } else {
                files.push_back(args[i]);
            }
        }
        if (files.size() != 2) return Usage();
        if (tilesets.empty()) {
            tilesets = std::filesystem::absolute(files[1]).parent_path().string();
        }
        Problems problems;
        bool ok = false;
        if (command == "new") {
            const LevelShape* shape = files[0] == "arena"   ? ShapeOfSize(10, 8)
                                      : files[0] == "small" ? ShapeOfSize(16, 12)
                                      : files[0] == "large" ? ShapeOfSize(32, 18)
                                                            : nullptr;
            if (!shape) return Usage();
            ok = NewMap(*shape, files[1], tilesets, problems);
        } else {
            ok = ExportLevel(files[0], files[1], tilesets, encoding, problems, marks);
        }
        PrintProblems(problems);
        return ok ? 0 : 1;
    }
    if (command == "import") {
        if (args.size() != 2) return Usage();
        Problems problems;
        const bool ok = ImportLevelFile(args[0], args[1], problems);
        PrintProblems(problems);
        if (!ok) std::fprintf(stderr, "veloria-tiled: %s not written\n", args[1].c_str());
        return ok ? 0 : 1;
    }
    return Usage();
}
