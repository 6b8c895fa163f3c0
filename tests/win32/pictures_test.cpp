// The executable's own resources: pictures decoded by GDI+, icon, version and manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_pictures.h"

namespace pelmora {
namespace {

using win32::decodePictureResource;
using win32::loadProgramIcon;

// The pixels of a bitmap as 32-bit 0x00RRGGBB values, rows from the top.
std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height) pixels.clear();
    for (auto& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

struct Picture {
    int id;
    int width;
    int height;
};

// The sizes the windows lay their pictures out at; they are drawn unscaled.
const Picture kPictures[] = {
    {IDR_BANNER, 490, 140},       {IDR_ABOUT_BANNER, 435, 80}, {IDR_ABOUT_PICTURE, 150, 150},
    {IDR_ABOUT_NOTE, 64, 64},     {IDR_ABOUT_EMBLEM, 48, 48},
};

TEST(Pictures, EachDecodesAtItsSizeWithItsArtAndDrawsUnchangedWithBitBlt) {
    for (const Picture& picture : kPictures) {
        SCOPED_TRACE(picture.id);
        HBITMAP bitmap = decodePictureResource(picture.id);
        ASSERT_NE(bitmap, nullptr);
        BITMAP shape{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof shape, &shape), static_cast<int>(sizeof shape));
        EXPECT_EQ(shape.bmWidth, picture.width);
        EXPECT_EQ(shape.bmHeight, picture.height);

        const auto source = pixelsOf(bitmap, picture.width, picture.height);
        ASSERT_FALSE(source.empty());
        // Gradients and anti-aliased shapes: a blank or palette-less decode has a few colours.
        const std::set<std::uint32_t> colours(source.begin(), source.end());
        EXPECT_GT(colours.size(), 16u);

        // The window code selects the bitmap into a memory DC and copies it out.
        HDC screen = GetDC(nullptr);
        HDC from = CreateCompatibleDC(screen);
        HDC to = CreateCompatibleDC(screen);
        HBITMAP target = CreateCompatibleBitmap(screen, picture.width, picture.height);
        ReleaseDC(nullptr, screen);
        HGDIOBJ oldFrom = SelectObject(from, bitmap);
        HGDIOBJ oldTo = SelectObject(to, target);
        EXPECT_NE(oldFrom, nullptr);
        EXPECT_TRUE(BitBlt(to, 0, 0, picture.width, picture.height, from, 0, 0, SRCCOPY));
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        DeleteDC(from);
        DeleteDC(to);
        EXPECT_EQ(pixelsOf(target, picture.width, picture.height), source);
        DeleteObject(target);
        DeleteObject(bitmap);
    }
}

TEST(Pictures, DecodingAgainGivesTheSamePicture) {
    // Each decoding starts and ends its own GDI+ session; the second must not
    // find it half torn down.
    HBITMAP first = decodePictureResource(IDR_ABOUT_NOTE);
    HBITMAP second = decodePictureResource(IDR_ABOUT_NOTE);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(pixelsOf(first, 64, 64), pixelsOf(second, 64, 64));
    DeleteObject(first);
    DeleteObject(second);
}

TEST(Pictures, IdsWithoutAPictureGiveNoBitmap) {
    EXPECT_EQ(decodePictureResource(999), nullptr);
    // An icon, not an RCDATA picture.
    EXPECT_EQ(decodePictureResource(IDI_PELMORA), nullptr);
}

const void* resourceData(const char* type, int id, DWORD& size) {
    const HMODULE self = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) return nullptr;
    size = SizeofResource(self, found);
    const HGLOBAL loaded = LoadResource(self, found);
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

TEST(ProgramIcon, HoldsSmallMediumAndLargeFramesAndLoadsAtEach) {
    DWORD size = 0;
    const auto* group =
        static_cast<const BYTE*>(resourceData(MAKEINTRESOURCEA(14), IDI_PELMORA, size));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, 6u);
    // GRPICONDIR: reserved, type, count; then 14-byte entries led by width and height.
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof count);
    ASSERT_EQ(size, 6u + 14u * count);
    std::set<int> frames;
    for (WORD i = 0; i < count; ++i) {
        EXPECT_EQ(group[6 + 14 * i], group[6 + 14 * i + 1]) << "square frames";
        frames.insert(group[6 + 14 * i]);
    }
    EXPECT_EQ(frames, (std::set<int>{16, 32, 48}));

    for (int side : {16, 32, 48}) {
        SCOPED_TRACE(side);
        HICON icon = loadProgramIcon(side);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP shape{};
        GetObjectA(info.hbmColor, sizeof shape, &shape);
        EXPECT_EQ(shape.bmWidth, side);
        EXPECT_EQ(shape.bmHeight, side);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

std::string versionString(const std::vector<char>& block, const std::string& language,
                          const char* name) {
    const std::string query = "\\StringFileInfo\\" + language + "\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || length == 0)
        return "(none)";
    return static_cast<const char*>(value);
}

TEST(ProgramResources, VersionReadsBackAsOnePointOhThree) {
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(3, 1)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(3, 1)));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // The strings are found through the translation the block declares.
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    WORD translation[2];
    std::memcpy(translation, value, sizeof translation);
    char language[16];
    wsprintfA(language, "%04x%04x", translation[0], translation[1]);
    EXPECT_EQ(versionString(block, language, "FileVersion"), "1.03");
    EXPECT_EQ(versionString(block, language, "ProductVersion"), "1.03");
    EXPECT_EQ(versionString(block, language, "ProductName"), "Pelmora");
    EXPECT_NE(versionString(block, language, "FileDescription"), "(none)");
}

TEST(ProgramResources, ManifestAsksForCommonControlsSixAndTheInvokersRights) {
    DWORD size = 0;
    const void* data = resourceData(MAKEINTRESOURCEA(24), 1, size);  // RT_MANIFEST
    ASSERT_NE(data, nullptr);
    const std::string manifest(static_cast<const char*>(data), size);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);

    // The loader honoured it: the process's comctl32 is the side-by-side version 6
    // (its own DllGetVersion says 5 under Wine, so the assembly's folder is what tells).
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(comctl, path, sizeof path);
    FreeLibrary(comctl);
    std::string folder(path, length);
    for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(folder.find("\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << folder;
}

}  // namespace
}  // namespace pelmora
