#include "desktop/start_with_system.h"

#include "app/globals.h"

namespace pelmora {

const char* const kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValueName = "Pelmora";

Text startWithSystemCommand(const Globals& g) {
    return "\"" + g.programDirectory + "\\" + g.executableFileName + "\" 后台";
}

namespace {

bool writeEntry(Registry& reg, RegistryRoot root, const Text& command, bool mayCreate) {
    RegistryKey key = reg.openForWrite(root, kRunKeyPath);
    if (key == 0 && mayCreate) key = reg.createKey(root, kRunKeyPath);
    if (key == 0) return false;
    const bool written = reg.setText(key, kRunValueName, command);
    reg.close(key);
    return written;
}

void deleteEntry(Registry& reg, RegistryRoot root) {
    const RegistryKey key = reg.openForWrite(root, kRunKeyPath);
    if (key == 0) return;
    reg.deleteValue(key, kRunValueName);
    reg.close(key);
}

}  // namespace

void applyStartWithSystem(Globals& g) {
    Registry* reg = g.platform.registry;
    if (reg == nullptr) return;
    if (g.settings.startWithSystem) {
        const Text command = startWithSystemCommand(g);
        // A user who may not write the machine-wide key still gets a working
        // entry: the per-user Run key starts the program at that user's log-on.
        if (!writeEntry(*reg, RegistryRoot::LocalMachine, command, true))
            writeEntry(*reg, RegistryRoot::CurrentUser, command, true);
    } else {
        deleteEntry(*reg, RegistryRoot::LocalMachine);
        deleteEntry(*reg, RegistryRoot::CurrentUser);
    }
}

}  // namespace pelmora
