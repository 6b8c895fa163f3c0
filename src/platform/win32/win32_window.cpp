#include "platform/win32/win32_window.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <cstring>

#include <vector>

#include "app/globals.h"
#include "app/settings_window.h"
#include "app/startup.h"
#include "desktop/hotkeys.h"
#include "desktop/tray_icon.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_about.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_platform.h"
#include "rotation/schedule.h"

namespace pelmora::win32 {

namespace {

constexpr UINT kDestroyRequest = WM_APP + 1;
constexpr int kFirstControlId = 1001;
constexpr int kFirstMenuId = 2001;
const char* const kWindowClass = "PelmoraSettings";
const char* const kTimerClass = "PelmoraTimer";

WNDPROC editProcedure = nullptr;

}  // namespace

// One control of the form, with the semantics logic relies on.
class WindowControl : public Control {
public:
    WindowControl(HWND hwnd, ControlKind kind) : hwnd_(hwnd), kind_(kind) {}
    HWND handle() const { return hwnd_; }

    Text text() const override {
        if (!hwnd_) return Text();
        const int n = GetWindowTextLengthA(hwnd_);
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1, '\0');
        const int got = GetWindowTextA(hwnd_, buffer.data(), n + 1);
        return Text(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
    }
    // For an edit box, EN_CHANGE runs its handler once before this returns.
    void setText(const Text& text) override {
        if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
    }
    bool checked() const override {
        return hwnd_ && SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void setChecked(bool checked) override {
        if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    int currentItem() const override {
        if (!hwnd_ || kind_ != ControlKind::DropDownList) return -1;
        return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
    }
    // CB_SETCURSEL selects nothing for an index out of range; the list clamps instead.
    void setCurrentItem(int index) override {
        if (!hwnd_ || kind_ != ControlKind::DropDownList) return;
        const int count = static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
        if (index > count - 1) index = count - 1;
        if (index < -1) index = -1;
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    bool enabled() const override { return hwnd_ && IsWindowEnabled(hwnd_); }
    void setEnabled(bool enabled) override {
        if (hwnd_) EnableWindow(hwnd_, enabled);
    }
    bool visible() const override { return hwnd_ && IsWindowVisible(hwnd_); }
    void setVisible(bool visible) override {
        if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    }

private:
    HWND hwnd_;
    ControlKind kind_;
};

SettingsWindow::SettingsWindow() = default;
SettingsWindow::~SettingsWindow() = default;

bool SettingsWindow::create(Globals& g, HINSTANCE instance) {
    g_ = &g;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = kWindowClass;
    RegisterClassExA(&wc);

    WNDCLASSA tc = {};
    tc.lpfnWndProc = timerProc;
    tc.hInstance = instance;
    tc.lpszClassName = kTimerClass;
    RegisterClassA(&tc);

    const WindowForm& form = settingsWindowForm();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - form.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - form.height) / 2;
    hwnd_ = CreateWindowExA(0, kWindowClass, form.title.c_str(),
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                            form.width, form.height, nullptr, nullptr, instance, this);
    return hwnd_ != nullptr;
}

void SettingsWindow::buildControls() {
    const WindowForm& form = settingsWindowForm();
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    font_ = createTextFont();
    int id = kFirstControlId;
    for (const ControlForm& c : form.controls) {
        const Placement at = placeInWindow(form, c);
        const char* cls = "STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (c.kind) {
            // Clipped so the link texts lying on its upper edge stay visible.
            case ControlKind::GroupBox: cls = "BUTTON"; style |= BS_GROUPBOX | WS_CLIPSIBLINGS; break;
            case ControlKind::Label: style |= SS_LEFT; break;
            case ControlKind::Link: style |= SS_LEFT | SS_NOTIFY; break;
            case ControlKind::CheckBox: cls = "BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
            case ControlKind::Button: cls = "BUTTON"; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
            case ControlKind::Edit:
                cls = "EDIT";
                style |= ES_AUTOHSCROLL | WS_TABSTOP | (c.centred ? ES_CENTER : ES_LEFT);
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case ControlKind::DropDownList:
                cls = "COMBOBOX";
                style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
                break;
            case ControlKind::Timer: cls = kTimerClass; style = WS_CHILD; break;
            case ControlKind::Picture: style |= SS_LEFT; break;
        }
        // A drop-down list's height includes its opened list.
        const int height = c.kind == ControlKind::DropDownList ? 200 : c.height;
        HWND h = CreateWindowExA(exStyle, cls, c.caption.c_str(), style, at.x, at.y, c.width,
                                 height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance, nullptr);
        if (h) {
            SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
            for (const Text& item : c.items)
                SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            if (c.name == "编辑框间隔时间") {
                editProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                    h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(numberEditProc)));
            }
        }
        controls_[c.name] = std::make_unique<WindowControl>(h, c.kind);
        names_[id] = c.name;
        ++id;
    }
}

