// Re-encoding and the desktop wallpaper against GDI+ and the registry.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "wine_support.h"

namespace pelmora {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;

// The pictures scripts/make-fixtures.sh makes, from the folder PELMORA_FIXTURES names.
::testing::AssertionResult loadFixture(const std::string& name, Text& bytes) {
    const char* folder = std::getenv("PELMORA_FIXTURES");
    if (folder == nullptr || *folder == '\0')
        return ::testing::AssertionFailure()
               << "PELMORA_FIXTURES is not set: make the pictures with "
                  "scripts/make-fixtures.sh DIR and export DIR as a Windows path (Z:\\...)";
    const std::string path = std::string(folder) + "\\" + name;
    bytes = readFileBytes(path);
    if (bytes.empty()) return ::testing::AssertionFailure() << "no fixture at " << path;
    return ::testing::AssertionSuccess();
}

std::uint32_t le(const Text& b, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

void put(Text& b, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
}

// What the tests need of a BMP file: its size and the colour of a pixel.
struct Bitmap {
    const Text* bytes = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;  // as stored: positive when the rows run bottom-up
    int bitCount = 0;
    std::size_t palette = 0;
    std::size_t pixels = 0;
    std::size_t stride = 0;

    // 0xRRGGBB of a pixel counted from the top left.
    std::uint32_t colour(int x, int y) const {
        const std::size_t row = static_cast<std::size_t>(height > 0 ? height - 1 - y : y);
        std::size_t at = pixels + row * stride;
        if (bitCount == 8)
            at = palette + 4 * static_cast<unsigned char>((*bytes)[at + x]);
        else
            at += static_cast<std::size_t>(x) * (bitCount / 8);
        return le(*bytes, at, 3);
    }
};

// A BMP file with a BITMAPINFOHEADER, uncompressed rows of 8, 24 or 32 bits, every row present.
::testing::AssertionResult readBitmap(const Text& bytes, Bitmap& bmp) {
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0)
        return ::testing::AssertionFailure() << "not a BMP file (" << bytes.size() << " bytes)";
    const std::uint32_t headerSize = le(bytes, 14, 4);
    bmp.bytes = &bytes;
    bmp.width = static_cast<std::int32_t>(le(bytes, 18, 4));
    bmp.height = static_cast<std::int32_t>(le(bytes, 22, 4));
    bmp.bitCount = static_cast<int>(le(bytes, 28, 2));
    const std::uint32_t compression = le(bytes, 30, 4);
    bmp.palette = 14 + headerSize;
    bmp.pixels = le(bytes, 10, 4);
    bmp.stride = (static_cast<std::size_t>(bmp.width) * bmp.bitCount + 31) / 32 * 4;
    if (headerSize < 40 || (compression != BI_RGB && compression != BI_BITFIELDS) ||
        (bmp.bitCount != 8 && bmp.bitCount != 24 && bmp.bitCount != 32) || bmp.width <= 0)
        return ::testing::AssertionFailure()
               << "unexpected BMP form: header " << headerSize << ", compression " << compression
               << ", " << bmp.bitCount << " bits";
    const std::size_t rows = static_cast<std::size_t>(bmp.height < 0 ? -bmp.height : bmp.height);
    if (bytes.size() < bmp.pixels + rows * bmp.stride)
        return ::testing::AssertionFailure() << "pixel rows cut short: " << bytes.size()
                                             << " bytes for " << bmp.width << "x" << bmp.height;
    return ::testing::AssertionSuccess();
}

bool reddish(std::uint32_t c) { return (c >> 16 & 0xFF) > 200 && (c & 0xFF) < 60; }
bool bluish(std::uint32_t c) { return (c >> 16 & 0xFF) < 60 && (c & 0xFF) > 200; }

// An uncompressed 24-bit BMP with a gradient, as large as its size makes it.
Text plainBmp(std::uint32_t width, std::uint32_t height) {
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    Text b = "BM";
    put(b, 54 + stride * height, 4);
    put(b, 0, 4);
    put(b, 54, 4);
    for (std::uint32_t v : {40u, width, height}) put(b, v, 4);
    put(b, 1, 2);
    put(b, 24, 2);
    for (std::uint32_t v : {0u, stride * height, 2835u, 2835u, 0u, 0u}) put(b, v, 4);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) put(b, (x & 0xFF) << 16 | (y & 0xFF), 3);
        b.append(stride - width * 3, '\0');
    }
    return b;
}

