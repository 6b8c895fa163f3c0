// The five global hotkeys: a table filled at start-up, dispatch by identifier.
#pragma once

#include <cstdint>
#include <vector>

namespace pelmora {

struct Globals;

using HotkeyHandler = void (*)(Globals&);

struct HotkeyEntry {
    std::uint32_t modifiers;
    std::uint32_t key;
    HotkeyHandler handler;
};

// Row k belongs to identifier k: identifiers are dense over the successes.
struct HotkeyTable {
    std::vector<HotkeyEntry> rows;
};

constexpr std::uint32_t kModWin = 8;

bool registerHotkey(Globals& g, std::uint32_t modifiers, std::uint32_t key, HotkeyHandler handler);
void registerGlobalHotkeys(Globals& g);
// A WM_HOTKEY: runs the handler of that identifier; other identifiers do nothing.
void onHotkey(Globals& g, std::intptr_t id);

}  // namespace pelmora
