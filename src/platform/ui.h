// Message boxes and the message pump.
#pragma once

#include "base/text.h"

namespace pelmora {

class Ui {
public:
    virtual ~Ui() = default;
    // Ownerless message box; returns when dismissed.
    virtual void messageBox(const Text& text, const Text& caption, unsigned style) = 0;
    // Handles every pending window message; a pending quit stays queued.
    virtual void pumpPendingEvents() = 0;
};

}  // namespace pelmora