// An 8-bit BMP whose run-length pixel data is only the end-of-picture code:
// complete and 64 bytes long whatever size it declares.
Text runLengthBmp(std::uint32_t width, std::uint32_t height) {
    Text b = "BM";
    put(b, 64, 4);
    put(b, 0, 4);
    put(b, 62, 4);
    for (std::uint32_t v : {40u, width, height}) put(b, v, 4);
    put(b, 1, 2);
    put(b, 8, 2);
    for (std::uint32_t v : {static_cast<std::uint32_t>(BI_RLE8), 2u, 2835u, 2835u, 2u, 0u})
        put(b, v, 4);
    put(b, 0x00FF0000, 4);  // the palette: red, blue
    put(b, 0x000000FF, 4);
    put(b, 0x0100, 2);
    return b;
}

// An 8-bit grey TIFF whose rows all point at one stored row: complete, and
// a few bytes a row whatever size it declares.
Text greyTiff(std::uint32_t width, std::uint32_t height) {
    const std::uint32_t row = 8;
    const std::uint32_t ifd = (row + width + 1) / 2 * 2;
    const std::uint16_t entries = 10;
    const std::uint32_t offsets = ifd + 2 + entries * 12 + 4;
    const std::uint32_t counts = offsets + 4 * height;
    Text b = "II*";
    b += '\0';
    put(b, ifd, 4);
    b.append(width, '\x80');
    b.resize(ifd, '\0');
    put(b, entries, 2);
    const auto entry = [&b](std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                            std::uint32_t value) {
        put(b, tag, 2);
        put(b, type, 2);
        put(b, count, 4);
        put(b, value, 4);  // a SHORT sits in the low half, little-endian
    };
    const std::uint16_t kShort = 3, kLong = 4;
    entry(256, kLong, 1, width);
    entry(257, kLong, 1, height);
    entry(258, kShort, 1, 8);           // bits per sample
    entry(259, kShort, 1, 1);           // no compression
    entry(262, kShort, 1, 1);           // black is zero
    entry(273, kLong, height, offsets);  // strip offsets
    entry(277, kShort, 1, 1);           // samples per pixel
    entry(278, kLong, 1, 1);            // rows per strip
    entry(279, kLong, height, counts);   // strip byte counts
    entry(284, kShort, 1, 1);           // one plane
    put(b, 0, 4);
    for (std::uint32_t i = 0; i < height; ++i) put(b, row, 4);
    for (std::uint32_t i = 0; i < height; ++i) put(b, width, 4);
    return b;
}

// Reserves all free address space but `headroom` bytes in one piece, as a
// 32-bit process near its end would be; releases it on destruction.
class AddressSpaceHog {
public:
    explicit AddressSpaceHog(SIZE_T headroom) {
        blocks_.reserve(16384);
        void* room = headroom ? VirtualAlloc(nullptr, headroom, MEM_RESERVE, PAGE_NOACCESS) : nullptr;
        for (SIZE_T size = SIZE_T(1) << 30; size >= 64 * 1024 && blocks_.size() < blocks_.capacity();) {
            if (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) {
                blocks_.push_back(p);
                reserved_ += size;
            } else {
                size /= 2;
            }
        }
        if (room != nullptr) VirtualFree(room, 0, MEM_RELEASE);
    }
    ~AddressSpaceHog() {
        for (void* p : blocks_) VirtualFree(p, 0, MEM_RELEASE);
    }
    AddressSpaceHog(const AddressSpaceHog&) = delete;
    AddressSpaceHog& operator=(const AddressSpaceHog&) = delete;
    SIZE_T reserved() const { return reserved_; }

private:
    std::vector<void*> blocks_;
    SIZE_T reserved_ = 0;
};

