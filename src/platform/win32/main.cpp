#include <windows.h>

#include "app/globals.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings_io.h"

using namespace pelmora;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    win32::Win32Platform platform;
    const ProgramPath self = splitProgramPath(win32::modulePath());
    // "C:" alone would mean drive C's current folder, so the backslash goes back on.
    if (!self.directory.empty()) SetCurrentDirectoryA((self.directory + "\\").c_str());

    std::unique_ptr<Globals> g = createGlobals(platform.table);
    g->programDirectory = self.directory;
    g->executableFileName = self.fileName;
    g->settingsFile.setFile(g->programDirectory + kSettingsFileName);
    loadSettings(*g);
    releaseGlobals(g);
    return 0;
}
