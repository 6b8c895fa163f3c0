// The executable's own pictures and icon, from its resources.
#pragma once

#include <windows.h>

namespace pelmora::win32 {

// Decodes one of the GIF pictures stored as RCDATA (the IDR_ ids of
// resource_ids.h) into a bitmap of the picture's own size, ready to be selected
// into a memory DC and drawn unscaled with BitBlt. GDI+ is loaded by name and
// started for this decoding only. nullptr when the resource is missing or
// cannot be decoded. The caller owns the bitmap (DeleteObject).
HBITMAP decodePictureResource(int id);

// The program icon at size x size pixels, from the frame that fits best. The
// caller owns it (DestroyIcon). nullptr when it cannot be loaded.
HICON loadProgramIcon(int size);

// Draws the whole bitmap unscaled with its top-left corner at x, y.
void drawBitmap(HDC dc, HBITMAP bitmap, int x, int y);

// The windows' text font: 9 points, a face with the Chinese characters. The
// caller owns it (DeleteObject).
HFONT createTextFont();

}  // namespace pelmora::win32
