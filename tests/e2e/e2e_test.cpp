// Pelmora.exe as a user meets it: started as a process of its own, found by its
// title, driven through its controls, checked through the files it writes, the
// registry and what the desktop shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/forms.h"

namespace {

using pelmora::ControlForm;
using pelmora::ControlKind;
using pelmora::settingsWindowForm;

const char* const kTitle = "Pelmora(Vask) v1.03";

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool waitFor(const std::function<bool()>& done, DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    while (!done()) {
        if (static_cast<int>(until - GetTickCount()) <= 0) return done();
        Sleep(50);
    }
    return true;
}

std::string profileValue(const std::string& ini, const char* section, const char* key) {
    char buffer[1024];
    GetPrivateProfileStringA(section, key, "(none)", buffer, sizeof buffer, ini.c_str());
    return buffer;
}

// One program folder with its own copy of the exe, pictures and settings file.
class Program {
public:
    explicit Program(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp) + "pelmora-e2e-" + name;
        CreateDirectoryA(dir.c_str(), nullptr);
        pictures = dir + "\\图片";
        CreateDirectoryA(pictures.c_str(), nullptr);
        CopyFileA(env("PELMORA_EXE").c_str(), (dir + "\\Pelmora.exe").c_str(), FALSE);
        const std::string fixtures = env("PELMORA_FIXTURES");
        for (const char* p : {"red.bmp", "green.bmp", "blue.bmp"})
            CopyFileA((fixtures + "\\e2e\\" + p).c_str(), (pictures + "\\" + p).c_str(), FALSE);
        ini = dir + "\\Pelmora.ini";
        wallpaper = dir + "\\桌面背景文件.bmp";
        DeleteFileA(ini.c_str());
        DeleteFileA(wallpaper.c_str());
    }
    ~Program() {
        stop();
    }
    void settings(bool autoChange, int interval, int unit, int style = 2) {
        const std::string text = "[图片设置]\r\n图片目录=" + pictures + "\r\n随机显示=假\r\n间隔时间=" +
                                 std::to_string(interval) + "\r\n时间单位=" + std::to_string(unit) +
                                 "\r\n显示样式=" + std::to_string(style) + "\r\n[选项]\r\n开启壁纸=" +
                                 (autoChange ? "真" : "假") + "\r\n随系统启动=假\r\n后台托盘=假\r\n";
        writeFile(ini, text);
    }
    bool start(const std::string& arguments = "") {
        std::string line = "\"" + dir + "\\Pelmora.exe\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                            &process))
            return false;
        CloseHandle(process.hThread);
        return true;
    }
    // The settings window, shown or hidden, once the process has made it.
    HWND window(DWORD ms = 10000) {
        HWND found = nullptr;
        waitFor([&] {
            found = nullptr;
            HWND w = nullptr;
            while ((w = FindWindowExA(nullptr, w, nullptr, kTitle)) != nullptr) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == process.dwProcessId) found = w;
            }
            return found != nullptr;
        }, ms);
        return found;
    }
    bool running() const {
        return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
    }
    bool exitsWithin(DWORD ms) const {
        return process.hProcess && WaitForSingleObject(process.hProcess, ms) == WAIT_OBJECT_0;
    }
    void stop() {
        if (!process.hProcess) return;
        if (running()) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hProcess);
        process.hProcess = nullptr;
    }
    std::string index() const { return profileValue(ini, "其他", "上次序号"); }

    std::string dir, pictures, ini, wallpaper;
    PROCESS_INFORMATION process = {};
};

