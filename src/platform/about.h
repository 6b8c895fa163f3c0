// The About window, as far as logic drives it.
#pragma once

#include "base/text.h"

namespace pelmora {

class AboutHost {
public:
    virtual ~AboutHost() = default;
    // Open and not waiting for its destruction.
    virtual bool isOpen() = 0;
    // Restored when minimised, else made the active window.
    virtual void bringBack() = 0;
    // Created from its form, owned by the settings window, shown; returns at once.
    virtual void open() = 0;
    // WM_NCLBUTTONDOWN with HTCAPTION: the system moves it with the mouse.
    virtual void drag() = 0;
    // Destroyed once the message loop gets to it.
    virtual void requestClose() = 0;
    // ShellExecuteA "open", and the ".htm" command when the shell refuses.
    virtual void openTarget(const Text& target) = 0;
};

}  // namespace pelmora