Control& SettingsWindow::control(const Text& name) {
    auto it = controls_.find(name);
    if (it != controls_.end()) return *it->second;
    static WindowControl none(nullptr, ControlKind::Label);
    return none;
}

HWND timerWindowOf(const std::map<Text, std::unique_ptr<WindowControl>>& controls) {
    auto it = controls.find("时钟刷新");
    return it == controls.end() ? nullptr : it->second->handle();
}

bool SettingsWindow::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
void SettingsWindow::show() {
    if (hwnd_) ShowWindow(hwnd_, SW_SHOW);
}
void SettingsWindow::hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}
bool SettingsWindow::minimised() const { return hwnd_ && IsIconic(hwnd_); }
void SettingsWindow::restore() {
    if (hwnd_) ShowWindow(hwnd_, SW_RESTORE);
}
bool SettingsWindow::topmost() const {
    return hwnd_ && (GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
void SettingsWindow::setTopmost(bool topmost) {
    if (hwnd_)
        SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
void SettingsWindow::requestDestroy() {
    if (hwnd_) PostMessageA(hwnd_, kDestroyRequest, 0, 0);
}

LRESULT CALLBACK SettingsWindow::windowProc(HWND hwnd, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
    auto* self = reinterpret_cast<SettingsWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<SettingsWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
    return self->onMessage(message, wparam, lparam);
}

LRESULT SettingsWindow::onMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    Globals& g = *g_;
    switch (message) {
        case WM_CREATE: {
            buildControls();
            g.settingsWindow = this;
            if (g.platform.timer)
                static_cast<Timer*>(g.platform.timer)->bind(timerWindowOf(controls_));
            if (g.platform.hotkeys) static_cast<Hotkeys*>(g.platform.hotkeys)->bind(g, hwnd_);
            if (g.platform.tray) static_cast<Tray*>(g.platform.tray)->bind(g, hwnd_);
            if (g.platform.about) static_cast<About*>(g.platform.about)->bind(g, hwnd_);
            onSettingsWindowCreated(g);
            return 0;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wparam);
            const int code = HIWORD(wparam);
            if (id == IDCANCEL) {  // Esc, through the dialog keyboard handling
                closeSettingsWindow(g);
                return 0;
            }
            if (id >= kFirstMenuId && id < kFirstMenuId + 16) {
                handleMenuItem(g, id - kFirstMenuId);
                return 0;
            }
            auto it = names_.find(id);
            if (it == names_.end()) break;
            const Text name = it->second;  // the handler may run nested ones
            if (code == BN_CLICKED) {
                handleControlEvent(g, name, ControlEvent::Clicked);
            } else if (code == CBN_SELCHANGE) {
                handleControlEvent(g, name, ControlEvent::ItemSelected);
            } else if (code == EN_CHANGE) {
                handleControlEvent(g, name, ControlEvent::TextChanged);
            } else if (code == EN_KILLFOCUS) {
                handleControlEvent(g, name, ControlEvent::FocusLost);
            }
            // STN_CLICKED of a link text is 0, the same code as BN_CLICKED.
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            HWND child = reinterpret_cast<HWND>(lparam);
            const int id = GetDlgCtrlID(child);
            auto it = names_.find(id);
            if (it != names_.end() && it->second.rfind("超级链接框", 0) == 0) {
                HDC dc = reinterpret_cast<HDC>(wparam);
                SetTextColor(dc, RGB(0, 0, 238));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            paintBanner(dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_CLOSE:  // every close request runs the close procedure and is refused
            closeSettingsWindow(g);
            return 0;
        case kDestroyRequest:
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            g.settingsWindow = nullptr;
            if (g.platform.timer) static_cast<Timer*>(g.platform.timer)->bind(nullptr);
            if (font_) DeleteObject(font_);
            if (banner_) DeleteObject(banner_);
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

// Decoded at the first paint, so a start in the background never loads it.
void SettingsWindow::paintBanner(HDC dc) {
    if (!bannerTried_) {
        bannerTried_ = true;
        banner_ = decodePictureResource(IDR_BANNER);
    }
    drawBitmap(dc, banner_, 0, 0);
}

LRESULT CALLBACK SettingsWindow::timerProc(HWND hwnd, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    if (message == WM_TIMER && wparam == Timer::kTimerId) {
        auto* self = reinterpret_cast<SettingsWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && self->g_) onTimerElapsed(*self->g_);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK SettingsWindow::numberEditProc(HWND hwnd, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
    // Typed characters only; pasted text goes through unfiltered.
    if (message == WM_CHAR && !acceptsTypedCharacter(static_cast<unsigned char>(wparam)))
        return 0;
    return CallWindowProcA(editProcedure, hwnd, message, wparam, lparam);
}

namespace {
// What the chained procedure needs to find: the window's context and the procedure it replaced.
HWND hotkeyWindow = nullptr;
Globals* hotkeyContext = nullptr;
WNDPROC beforeHotkeys = nullptr;

LRESULT CALLBACK hotkeyWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_HOTKEY) {
        if (hotkeyContext) onHotkey(*hotkeyContext, static_cast<std::intptr_t>(wparam));
        return 0;
    }
    return CallWindowProcA(beforeHotkeys, hwnd, message, wparam, lparam);
}
}  // namespace

void Hotkeys::bind(Globals& g, HWND window) {
    hotkeyContext = &g;
    hotkeyWindow = window;
}

bool Hotkeys::registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) {
    return hotkeyWindow && RegisterHotKey(hotkeyWindow, id, modifiers, key) != FALSE;
}

void Hotkeys::installHotkeyProcedure() {
    if (!hotkeyWindow || beforeHotkeys) return;
    beforeHotkeys = reinterpret_cast<WNDPROC>(
        SetWindowLongA(hotkeyWindow, GWL_WNDPROC, reinterpret_cast<LONG>(hotkeyWindowProc)));
}

// The record is the shell's own 488-byte form, field for field.
static_assert(sizeof(void*) != 4 || offsetof(NOTIFYICONDATAA, hWnd) == offsetof(TrayRecord, hWnd));
static_assert(sizeof(void*) != 4 || offsetof(NOTIFYICONDATAA, hIcon) == offsetof(TrayRecord, hIcon));
static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(TrayRecord, szTip));
static_assert(offsetof(NOTIFYICONDATAA, dwState) == offsetof(TrayRecord, dwState));
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == offsetof(TrayRecord, szInfo));
static_assert(offsetof(NOTIFYICONDATAA, uTimeout) == offsetof(TrayRecord, uTimeout));
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == offsetof(TrayRecord, szInfoTitle));
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(TrayRecord, dwInfoFlags));
static_assert(NOTIFYICONDATAA_V2_SIZE == sizeof(TrayRecord));

