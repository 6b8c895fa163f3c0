#include "app/globals.h"

namespace pelmora {

std::unique_ptr<Globals> createGlobals(Platform& platform) {
    return std::make_unique<Globals>(platform);
}

void releaseGlobals(std::unique_ptr<Globals>& globals) {
    if (globals) {
        globals->settingsFile.release();
        globals->catalogue.clear();
    }
    globals.reset();
}

unsigned noticeStyle(unsigned flags) {
    unsigned style = flags + 4096;
    if ((flags & (16u | 32u)) == 0) style += 48;
    return style;
}

void noticeBox(Globals& g, const Text& text, unsigned flags, const Text& caption) {
    if (g.platform.ui == nullptr) return;
    g.platform.ui->messageBox(text, caption.empty() ? Text("Pelmora：") : caption,
                              noticeStyle(flags));
}

void pumpPendingEvents(Globals& g) {
    if (g.platform.ui != nullptr) g.platform.ui->pumpPendingEvents();
}

}  // namespace pelmora
