// veloria-check: reads a whole content directory as the game reads it and reports every problem
// with its file and line. Exit status 0 when clean, 1 on any problem, 2 for a bad command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "lib/content_check.h"

namespace {

int Usage(const char* why) {
    std::fprintf(stderr, "veloria-check: %s\nusage: veloria-check [--no-media] DIR\n", why);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    veloria::check::CheckOptions options;
    options.out = stderr;  // beside the loaders' own warnings, in the order they are found
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-media") == 0) {
            options.media = false;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage("checks a game directory's content");
            return 0;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return Usage((std::string("unknown option ") + argv[i]).c_str());
        } else if (!dir.empty()) {
            return Usage("one directory only");
        } else {
            dir = argv[i];
        }
    }
    if (dir.empty()) return Usage("no directory given");
    veloria::check::CheckResult result = veloria::check::CheckContent(dir, options);
    std::printf(
        "veloria-check: %d problem%s (%zu found by the checks, %d loader warning%s) in %s\n",
        result.Total(), result.Total() == 1 ? "" : "s", result.problems.size(),
        result.loaderWarnings, result.loaderWarnings == 1 ? "" : "s", dir.c_str());
    return result.Total() == 0 ? 0 : 1;
}
