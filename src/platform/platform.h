// The one table of platform services that logic reaches the system through.
#pragma once

#include "platform/about.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/imaging.h"
#include "platform/profile_store.h"
#include "platform/registry.h"
#include "platform/timer.h"
#include "platform/tray.h"
#include "platform/ui.h"
#include "platform/windows.h"

namespace pelmora {

struct Platform {
    ProfileStore* profile = nullptr;
    Registry* registry = nullptr;
    Ui* ui = nullptr;
    FileSystem* files = nullptr;
    Imaging* imaging = nullptr;
    Clock* clock = nullptr;
    Timer* timer = nullptr;
    Shell* shell = nullptr;
    HotkeyHost* hotkeys = nullptr;
    TrayHost* tray = nullptr;
    AboutHost* about = nullptr;
};

}  // namespace pelmora