namespace {
HWND trayWindow = nullptr;
Globals* trayContext = nullptr;
WNDPROC beforeTray = nullptr;

LRESULT CALLBACK trayWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    WNDPROC previous = beforeTray;  // noted first: the icon may be removed on the way
    if (trayContext &&
        trayMessage(*trayContext, message, wparam, lparam) == TrayOutcome::Answered)
        return 0;
    return CallWindowProcA(previous, hwnd, message, wparam, lparam);
}
}  // namespace

void Tray::bind(Globals& g, HWND window) {
    trayContext = &g;
    trayWindow = window;
}

void Tray::notify(int operation, const TrayRecord& record) {
    NOTIFYICONDATAA data;
    static_assert(sizeof data >= sizeof record);
    std::memcpy(&data, &record, sizeof record);
    Shell_NotifyIconA(static_cast<DWORD>(operation), &data);
}

std::uint32_t Tray::windowHandle() {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(trayWindow));
}

std::uint32_t Tray::smallIcon() {
    return static_cast<std::uint32_t>(
        static_cast<std::uintptr_t>(SendMessageA(trayWindow, WM_GETICON, ICON_SMALL, 0)));
}

void Tray::installTrayProcedure() {
    beforeTray = reinterpret_cast<WNDPROC>(
        SetWindowLongA(trayWindow, GWL_WNDPROC, reinterpret_cast<LONG>(trayWindowProc)));
}

void Tray::restoreProcedure() {
    if (beforeTray) SetWindowLongA(trayWindow, GWL_WNDPROC, reinterpret_cast<LONG>(beforeTray));
    beforeTray = nullptr;
}

void Tray::showMenuAtCursor() {
    HMENU menu = CreatePopupMenu();
    int position = 0;
    for (const MenuItemForm& item : settingsWindowForm().menu) {
        if (item.caption == "-")
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(kFirstMenuId + position),
                        item.caption.c_str());
        ++position;
    }
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x + 3, at.y + 3, 0, trayWindow, nullptr);
    DestroyMenu(menu);
}

namespace {
const char* browseInitialPath = nullptr;

int CALLBACK folderBrowserCallback(HWND dialog, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED && browseInitialPath)
        SendMessageA(dialog, BFFM_SETSELECTIONA, 1, reinterpret_cast<LPARAM>(browseInitialPath));
    return 1;
}
}  // namespace

Text Shell::browseForFolder(const Text& title, unsigned flags, const Text& initialFolder) {
    BROWSEINFOA info = {};
    info.lpszTitle = title.c_str();
    info.ulFlags = flags;
    info.lpfn = folderBrowserCallback;
    browseInitialPath = initialFolder.c_str();
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    browseInitialPath = nullptr;
    char buffer[513];
    for (int i = 0; i < 512; ++i) buffer[i] = ' ';
    buffer[512] = '\0';
    if (item) {
        SHGetPathFromIDListA(item, buffer);
        CoTaskMemFree(item);
    }
    return Text(buffer);
}

}  // namespace pelmora::win32
