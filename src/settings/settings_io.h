// Loading the settings record from the settings file and saving it back.
#pragma once

namespace pelmora {

struct Globals;

void loadSettings(Globals& g);
// Every setting but the picture position.
void saveSettings(Globals& g);

}  // namespace pelmora
