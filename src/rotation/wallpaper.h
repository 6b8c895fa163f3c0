// Making a catalogue picture the desktop wallpaper.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

struct Globals;

extern const char* const kWallpaperFileName;  // "\桌面背景文件.bmp"

// Copies or re-encodes the picture at index into the wallpaper file, sets the
// wallpaper and stores the position. An index outside the catalogue does nothing.
void applyWallpaper(Globals& g, std::int32_t index);

Text readWholeFile(Globals& g, const Text& path);
bool writeWholeFile(Globals& g, const Text& path, const Text& bytes);

}  // namespace pelmora
