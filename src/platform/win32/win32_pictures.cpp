#include "platform/win32/win32_pictures.h"

#include <objidl.h>

#include "platform/win32/gdiplus_flat.h"

#include <cstring>

#include "platform/win32/resource_ids.h"

namespace pelmora::win32 {

namespace {

using namespace flat;

struct GpBitmap;
constexpr DWORD kWhite = 0xFFFFFFFF;  // ARGB; the pictures are opaque, so it shows nowhere

using GdiplusShutdownFn = void(WINAPI*)(ULONG_PTR token);
using GdipCreateBitmapFromStreamFn = GpStatus(WINAPI*)(IStream* stream, GpBitmap** bitmap);
using GdipCreateHBITMAPFromBitmapFn = GpStatus(WINAPI*)(GpBitmap* bitmap, HBITMAP* result,
                                                        DWORD background);
using GdipDisposeImageFn = GpStatus(WINAPI*)(GpBitmap* image);

// One startup for one decoding. Startups are counted by GDI+, so this neither
// ends nor disturbs a session the wallpaper code keeps open.
class GdiplusSession {
public:
    explicit GdiplusSession(HMODULE gdiplus) : gdiplus_(gdiplus) {
        auto startup = procedure<GdiplusStartupFn>(gdiplus, "GdiplusStartup");
        const GdiplusStartupInput input{1, nullptr, FALSE, FALSE};
        started_ = startup != nullptr && startup(&token_, &input, nullptr) == kOk;
    }
    ~GdiplusSession() {
        if (!started_) return;
        if (auto shutdown = procedure<GdiplusShutdownFn>(gdiplus_, "GdiplusShutdown"))
            shutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return started_; }

private:
    HMODULE gdiplus_;
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// Must be gone before its session ends.
class Bitmap {
public:
    explicit Bitmap(HMODULE gdiplus) : gdiplus_(gdiplus) {}
    ~Bitmap() {
        if (bitmap_ == nullptr) return;
        if (auto dispose = procedure<GdipDisposeImageFn>(gdiplus_, "GdipDisposeImage"))
            dispose(bitmap_);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    GpBitmap* get() const { return bitmap_; }
    GpBitmap** out() { return &bitmap_; }

private:
    HMODULE gdiplus_;
    GpBitmap* bitmap_ = nullptr;
};

// A stream over a movable copy of the bytes; the stream frees the copy.
bool openStream(HMODULE ole32, const void* bytes, DWORD size, Stream& stream) {
    auto createStream = procedure<CreateStreamOnHGlobalFn>(ole32, "CreateStreamOnHGlobal");
    if (createStream == nullptr) return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return false;
    void* data = GlobalLock(block);
    if (data == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(data, bytes, size);
    GlobalUnlock(block);
    if (FAILED(createStream(block, TRUE, stream.out())) || stream.get() == nullptr) {
        GlobalFree(block);
        return false;
    }
    return true;
}

}  // namespace

HBITMAP decodePictureResource(int id) {
    const HMODULE self = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (found == nullptr) return nullptr;
    const DWORD size = SizeofResource(self, found);
    const HGLOBAL loaded = LoadResource(self, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) return nullptr;

    const HMODULE gdiplus = pinnedLibrary("gdiplus.dll");
    const HMODULE ole32 = pinnedLibrary("ole32.dll");
    if (gdiplus == nullptr || ole32 == nullptr) return nullptr;

    Stream stream;
    if (!openStream(ole32, bytes, size, stream)) return nullptr;
    GdiplusSession session(gdiplus);
    if (!session.started()) return nullptr;

    auto createBitmap =
        procedure<GdipCreateBitmapFromStreamFn>(gdiplus, "GdipCreateBitmapFromStream");
    auto createHbitmap =
        procedure<GdipCreateHBITMAPFromBitmapFn>(gdiplus, "GdipCreateHBITMAPFromBitmap");
    if (createBitmap == nullptr || createHbitmap == nullptr) return nullptr;
    Bitmap bitmap(gdiplus);
    if (createBitmap(stream.get(), bitmap.out()) != kOk || bitmap.get() == nullptr) return nullptr;
    HBITMAP result = nullptr;
    if (createHbitmap(bitmap.get(), &result, kWhite) != kOk) {
        if (result != nullptr) DeleteObject(result);
        return nullptr;
    }
    return result;
}

HICON loadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PELMORA),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void drawBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

HFONT createTextFont() {
    return CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "宋体");
}

}  // namespace pelmora::win32
