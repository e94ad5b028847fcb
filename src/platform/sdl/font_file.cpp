#include "platform/sdl/font_file.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>

namespace veloria {

bool FindFontFile(const char* name, char* path, size_t size, int* index) {
    // A private configuration, destroyed after the one question: the shared default one keeps
    // allocations alive until exit.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return false;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    FcPattern* match = nullptr;
    if (pattern != nullptr) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        match = FcFontMatch(config, pattern, &result);
        FcPatternDestroy(pattern);
    }
    bool ok = false;
    if (match != nullptr) {
        FcChar8* file = nullptr;
        ok = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr &&
             std::strlen(reinterpret_cast<const char*>(file)) < size;
        if (ok) {
            std::snprintf(path, size, "%s", reinterpret_cast<const char*>(file));
            if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
        }
        FcPatternDestroy(match);
    }
    FcConfigDestroy(config);
    return ok;
}

}  // namespace veloria
