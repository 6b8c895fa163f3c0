#include <windows.h>
#include <objidl.h>

#include "platform/win32/gdiplus_flat.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

namespace {

using namespace flat;

struct GpImage;

using GdipCreateBitmapFromStreamFn = GpStatus(WINAPI*)(IStream* stream, GpImage** bitmap);
using GdipSaveImageToStreamFn = GpStatus(WINAPI*)(GpImage* image, IStream* stream,
                                                  const CLSID* encoder, const void* parameters);
using GdipDisposeImageFn = GpStatus(WINAPI*)(GpImage* image);

using CLSIDFromStringFn = HRESULT(WINAPI*)(LPCOLESTR text, CLSID* clsid);
using GetHGlobalFromStreamFn = HRESULT(WINAPI*)(IStream* stream, HGLOBAL* block);

const char kBmpEncoder[] = "{557CF400-1A04-11D3-9A73-0000F81EF32E}";

// Owns a global block until a stream takes it over.
class GlobalBlock {
public:
    explicit GlobalBlock(HGLOBAL block) : block_(block) {}
    ~GlobalBlock() {
        if (block_ != nullptr) GlobalFree(block_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL get() const { return block_; }
    void release() { block_ = nullptr; }

private:
    HGLOBAL block_;
};

// A decoded picture; disposal looks GdipDisposeImage up when it is due.
class Image {
public:
    explicit Image(HMODULE gdiplus) : gdiplus_(gdiplus) {}
    ~Image() { dispose(); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    GpImage* get() const { return image_; }
    GpImage** out() { return &image_; }
    // False only when there is a picture and nothing to dispose of it with.
    bool dispose() {
        if (image_ == nullptr) return true;
        auto disposeImage = procedure<GdipDisposeImageFn>(gdiplus_, "GdipDisposeImage");
        if (disposeImage == nullptr) return false;
        disposeImage(image_);
        image_ = nullptr;
        return true;
    }

private:
    HMODULE gdiplus_;
    GpImage* image_ = nullptr;
};

// The whole content of a stream's block; empty when it cannot be had, a copy
// too large for what is left of the address space included.
Text blockContent(HGLOBAL block) {
    Text content;
    const void* data = GlobalLock(block);
    if (data == nullptr) return content;
    const SIZE_T size = GlobalSize(block);
    try {
        content.assign(static_cast<const char*>(data), size);
    } catch (const std::bad_alloc&) {
        content.clear();
    } catch (const std::length_error&) {
        content.clear();
    }
    GlobalUnlock(block);
    return content;
}

}  // namespace

Text Imaging::transcodeToBmp(const Text& bytes) {
    const HMODULE gdiplus = pinnedLibrary("gdiplus.dll");
    const HMODULE ole32 = pinnedLibrary("ole32.dll");
    if (gdiplus == nullptr || ole32 == nullptr) return Text();

    auto startup = procedure<GdiplusStartupFn>(gdiplus, "GdiplusStartup");
    if (startup == nullptr) return Text();
    const GdiplusStartupInput input{1, nullptr, FALSE, FALSE};
    ULONG_PTR token = 0;
    startup(&token, &input, nullptr);

    auto clsidFromString = procedure<CLSIDFromStringFn>(ole32, "CLSIDFromString");
    if (clsidFromString == nullptr) return Text();
    wchar_t encoderText[sizeof kBmpEncoder];
    MultiByteToWideChar(CP_ACP, 0, kBmpEncoder, -1, encoderText, sizeof kBmpEncoder);
    CLSID encoder{};
    clsidFromString(encoderText, &encoder);

    GlobalBlock inputBlock(GlobalAlloc(GMEM_FIXED, bytes.size()));
    if (inputBlock.get() == nullptr) return Text();

    auto createStream = procedure<CreateStreamOnHGlobalFn>(ole32, "CreateStreamOnHGlobal");
    if (createStream == nullptr) return Text();
    Stream in;
    if (FAILED(createStream(inputBlock.get(), TRUE, in.out())) || in.get() == nullptr)
        return Text();
    // The stream frees the block when it is released.
    const HGLOBAL inputHandle = inputBlock.get();
    inputBlock.release();
    void* inputData = GlobalLock(inputHandle);
    if (inputData == nullptr) return Text();
    if (!bytes.empty()) std::memcpy(inputData, bytes.data(), bytes.size());
    GlobalUnlock(inputHandle);

    auto createBitmap =
        procedure<GdipCreateBitmapFromStreamFn>(gdiplus, "GdipCreateBitmapFromStream");
    if (createBitmap == nullptr) return Text();
    Image image(gdiplus);
    createBitmap(in.get(), image.out());

    createStream = procedure<CreateStreamOnHGlobalFn>(ole32, "CreateStreamOnHGlobal");
    if (createStream == nullptr) return Text();
    Stream out;
    createStream(nullptr, TRUE, out.out());

    auto save = procedure<GdipSaveImageToStreamFn>(gdiplus, "GdipSaveImageToStream");
    if (save == nullptr) return Text();
    // An encoder that runs out of memory part way leaves the headers in the
    // stream (a 54-byte "BMP"); only a finished encoding is worth copying.
    if (save(image.get(), out.get(), &encoder, nullptr) != kOk) return Text();

    auto blockOf = procedure<GetHGlobalFromStreamFn>(ole32, "GetHGlobalFromStream");
    if (blockOf == nullptr) return Text();
    HGLOBAL outputBlock = nullptr;
    if (out.get() != nullptr) blockOf(out.get(), &outputBlock);
    Text bmp = blockContent(outputBlock);

    if (!image.dispose()) return Text();
    return bmp;
}

bool Imaging::setDesktopWallpaper(const Text& path, std::int32_t style) {
    if (style < 0 || style > 2) style = 0;
    void* file = const_cast<char*>(path.c_str());
    if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, file, 0)) return false;

    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_WRITE, &key) !=
        ERROR_SUCCESS)
        return false;
    char styleText[16];
    std::snprintf(styleText, sizeof styleText, "%d", static_cast<int>(style));
    const Text styleValue = styleText;
    const auto setText = [key](const char* name, const Text& data) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
    };
    const bool written = setText("Wallpaper", path) &&
                         setText("WallpaperStyle", styleValue) &&
                         setText("TileWallpaper", styleValue);
    RegCloseKey(key);
    if (!written) return false;
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, file, SPIF_UPDATEINIFILE) != FALSE;
}

}  // namespace pelmora::win32
