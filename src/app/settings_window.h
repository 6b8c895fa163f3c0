// The settings window's behaviour: its handlers, the start-up copy of the
// settings into its controls, bringing it back, and the folder dialog.
#pragma once

#include "base/text.h"

namespace pelmora {

struct Globals;

enum class ControlEvent { Clicked, ItemSelected, TextChanged, FocusLost };

// Runs the handler of the named control for the event, if it has one.
void handleControlEvent(Globals& g, const Text& name, ControlEvent event);
// A menu item of "菜单", by its position.
void handleMenuItem(Globals& g, int position);

void copySettingsToControls(Globals& g);
void showSettingsWindow(Globals& g);

Text browseForFolder(Globals& g, const Text& title, bool includeFiles, const Text& initialFolder,
                     bool showEditBox = false, bool newStyle = true);
unsigned browseFlags(bool includeFiles, bool showEditBox, bool newStyle);
// ASCII and full-width spaces off both ends.
Text trimSpaces(const Text& text);

// The folder text without its trailing backslashes; a backslash that is the
// second byte of a double-byte character stays.
Text withoutTrailingBackslashes(const Text& text);

// The interval box's number input: which typed characters it takes, and what
// its text becomes when it loses the focus.
bool acceptsTypedCharacter(unsigned char c);
Text reformattedNumberText(const Text& text);

}  // namespace pelmora
