#include <windows.h>
#include <ole2.h>

#include "app/globals.h"
#include "platform/win32/win32_about.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_window.h"

using namespace pelmora;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    const ProgramPath self = splitProgramPath(win32::modulePath());
    // "C:" alone would mean drive C's current folder, so the backslash goes back on.
    if (!self.directory.empty()) SetCurrentDirectoryA((self.directory + "\\").c_str());

    win32::Win32Platform platform;
    win32::Shell shell;
    platform.table.shell = &shell;
    win32::Hotkeys hotkeys;
    platform.table.hotkeys = &hotkeys;
    win32::Tray tray;
    platform.table.tray = &tray;
    win32::About about;
    platform.table.about = &about;
    std::unique_ptr<Globals> g = createGlobals(platform.table);
    g->programDirectory = self.directory;
    g->executableFileName = self.fileName;
    g->commandLine = GetCommandLineA();
    g->taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

    win32::SettingsWindow window;
    if (window.create(*g, instance)) {
        platform.ui.setDialog(window.handle());
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            // Tab, access keys and Esc (as IDCANCEL) for the settings window.
            if (IsWindow(window.handle()) && IsDialogMessageA(window.handle(), &msg)) continue;
            if (about.handle() && IsDialogMessageA(about.handle(), &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    releaseGlobals(g);
    OleUninitialize();
    return 0;
}
