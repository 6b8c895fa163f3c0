// System-wide key combinations, registered for the settings window.
#pragma once

#include <cstdint>

namespace pelmora {

class HotkeyHost {
public:
    virtual ~HotkeyHost() = default;
    // RegisterHotKey for the settings window; true when the system accepted it.
    virtual bool registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) = 0;
    // Puts the hotkey procedure in front of the window's procedure, once.
    virtual void installHotkeyProcedure() = 0;
};

}  // namespace pelmora
