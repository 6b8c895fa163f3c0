#include "desktop/hotkeys.h"

#include "app/globals.h"
#include "app/settings_window.h"
#include "app/startup.h"
#include "rotation/rotation.h"

namespace pelmora {

namespace {

void stepBackwards(Globals& g) { advance(g, true); }
void stepForwards(Globals& g) { advance(g, false); }

}  // namespace

bool registerHotkey(Globals& g, std::uint32_t modifiers, std::uint32_t key, HotkeyHandler handler) {
    HotkeyHost* host = g.platform.hotkeys;
    if (host == nullptr) return false;
    const int id = static_cast<int>(g.hotkeys.rows.size()) + 1;
    if (!host->registerHotKey(id, modifiers, key)) return false;
    g.hotkeys.rows.push_back({modifiers, key, handler});
    if (g.hotkeys.rows.size() == 1) host->installHotkeyProcedure();
    return true;
}

void registerGlobalHotkeys(Globals& g) {
    registerHotkey(g, kModWin, 37, stepBackwards);       // Win+Left
    registerHotkey(g, kModWin, 39, stepForwards);        // Win+Right
    registerHotkey(g, kModWin, 46, deleteCurrentImage);  // Win+Delete
    registerHotkey(g, kModWin, 13, showSettingsWindow);  // Win+Enter
    registerHotkey(g, kModWin, 88, endProcess);          // Win+X
}

void onHotkey(Globals& g, std::intptr_t id) {
    if (id < 1 || id > static_cast<std::intptr_t>(g.hotkeys.rows.size())) return;
    g.hotkeys.rows[static_cast<std::size_t>(id - 1)].handler(g);
}

}  // namespace pelmora