// The child window of the form control, found where the form puts it.
HWND childAt(HWND window, const ControlForm& c) {
    const pelmora::Placement at = pelmora::placeInWindow(settingsWindowForm(), c);
    HWND found = nullptr;
    for (HWND h = GetWindow(window, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(h, &r);
        POINT p{r.left, r.top};
        ScreenToClient(window, &p);
        if (p.x == at.x && p.y == at.y && r.right - r.left == c.width) found = h;
    }
    return found;
}

const ControlForm& form(const char* name) {
    for (const ControlForm& c : settingsWindowForm().controls)
        if (c.name == name) return c;
    throw std::runtime_error(name);
}

// Waits a little: the controls are made while the window is being created.
HWND child(HWND window, const char* name) {
    HWND h = nullptr;
    waitFor([&] { return (h = childAt(window, form(name))) != nullptr; }, 5000);
    return h;
}

std::string textOf(HWND h) {
    char buffer[1024] = {};
    SendMessageA(h, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// What a press of a push button tells its owner. (BM_CLICK from another
// process does not get through to a push button under Wine.)
void press(HWND window, const char* name) {
    HWND button = child(window, name);
    ASSERT_NE(button, nullptr) << name;
    // Posted: a handler may open a message box and wait for the user.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// A list item's text: across processes only the wide form is carried.
std::string itemText(HWND list, int i) {
    wchar_t wide[64] = {};
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
    char narrow[128] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// As the user picks an item: the list changes, then its owner hears of it.
void pick(HWND window, const char* name, int item) {
    HWND list = child(window, name);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

TEST(EndToEnd, WindowShowsEveryControlOfItsForm) {
    Program p("form");
    p.settings(false, 10, 1);
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000));
    RECT outer;
    GetWindowRect(w, &outer);
    EXPECT_EQ(outer.right - outer.left, 496);
    EXPECT_EQ(outer.bottom - outer.top, 372);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // Centred on the screen.
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    for (const ControlForm& c : settingsWindowForm().controls) {
        if (c.kind == ControlKind::Timer) continue;
        HWND h = childAt(w, c);
        ASSERT_NE(h, nullptr) << c.name;
        RECT r;
        GetWindowRect(h, &r);
        if (c.kind != ControlKind::DropDownList) {
            EXPECT_EQ(r.bottom - r.top, c.height) << c.name;
        }
        if (c.kind == ControlKind::DropDownList) {
            ASSERT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(c.items.size()));
            for (std::size_t i = 0; i < c.items.size(); ++i) {
                EXPECT_EQ(itemText(h, static_cast<int>(i)), c.items[i]) << c.name;
            }
        } else if (c.kind != ControlKind::Edit) {
            EXPECT_EQ(textOf(h), c.caption) << c.name;
        }
    }
    // The loaded settings are in the controls.
    EXPECT_EQ(textOf(child(w, "编辑框图片目录")), p.pictures);
    EXPECT_EQ(textOf(child(w, "编辑框间隔时间")), "10");
    EXPECT_EQ(SendMessageA(child(w, "组合框时间单位"), CB_GETCURSEL, 0, 0), 1);
}

TEST(EndToEnd, ChangeNowAppliesTheNextPicture) {
    Program p("now");
    p.settings(false, 10, 1);
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    press(w, "按钮立即换图");
    ASSERT_TRUE(waitFor([&] { return p.index() == "1"; }, 10000));
    EXPECT_EQ(readFile(p.wallpaper), readFile(p.pictures + "\\blue.bmp"));
    press(w, "按钮立即换图");
    ASSERT_TRUE(waitFor([&] { return p.index() == "2"; }, 10000));
    EXPECT_EQ(readFile(p.wallpaper), readFile(p.pictures + "\\green.bmp"));
}

TEST(EndToEnd, TheScheduleFollowsTheIntervalAndUnit) {
    Program p("schedule");
    p.settings(true, 10, 1);  // ten minutes: nothing changes on its own here
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    Sleep(1500);
    EXPECT_EQ(p.index(), "(none)");
    SendMessageA(child(w, "编辑框间隔时间"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    pick(w, "组合框时间单位", 0);  // one second
    EXPECT_TRUE(waitFor([&] { return p.index() == "2"; }, 8000)) << p.index();

    pick(w, "组合框时间单位", 4);  // at log-on: no timer
    EXPECT_FALSE(IsWindowEnabled(child(w, "编辑框间隔时间")));
    Sleep(300);
    const std::string stopped = p.index();
    Sleep(2500);
    EXPECT_EQ(p.index(), stopped);
}

TEST(EndToEnd, ClosingSavesAndStaysInTheBackgroundOrEnds) {
    Program p("close");
    p.settings(true, 10, 1);
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000));
    SendMessageA(child(w, "编辑框间隔时间"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("25"));
    PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(w); }, 5000));
    EXPECT_EQ(profileValue(p.ini, "图片设置", "间隔时间"), "25");
    EXPECT_TRUE(p.running());

    // Shown again by clicking the icon is for later; WM_CLOSE from outside, with changing off.
    SendMessageA(child(w, "编辑框间隔时间"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    HWND on = child(w, "选择框开启");
    SendMessageA(on, BM_CLICK, 0, 0);  // off
    ASSERT_EQ(SendMessageA(on, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.exitsWithin(10000));
    EXPECT_EQ(profileValue(p.ini, "图片设置", "间隔时间"), "7");
    EXPECT_EQ(profileValue(p.ini, "选项", "开启壁纸"), "假");
}

TEST(EndToEnd, BackgroundStartStaysHidden) {
    Program p("background");
    p.settings(true, 10, 1);
    ASSERT_TRUE(p.start("后台"));
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    Sleep(1000);
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_TRUE(p.running());
}

TEST(EndToEnd, LogonRunChangesOnceAndEnds) {
    Program p("logon");
    p.settings(true, 10, 4);
    ASSERT_TRUE(p.start("后台"));
    ASSERT_TRUE(p.exitsWithin(15000));
    EXPECT_EQ(p.index(), "1");
    EXPECT_EQ(readFile(p.wallpaper), readFile(p.pictures + "\\blue.bmp"));
}

// Presses Win together with key, as the keyboard would.
void winKey(WORD key) {
    INPUT in[4] = {};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_LWIN;
    in[1].ki.wVk = key;
    in[2].ki.wVk = key;
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_LWIN;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(EndToEnd, HotkeysStepDeleteShowAndEnd) {
    Program p("hotkeys");
    p.settings(true, 10, 1);
    ASSERT_TRUE(p.start("后台"));
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(child(w, "按钮关闭"), nullptr);  // created and loaded
    Sleep(500);
    winKey(VK_RIGHT);
    ASSERT_TRUE(waitFor([&] { return p.index() == "1"; }, 10000)) << p.index();
    winKey(VK_RIGHT);
    ASSERT_TRUE(waitFor([&] { return p.index() == "2"; }, 5000)) << p.index();
    winKey(VK_LEFT);
    ASSERT_TRUE(waitFor([&] { return p.index() == "1"; }, 5000)) << p.index();
    EXPECT_EQ(readFile(p.wallpaper), readFile(p.pictures + "\\blue.bmp"));

    // Win+Delete removes exactly the picture on show and shows the next one.
    const std::string green = readFile(p.pictures + "\\green.bmp");
    winKey(VK_DELETE);
    ASSERT_TRUE(waitFor([&] { return !exists(p.pictures + "\\blue.bmp"); }, 5000));
    EXPECT_TRUE(exists(p.pictures + "\\green.bmp"));
    EXPECT_TRUE(exists(p.pictures + "\\red.bmp"));
    EXPECT_TRUE(waitFor([&] { return readFile(p.wallpaper) == green; }, 5000));

    // Win+Enter brings the hidden window back.
    EXPECT_FALSE(IsWindowVisible(w));
    winKey(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000));

    // Win+X ends the process without saving.
    SendMessageA(child(w, "编辑框间隔时间"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("33"));
    winKey('X');
    EXPECT_TRUE(p.exitsWithin(10000));
    EXPECT_EQ(profileValue(p.ini, "图片设置", "间隔时间"), "10");
}

TEST(EndToEnd, ASecondInstanceRunsWithoutItsHotkeys) {
    Program first("first"), second("second");
    first.settings(false, 10, 1);
    second.settings(false, 10, 1);
    ASSERT_TRUE(first.start());
    ASSERT_NE(child(first.window(), "按钮关闭"), nullptr);
    ASSERT_TRUE(second.start());
    HWND w2 = second.window();
    ASSERT_NE(child(w2, "按钮关闭"), nullptr);
    Sleep(500);
    winKey(VK_RIGHT);  // the first instance holds the combination
    EXPECT_TRUE(waitFor([&] { return first.index() == "1"; }, 10000));
    Sleep(1000);
    EXPECT_EQ(second.index(), "(none)");
    EXPECT_TRUE(second.running());
    press(w2, "按钮立即换图");  // and otherwise works
    EXPECT_TRUE(waitFor([&] { return second.index() == "1"; }, 10000));
}

TEST(EndToEnd, TrayIconBringsTheWindowBackAndItsMenuEnds) {
    Program p("tray");
    p.settings(true, 10, 1);
    std::string text = readFile(p.ini);
    text.replace(text.find("后台托盘=假"), std::string("后台托盘=假").size(), "后台托盘=真");
    writeFile(p.ini, text);
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(child(w, "按钮关闭"), nullptr);
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000));
    PostMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(w); }, 5000));
    // The left button on the icon.
    PostMessageA(w, 123456, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000));
    // A "TaskbarCreated" broadcast is harmless while no icon is shown.
    PostMessageA(w, RegisterWindowMessageA("TaskbarCreated"), 0, 0);

    // Hidden again with its icon; the right button opens the menu, and its
    // "退出进程(&T)" ends the process.
    PostMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(w); }, 5000));
    PostMessageA(w, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    PostMessageA(w, 123456, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(waitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr &&
                                     IsWindowVisible(menu); }, 5000));
    // Menus belong to their process under Wine, so the driver cannot click an
    // item; it closes the menu and sends the command that choosing
    // "退出进程(&T)" (the fourth item) sends.
    PostMessageA(w, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, 5000));
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(2001 + 3, 0), 0);
    EXPECT_TRUE(p.exitsWithin(10000));
}

