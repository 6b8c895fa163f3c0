// The instructions text.
#pragma once

#include "base/text.h"

namespace pelmora {

struct Globals;

const Text& helpText();
// The instructions in a notice box captioned "说明".
void showInstructions(Globals& g);

}  // namespace pelmora
