// The notification area, for the settings window.
#pragma once

#include <cstdint>

namespace pelmora {

struct TrayRecord;

class TrayHost {
public:
    virtual ~TrayHost() = default;
    // Shell_NotifyIconA with NIM_ADD (0), NIM_MODIFY (1) or NIM_DELETE (2).
    virtual void notify(int operation, const TrayRecord& record) = 0;
    virtual std::uint32_t windowHandle() = 0;
    // WM_GETICON, ICON_SMALL.
    virtual std::uint32_t smallIcon() = 0;
    // Puts the tray procedure in front of the window's current one / puts that one back.
    virtual void installTrayProcedure() = 0;
    virtual void restoreProcedure() = 0;
    // The items of "菜单" as a popup 3 pixels right of and below the cursor.
    virtual void showMenuAtCursor() = 0;
};

}  // namespace pelmora
