// Picture re-encoding and the desktop wallpaper.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

class Imaging {
public:
    virtual ~Imaging() = default;
    // The complete bytes of a picture file to the complete bytes of a BMP file;
    // empty on any failure, allocation failures included.
    virtual Text transcodeToBmp(const Text& bytes) = 0;
    // A style outside 0..2 counts as 0. True when set and recorded for the user.
    virtual bool setDesktopWallpaper(const Text& path, std::int32_t style) = 0;
};

}  // namespace pelmora
