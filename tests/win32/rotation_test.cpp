// The catalogue walk, the wallpaper application and the timer on the real platform.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/globals.h"
#include "platform/win32/win32_platform.h"
#include "rotation/catalogue.h"
#include "rotation/wallpaper.h"
#include "wine_support.h"

namespace pelmora {
namespace {

using testing::readFileBytes;
using testing::TempFolder;

Text fixtures() {
    const char* dir = std::getenv("PELMORA_FIXTURES");
    return dir ? dir : "";
}

struct RealPlatformTest : ::testing::Test {
    win32::Win32Platform platform;
    std::unique_ptr<Globals> g = createGlobals(platform.table);
    void SetUp() override {
        ASSERT_FALSE(fixtures().empty()) << "PELMORA_FIXTURES is not set";
    }
    void TearDown() override { releaseGlobals(g); }
};

TEST_F(RealPlatformTest, CatalogueOfARealTreeWithHiddenFilesAndALinkLoop) {
    const Text root = fixtures() + "\\tree";
    g->settings.pictureFolder = root;
    g->settings.includeSubfolders = true;
    rebuildCatalogue(*g);
    const ImageCatalogue expected = {
        root + "\\.hidden.jpg", root + "\\a.JPG",          root + "\\b.jpeg",
        root + "\\c.Tiff",      root + "\\pics.jpg\\inner.gif", root + "\\x\\y.gif",
        root + "\\x\\deep\\z.bmp",
    };
    EXPECT_EQ(g->catalogue, expected);

    g->settings.includeSubfolders = false;
    rebuildCatalogue(*g);
    EXPECT_EQ(g->catalogue, ImageCatalogue(expected.begin(), expected.begin() + 4));
}

TEST_F(RealPlatformTest, FolderIdentityFollowsLinks) {
    const Text root = fixtures() + "\\tree";
    const auto viaLink = platform.files.folderIdentity(root + "\\x\\deep\\top");
    const auto direct = platform.files.folderIdentity(root);
    ASSERT_TRUE(viaLink && direct);
    EXPECT_EQ(*viaLink, *direct);
    EXPECT_NE(*platform.files.folderIdentity(root + "\\x"), *direct);
    EXPECT_FALSE(platform.files.folderIdentity(root + "\\missing"));
}

TEST_F(RealPlatformTest, ApplyWritesTheWallpaperFilePositionAndRegistryValues) {
    TempFolder program;
    g->programDirectory = program.path();
    g->settingsFile.setFile(program.path() + "\\Pelmora.ini");
    const Text apply = fixtures() + "\\apply";
    g->catalogue = {apply + "\\a.BMP", apply + "\\b.jpg", apply + "\\gone.jpg"};
    const Text wallpaperFile = program.path() + "\\桌面背景文件.bmp";

    const struct {
        std::int32_t style;
        const char* stored;
    } styles[] = {{0, "0"}, {1, "1"}, {2, "2"}, {5, "0"}, {-1, "0"}};
    for (const auto& s : styles) {
        g->settings.displayStyle = static_cast<DisplayStyle>(s.style);
        applyWallpaper(*g, 1);
        EXPECT_EQ(readFileBytes(wallpaperFile), readFileBytes(apply + "\\a.BMP"));
        HKEY key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        for (const char* name : {"WallpaperStyle", "TileWallpaper", "Wallpaper"}) {
            char value[MAX_PATH * 2] = {};
            DWORD size = sizeof value - 1;
            DWORD type = 0;
            ASSERT_EQ(RegQueryValueExA(key, name, nullptr, &type,
                                       reinterpret_cast<BYTE*>(value), &size),
                      ERROR_SUCCESS)
                << name;
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(Text(value), Text(name) == "Wallpaper" ? wallpaperFile : Text(s.stored))
                << name << " for style " << s.style;
        }
        RegCloseKey(key);
    }

    applyWallpaper(*g, 2);  // re-encoded
    const std::string bmp = readFileBytes(wallpaperFile);
    ASSERT_GE(bmp.size(), 26u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(*reinterpret_cast<const std::int32_t*>(bmp.data() + 18), 41);

    applyWallpaper(*g, 3);  // gone: the previous picture stays
    EXPECT_EQ(readFileBytes(wallpaperFile), bmp);
    EXPECT_EQ(GetFileAttributesA((wallpaperFile + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

    g->settingsFile.setSection("其他");
    EXPECT_DOUBLE_EQ(g->settingsFile.readNumber("上次序号"), 3);
    const std::string ini = readFileBytes(program.path() + "\\Pelmora.ini");
    EXPECT_NE(ini.find("[其他]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("上次序号=3"), std::string::npos) << ini;
}

TEST_F(RealPlatformTest, WholeFileReadsFailSoftForFilesTooLargeToHold) {
    // Sparse, 2.5 GB: more than a 32-bit process can hold in one block.
    const Text big = fixtures() + "\\huge.jpg";
    EXPECT_EQ(platform.files.readWholeFile(big), "");
    EXPECT_EQ(platform.files.readWholeFile(fixtures() + "\\missing.jpg"), "");
    EXPECT_EQ(platform.files.readWholeFile(fixtures() + "\\apply\\a.BMP").substr(0, 2), "BM");

    g->catalogue = {big};
    TempFolder program;
    g->programDirectory = program.path();
    applyWallpaper(*g, 1);
    EXPECT_EQ(GetFileAttributesA((program.path() + "\\桌面背景文件.bmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

LRESULT CALLBACK countTicks(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == win32::Timer::kTimerId) {
        auto* ticks = reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        ++*ticks;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(RealPlatformTest, TimerTicksReachItsWindowUntilStopped) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = countTicks;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PelmoraTimerTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("PelmoraTimerTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    int ticks = 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ticks));
    platform.timer.bind(window);

    auto pumpFor = [](DWORD ms) {
        const DWORD until = GetTickCount() + ms;
        while (static_cast<int>(until - GetTickCount()) > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        }
    };
    platform.timer.start(40);
    pumpFor(400);
    EXPECT_GE(ticks, 3);
    platform.timer.stop();
    pumpFor(50);
    const int stopped = ticks;
    pumpFor(200);
    EXPECT_EQ(ticks, stopped);
    DestroyWindow(window);
}

}  // namespace
}  // namespace pelmora
