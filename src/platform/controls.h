// What logic may do to a control or a window.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

struct ListItem {
    Text text;
    bool checked = false;
    std::int32_t value = 0;
};

// Writing an edit box's text runs its text-changed handler once; setting the
// checked state or the current item runs no handler. A current item above the
// last selects the last, one below -1 selects none.
class Control {
public:
    virtual ~Control() = default;
    // Caption, edit text or combo box content text.
    virtual Text text() const = 0;
    virtual void setText(const Text& text) = 0;
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
    virtual int currentItem() const = 0;
    virtual void setCurrentItem(int index) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;

    // List boxes; other controls have no items.
    virtual int itemCount() const { return 0; }
    virtual ListItem item(int) const { return {}; }
    virtual void clearItems() {}
    virtual void addItem(const ListItem&) {}
};

struct WindowRect {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
};

class Window {
public:
    virtual ~Window() = default;
    // 2 or more is minimised or maximised.
    virtual int placementState() const = 0;
    virtual void setPlacementState(int state) = 0;
    virtual WindowRect rect() const = 0;
    virtual void moveTo(const WindowRect& rect) = 0;
};

}  // namespace pelmora
