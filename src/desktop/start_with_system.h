// The log-on start entry under the Run key.
#pragma once

#include "base/text.h"

namespace pelmora {

struct Globals;

extern const char* const kRunKeyPath;
extern const char* const kRunValueName;

// "\"<program directory>\\<executable name>\" 后台"
Text startWithSystemCommand(const Globals& g);

// Writes the entry while startWithSystem is on, deletes it while it is off.
void applyStartWithSystem(Globals& g);

}  // namespace pelmora
