// The windows' forms: every control's name, kind, place and caption, as data.
#pragma once

#include <vector>

#include "base/text.h"

namespace pelmora {

enum class ControlKind { GroupBox, Label, CheckBox, Edit, DropDownList, Button, Link, Timer, Picture };

struct ControlForm {
    Text name;
    ControlKind kind;
    Text container;  // empty: the window itself
    int x, y, width, height;
    Text caption;
    std::vector<Text> items;
    bool centred = false;  // text centred (edit boxes)
    int picture = 0;       // picture boxes: which of our pictures
    Text target = Text();  // link texts: what pressing opens; empty opens nothing
};

struct MenuItemForm {
    Text caption;  // "-" is a separator
};

struct WindowForm {
    Text title;
    int width, height;  // outer size
    std::vector<ControlForm> controls;
    Text menuName;
    std::vector<MenuItemForm> menu;
};

const WindowForm& settingsWindowForm();
const WindowForm& aboutWindowForm();
const ControlForm* findControl(const WindowForm& form, const Text& name);

// A control's place in the window's client area (containers add their offset).
struct Placement {
    int x, y;
};
Placement placeInWindow(const WindowForm& form, const ControlForm& control);

}  // namespace pelmora
