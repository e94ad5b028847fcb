#include "platform/sdl/sdl_shell.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/content_files.h"

namespace veloria {

namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~' || c == '/';
}

}  // namespace

SdlShell::SdlShell(const char* contentRoot) {
    if (contentRoot && std::strlen(contentRoot) < sizeof(contentRoot_))
        std::memcpy(contentRoot_, contentRoot, std::strlen(contentRoot) + 1);
}

bool SdlShell::FileUrl(const char* root, const char* relativePath, char* url, int32_t size) {
    char named[kContentPathSize];
    if (!ContentPath(root, relativePath, named, sizeof(named))) return false;
    char path[kContentPathSize + 2048];
    if (named[0] == '/') {
        if (std::snprintf(path, sizeof(path), "%s", named) >= int(sizeof(path))) return false;
    } else {
        char cwd[2048];
        if (!getcwd(cwd, sizeof(cwd))) return false;
        if (std::snprintf(path, sizeof(path), "%s/%s", cwd, named) >= int(sizeof(path)))
            return false;
    }
    static const char kHex[] = "0123456789ABCDEF";
    int32_t n = std::snprintf(url, size, "file://");
    if (n < 0 || n >= size) return false;
    for (const char* p = path; *p != '\0'; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        int32_t need = Unreserved(c) ? 1 : 3;
        if (n + need >= size) return false;
        if (need == 1) {
            url[n++] = static_cast<char>(c);
        } else {
            url[n++] = '%';
            url[n++] = kHex[c >> 4];
            url[n++] = kHex[c & 15];
        }
    }
    url[n] = '\0';
    return true;
}

void SdlShell::OpenFile(const char* relativePath) {
    char url[3 * (kContentPathSize + 2048) + 8];
    if (!FileUrl(contentRoot_, relativePath, url, sizeof(url))) {
        std::fprintf(stderr, "veloria: path too long to open: %s\n", relativePath);
        return;
    }
    if (SDL_OpenURL(url) != 0)
        std::fprintf(stderr, "veloria: cannot open %s: %s\n", url, SDL_GetError());
}

void SdlShell::MessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, window_) != 0)
        std::fprintf(stderr, "veloria: no message box (%s)\n", SDL_GetError());
}

}  // namespace veloria
