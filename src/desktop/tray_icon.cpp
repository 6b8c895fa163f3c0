#include "desktop/tray_icon.h"

#include <cstring>

#include "app/globals.h"
#include "app/settings_window.h"

namespace pelmora {

namespace {

void copyTip(TrayRecord& r, const Text& tip) {
    const std::size_t n = tip.size() < sizeof r.szTip - 1 ? tip.size() : sizeof r.szTip - 1;
    std::memset(r.szTip, 0, sizeof r.szTip);
    std::memcpy(r.szTip, tip.data(), n);
}

}  // namespace

void addTrayIcon(Globals& g, const Text& tip, TrayMouseHandler mouseHandler) {
    TrayHost* host = g.platform.tray;
    if (host == nullptr) return;
    TrayIcon& t = g.tray;
    t.window = host->windowHandle();
    if (t.shown) {
        t.record.uFlags = 7;
        copyTip(t.record, tip);
        host->notify(1, t.record);
        return;
    }
    host->installTrayProcedure();
    t.shown = true;
    t.mouseHandler = mouseHandler;
    t.record.cbSize = sizeof(TrayRecord);
    t.record.hWnd = t.window;
    t.record.hIcon = host->smallIcon();
    t.record.uID = 1;
    t.record.uFlags = 7;
    t.record.uCallbackMessage = kTrayCallbackMessage;
    copyTip(t.record, tip);
    host->notify(0, t.record);
}

void removeTrayIcon(Globals& g) {
    TrayIcon& t = g.tray;
    if (!t.shown || g.platform.tray == nullptr) return;
    g.platform.tray->restoreProcedure();
    t.shown = false;
    g.platform.tray->notify(2, t.record);
}

void onTrayMouse(Globals& g, std::uint32_t mouseMessage) {
    if (mouseMessage == 513) {
        showSettingsWindow(g);
    } else if (mouseMessage == 517 && g.platform.tray) {
        g.platform.tray->showMenuAtCursor();
    }
}

TrayOutcome trayMessage(Globals& g, std::uint32_t message, std::uintptr_t, std::intptr_t lparam) {
    TrayIcon& t = g.tray;
    if (message == 2) {  // WM_DESTROY: the icon goes before the window's own handling
        removeTrayIcon(g);
        return TrayOutcome::PassOn;
    }
    if (message == kTrayCallbackMessage) {
        if (t.mouseHandler == nullptr) return TrayOutcome::PassOn;
        t.mouseHandler(g, static_cast<std::uint32_t>(lparam));
        return TrayOutcome::Answered;
    }
    if (g.taskbarCreatedMessage != 0 && message == g.taskbarCreatedMessage && t.shown &&
        g.platform.tray)
        g.platform.tray->notify(0, t.record);
    return TrayOutcome::PassOn;
}

}  // namespace pelmora