SIZE_T freeAddressSpace() { return AddressSpaceHog(0).reserved(); }

class ImagingTranscode : public ::testing::Test {
protected:
    // As the program does at start-up.
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }

    win32::Imaging imaging;
};

TEST_F(ImagingTranscode, EveryReadableFormatBecomesABmpOfThePicture) {
    for (const char* name : {"two-colours.bmp", "two-colours.jpg", "two-colours.gif",
                             "two-colours.tif"}) {
        SCOPED_TRACE(name);
        Text picture;
        ASSERT_TRUE(loadFixture(name, picture));
        const Text bytes = imaging.transcodeToBmp(picture);
        Bitmap bmp;
        ASSERT_TRUE(readBitmap(bytes, bmp));
        EXPECT_EQ(bmp.width, 37);
        EXPECT_EQ(bmp.height < 0 ? -bmp.height : bmp.height, 23);
        // Red up to column 18, blue from 19: rows, columns and channels in their places.
        EXPECT_PRED1(reddish, bmp.colour(2, 1));
        EXPECT_PRED1(reddish, bmp.colour(12, 21));
        EXPECT_PRED1(bluish, bmp.colour(24, 1));
        EXPECT_PRED1(bluish, bmp.colour(34, 21));
    }
}

TEST_F(ImagingTranscode, UnreadableBytesGiveNothing) {
    Text jpeg, bmp;
    ASSERT_TRUE(loadFixture("two-colours.jpg", jpeg));
    ASSERT_TRUE(loadFixture("two-colours.bmp", bmp));
    const struct {
        const char* what;
        Text bytes;
    } cases[] = {
        {"no bytes", ""},
        {"text", "this is not a picture, only some words"},
        {"a JPEG cut short", jpeg.substr(0, 200)},
        {"BMP headers without their rows", bmp.substr(0, 54)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(imaging.transcodeToBmp(c.bytes).size(), 0u);
    }
}

TEST_F(ImagingTranscode, PicturesTooLargeForTheAddressSpaceGiveNothing) {
    // Each hand-made file transcodes at a small size, so only its size makes it fail.
    const struct {
        const char* what;
        Text (*make)(std::uint32_t, std::uint32_t);
        std::uint32_t width, height;
    } cases[] = {
        {"run-length BMP: a 1.6 GB bitmap", runLengthBmp, 20000, 20000},
        {"run-length BMP: 16 GB, beyond 32 bits", runLengthBmp, 65535, 65535},
        {"grey TIFF: a 4 GB bitmap", greyTiff, 65535, 65535},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap small;
        const Text smallBmp = imaging.transcodeToBmp(c.make(37, 23));
        ASSERT_TRUE(readBitmap(smallBmp, small));
        EXPECT_EQ(small.width, 37);
        EXPECT_EQ(imaging.transcodeToBmp(c.make(c.width, c.height)).size(), 0u);
    }
    // And the next picture goes through as before.
    Bitmap after;
    EXPECT_TRUE(readBitmap(imaging.transcodeToBmp(plainBmp(37, 23)), after));
}

TEST_F(ImagingTranscode, NearlyExhaustedAddressSpaceGivesNothingOrTheWholeBmp) {
    // A picture of about 1 MB, with free address space left from none upward:
    // the input block, the decoded bitmap, the encoder and the output copy
    // each in turn find no room. Every outcome is nothing or the whole BMP.
    const Text picture = plainBmp(701, 501);
    const Text whole = imaging.transcodeToBmp(picture);
    Bitmap bmp;
    ASSERT_TRUE(readBitmap(whole, bmp));
    ASSERT_EQ(bmp.width, 701);

    enum Outcome { kNothing, kWhole, kPartial };
    std::vector<Outcome> outcomes;
    std::vector<std::size_t> sizes;
    outcomes.reserve(1024);
    sizes.reserve(1024);
    const SIZE_T step = 64 * 1024;
    for (SIZE_T headroom = 0; headroom <= 64 * step * 8 && outcomes.size() < 1024;
         headroom += step) {
        Outcome outcome;
        std::size_t size;
        {
            AddressSpaceHog hog(headroom);
            const Text bytes = imaging.transcodeToBmp(picture);
            size = bytes.size();
            outcome = bytes.empty() ? kNothing : bytes == whole ? kWhole : kPartial;
        }
        outcomes.push_back(outcome);
        sizes.push_back(size);
        if (outcome == kWhole) break;
    }
    ASSERT_FALSE(outcomes.empty());
    EXPECT_EQ(outcomes.front(), kNothing) << "no address space left, and yet a result";
    EXPECT_EQ(outcomes.back(), kWhole) << "never enough room, even with "
                                       << (outcomes.size() - 1) * step / 1024 << " KB";
    std::ostringstream partial;
    for (std::size_t i = 0; i < outcomes.size(); ++i)
        if (outcomes[i] == kPartial)
            partial << " " << sizes[i] << " bytes with " << i * step / 1024 << " KB free;";
    EXPECT_EQ(partial.str(), "") << "results cut short of the whole " << whole.size() << " bytes";
}

TEST_F(ImagingTranscode, RepeatedUseLeavesTheAddressSpaceAsItWas) {
    // Each pass holds about 1 MB in each block and stream; one of them kept
    // would show as 20 MB missing.
    const Text picture = plainBmp(701, 501);
    const Text garbage(picture.size(), 'x');
    ASSERT_FALSE(imaging.transcodeToBmp(picture).empty());
    const SIZE_T before = freeAddressSpace();
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(imaging.transcodeToBmp(picture).empty());
        EXPECT_TRUE(imaging.transcodeToBmp(garbage).empty());
    }
    const SIZE_T after = freeAddressSpace();
    EXPECT_LT(before > after ? before - after : 0, SIZE_T(2) << 20)
        << "free address space went from " << before / 1024 << " KB to " << after / 1024
        << " KB";
}