COLORREF screenshot(const std::string& path, int x, int y);

HWND ownedWindow(HWND owner, const char* cls, const char* title) {
    HWND found = nullptr;
    waitFor([&] {
        found = nullptr;
        HWND h = nullptr;
        while ((h = FindWindowExA(nullptr, h, cls, title)) != nullptr)
            if (GetWindow(h, GW_OWNER) == owner || owner == nullptr) found = h;
        return found != nullptr;
    }, 5000);
    return found;
}

TEST(EndToEnd, InstructionsAndTheAboutWindow) {
    Program p("about");
    p.settings(false, 10, 1);
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(child(w, "按钮关闭"), nullptr);

    press(w, "超级链接框快捷键");
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] {
        HWND h = nullptr;
        while ((h = FindWindowExA(nullptr, h, "#32770", "说明")) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == p.process.dwProcessId) box = h;
        }
        return box != nullptr;
    }, 5000));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));

    press(w, "超级链接框关于");
    HWND about = ownedWindow(w, "PelmoraAbout", nullptr);
    ASSERT_NE(about, nullptr);
    RECT r;
    GetWindowRect(about, &r);
    EXPECT_EQ(r.right - r.left, 445);
    EXPECT_EQ(r.bottom - r.top, 302);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_FALSE(GetWindowLongA(about, GWL_STYLE) & WS_CAPTION & ~WS_DLGFRAME);
    press(w, "超级链接框关于");  // a second time: still one window
    Sleep(500);
    int count = 0;
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, "PelmoraAbout", nullptr)) != nullptr;)
        if (GetWindow(h, GW_OWNER) == w) ++count;
    EXPECT_EQ(count, 1);
    const std::string shot = env("PELMORA_E2E_ABOUT_SCREENSHOT");
    if (!shot.empty()) screenshot(shot, 0, 0);

    // A press on its background closes it; the process goes on.
    PostMessageA(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(420, 280));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }, 5000));
    EXPECT_TRUE(p.running());
}

// Saves what the screen shows as a BMP and returns the colour at a point.
COLORREF screenshot(const std::string& path, int x, int y) {
    HDC screen = GetDC(nullptr);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, old);
    const DWORD rowBytes = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * h;
    std::string bytes(reinterpret_cast<char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<char*>(bits), rowBytes * h);
    writeFile(path, bytes);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(EndToEnd, TheDesktopShowsTheAppliedPicture) {
    Program p("desktop");
    p.settings(false, 10, 1, 2);  // stretched over the whole desktop
    ASSERT_TRUE(p.start());
    HWND w = p.window();
    ASSERT_NE(w, nullptr);
    press(w, "按钮立即换图");  // blue.bmp, the first
    ASSERT_TRUE(waitFor([&] { return p.index() == "1"; }, 10000));
    Sleep(1000);
    const std::string shot = env("PELMORA_E2E_SCREENSHOT");
    const COLORREF corner = screenshot(shot.empty() ? p.dir + "\\desktop.bmp" : shot, 5, 5);
    EXPECT_EQ(corner, RGB(0, 0, 255)) << std::hex << corner;
}

}  // namespace
