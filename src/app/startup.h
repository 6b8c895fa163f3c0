// The life of the process: start-up decisions, closing the window, ending.
#pragma once

#include <vector>

#include "base/text.h"

namespace pelmora {

struct Globals;

extern const char* const kBackgroundToken;  // "后台"

// The arguments of a command line, the program path not included.
std::vector<Text> commandLineArguments(const Text& commandLine);
bool isBackgroundStart(const Text& commandLine);

void onSettingsWindowCreated(Globals& g);
void chooseStartMode(Globals& g);
// Every close request of the settings window comes here, and is refused.
void closeSettingsWindow(Globals& g);
// Destroys the settings window once the current handler is done; nothing is saved.
void endProcess(Globals& g);

}  // namespace pelmora
