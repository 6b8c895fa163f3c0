// The process-wide state, in one context that code receives by reference.
#pragma once

#include <memory>

#include "base/text.h"
#include "desktop/hotkeys.h"
#include "desktop/tray_icon.h"
#include "platform/platform.h"
#include "rotation/catalogue.h"
#include "rotation/rotation.h"
#include "rotation/schedule.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace pelmora {

struct Globals {
    explicit Globals(Platform& p) : platform(p), settingsFile(p.profile) {}

    Platform& platform;
    Settings settings;
    SettingsFile settingsFile;
    ImageCatalogue catalogue;
    RotationState rotation;
    ScheduleState schedule;
    HotkeyTable hotkeys;
    TrayIcon tray;
    // The executable's directory (no trailing backslash) and file name.
    Text programDirectory;
    Text executableFileName;
    // The one settings window, from its creation to its destruction.
    AppWindow* settingsWindow = nullptr;
    Text commandLine;
    Text folderBrowserInitialPath;
    unsigned taskbarCreatedMessage = 0;
};

std::unique_ptr<Globals> createGlobals(Platform& platform);
void releaseGlobals(std::unique_ptr<Globals>& globals);

// Style word 4096 + flags, plus 48 (exclamation) unless flags has bit 16 or 32;
// an empty caption becomes "Pelmora：".
void noticeBox(Globals& g, const Text& text, unsigned flags = 0, const Text& caption = Text());
unsigned noticeStyle(unsigned flags);
void pumpPendingEvents(Globals& g);

}  // namespace pelmora
