#include "platform/win32/win32_about.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <map>
#include <vector>

#include "app/about.h"
#include "app/forms.h"
#include "app/globals.h"
#include "platform/win32/win32_pictures.h"

namespace pelmora::win32 {

namespace {

constexpr UINT kCloseRequest = WM_APP + 2;
const char* const kAboutClass = "PelmoraAbout";

// What the About window's procedure needs to find.
Globals* context = nullptr;
HWND ownerWindow = nullptr;
HWND aboutWindow = nullptr;
bool closing = false;
HFONT font = nullptr;
std::map<int, HBITMAP> pictures;

void paint(HDC dc) {
    for (const ControlForm& c : aboutWindowForm().controls) {
        if (c.kind != ControlKind::Picture) continue;
        HBITMAP& bitmap = pictures[c.picture];
        if (!bitmap) bitmap = decodePictureResource(c.picture);
        drawBitmap(dc, bitmap, c.x, c.y);
    }
}

LRESULT CALLBACK aboutProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wparam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lparam));
            const auto& controls = aboutWindowForm().controls;
            if (id >= 1 && id <= static_cast<int>(controls.size()) &&
                controls[static_cast<std::size_t>(id - 1)].kind == ControlKind::Link)
                SetTextColor(dc, RGB(0, 0, 238));
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        case WM_LBUTTONDOWN:
            if (context)
                onAboutPress(*context, static_cast<short>(LOWORD(lparam)),
                             static_cast<short>(HIWORD(lparam)));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDCANCEL) {  // Esc
                DestroyWindow(hwnd);
                return 0;
            }
            break;
        case kCloseRequest:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            if (hwnd == aboutWindow) aboutWindow = nullptr;
            closing = false;
            for (auto& [id, bitmap] : pictures)
                if (bitmap) DeleteObject(bitmap);
            pictures.clear();
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

void About::bind(Globals& g, HWND owner) {
    context = &g;
    ownerWindow = owner;
}

HWND About::handle() const { return aboutWindow; }

bool About::isOpen() { return aboutWindow && IsWindow(aboutWindow) && !closing; }

void About::bringBack() {
    if (IsIconic(aboutWindow))
        ShowWindow(aboutWindow, SW_RESTORE);
    else
        SetActiveWindow(aboutWindow);
}

void About::open() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = aboutProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kAboutClass;
        registered = RegisterClassA(&wc) != 0;
    }
    const WindowForm& form = aboutWindowForm();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - form.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - form.height) / 2;
    // No title bar: a dialog frame with a sunken inner edge.
    aboutWindow = CreateWindowExA(WS_EX_CLIENTEDGE, kAboutClass, "", WS_POPUP | WS_DLGFRAME, x, y,
                                  form.width, form.height, ownerWindow, nullptr, instance, nullptr);
    if (!aboutWindow) return;
    closing = false;
    if (!font)
        font = createTextFont();
    int id = 1;
    for (const ControlForm& c : form.controls) {
        if (c.kind == ControlKind::Label || c.kind == ControlKind::Link) {
            // Without SS_NOTIFY a static lets presses through to the window.
            HWND h = CreateWindowExA(0, "STATIC", c.caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                                     c.x, c.y, c.width, c.height, aboutWindow,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                     nullptr);
            SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        ++id;
    }
    ShowWindow(aboutWindow, SW_SHOW);
}

void About::drag() {
    if (!aboutWindow) return;
    ReleaseCapture();
    SendMessageA(aboutWindow, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void About::requestClose() {
    if (!aboutWindow || closing) return;
    closing = true;
    PostMessageA(aboutWindow, kCloseRequest, 0, 0);
}

void About::openTarget(const Text& target) {
    if (target.empty()) return;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW));
    if (result > 32) return;
    // The shell refused: the program registered for ".htm" opens it instead.
    char command[MAX_PATH * 2] = {};
    DWORD size = sizeof command;
    if (FAILED(AssocQueryStringA(ASSOCF_NONE, ASSOCSTR_EXECUTABLE, ".htm", "open", command, &size)))
        return;
    ShellExecuteA(nullptr, "open", command, target.c_str(), nullptr, SW_SHOW);
}

}  // namespace pelmora::win32
