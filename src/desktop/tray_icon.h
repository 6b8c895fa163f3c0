// The notification-area icon while the process runs in the background.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

struct Globals;

// The shell's icon record in its 488-byte form; handles are 32 bits wide, as
// on the 32-bit platform.
struct TrayRecord {
    std::uint32_t cbSize;
    std::uint32_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon;
    char szTip[128];
    std::uint32_t dwState;
    std::uint32_t dwStateMask;
    char szInfo[256];
    std::uint32_t uTimeout;
    char szInfoTitle[64];
    std::uint32_t dwInfoFlags;
};
static_assert(sizeof(TrayRecord) == 488);

using TrayMouseHandler = void (*)(Globals&, std::uint32_t mouseMessage);

struct TrayIcon {
    std::uint32_t window = 0;
    bool shown = false;  // the tray procedure is in front of the window's procedure
    TrayMouseHandler mouseHandler = nullptr;
    TrayRecord record{};
};

constexpr std::uint32_t kTrayCallbackMessage = 123456;

void addTrayIcon(Globals& g, const Text& tip, TrayMouseHandler mouseHandler);
void removeTrayIcon(Globals& g);
void onTrayMouse(Globals& g, std::uint32_t mouseMessage);

enum class TrayOutcome { PassOn, Answered };
// What the tray procedure does with a message; a message passed on goes to the
// procedure that was in front before the icon was added.
TrayOutcome trayMessage(Globals& g, std::uint32_t message, std::uintptr_t wparam,
                        std::intptr_t lparam);

}  // namespace pelmora
