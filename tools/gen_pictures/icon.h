#pragma once
// The desktop icon: a silver sword with a golden guard on a night-blue tile, painted at each
// size rather than scaled, so the 16-pixel menu icon stays as sharp as the 256-pixel one.
#include <string>

namespace veloria::media {

constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Writes DIR/hicolor/NxN/apps/veloria.png for every size; false when a file could not be written.
bool WriteIcons(const std::string& dir);

}  // namespace veloria::media
