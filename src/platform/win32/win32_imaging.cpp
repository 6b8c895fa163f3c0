#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

Text Imaging::transcodeToBmp(const Text&) { return Text(); }

bool Imaging::setDesktopWallpaper(const Text&, std::int32_t) { return false; }

}  // namespace pelmora::win32