// A value under HKCU\Control Panel\Desktop, as the ANSI API gives it back.
struct DesktopValue {
    DWORD type = 0;
    std::string data;  // terminating zero included
};

DesktopValue readDesktopValue(const char* name) {
    DesktopValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return value;
    char buffer[2048];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS)
        value.data.assign(buffer, size);
    RegCloseKey(key);
    return value;
}

void writeDesktopValue(const char* name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

TEST(ImagingWallpaper, SetsThePictureAndRecordsPathAndStyle) {
    Text picture;
    ASSERT_TRUE(loadFixture("two-colours.bmp", picture));
    TempFolder folder;

    const struct {
        std::int32_t style;
        const char* recorded;
    } cases[] = {{0, "0"}, {1, "1"}, {2, "2"}, {5, "0"}, {-1, "0"}};
    win32::Imaging imaging;
    for (const auto& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style));
        // A file of its own each time, so what is read back can only come from this call.
        const Text path =
            folder.path() + "\\桌面背景文件" + std::to_string(c.style + 1) + ".bmp";
        ASSERT_TRUE(writeFileBytes(path, picture));
        for (const char* name : {"Wallpaper", "WallpaperStyle", "TileWallpaper"})
            writeDesktopValue(name, "left over");
        ASSERT_TRUE(imaging.setDesktopWallpaper(path, c.style));
        for (const char* name : {"WallpaperStyle", "TileWallpaper"}) {
            const DesktopValue value = readDesktopValue(name);
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << name;
            EXPECT_EQ(value.data, std::string(c.recorded) + '\0') << name;
        }
        const DesktopValue wallpaper = readDesktopValue("Wallpaper");
        EXPECT_EQ(wallpaper.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(wallpaper.data, path + '\0');
        char current[MAX_PATH] = {};
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0));
        EXPECT_EQ(std::string(current), path);
    }
}

}  // namespace
}  // namespace pelmora
