// The About window's behaviour.
#pragma once

#include "base/text.h"

namespace pelmora {

struct Globals;

const Text& makerNote();
// One at a time: an open one is brought back.
void openAboutWindow(Globals& g);
// The left mouse button pressed at this point of the About window's client area.
void onAboutPress(Globals& g, int x, int y);

}  // namespace pelmora
