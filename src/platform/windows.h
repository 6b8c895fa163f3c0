// What logic may do to the settings window as a whole, and the folder dialog.
#pragma once

#include "base/text.h"
#include "platform/controls.h"

namespace pelmora {

class AppWindow {
public:
    virtual ~AppWindow() = default;
    // The named control of the window's form; an unknown name gives a control
    // that holds nothing.
    virtual Control& control(const Text& name) = 0;
    virtual bool visible() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool minimised() const = 0;
    virtual void restore() = 0;
    virtual bool topmost() const = 0;
    // Without moving, sizing or activating.
    virtual void setTopmost(bool topmost) = 0;
    // Destroys the window once the message loop gets to it, after the running handler.
    virtual void requestDestroy() = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Shows the folder dialog with these flags, preselecting initialFolder, and
    // returns what SHGetPathFromIDListA wrote into 512 spaces, up to its zero.
    virtual Text browseForFolder(const Text& title, unsigned flags, const Text& initialFolder) = 0;
};

}  // namespace pelmora
