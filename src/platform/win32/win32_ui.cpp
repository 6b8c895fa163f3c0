#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

void Ui::messageBox(const Text& text, const Text& caption, unsigned style) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

void Ui::pumpPendingEvents() {
    MSG msg;
    // Look first without removing, so a quit request stays queued for the main loop.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        HWND dialog = static_cast<HWND>(dialog_);
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace pelmora::win32
