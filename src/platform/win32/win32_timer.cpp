#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

std::uint32_t Clock::tickCount() { return GetTickCount(); }

void Timer::start(std::uint32_t ms) {
    HWND w = static_cast<HWND>(window_);
    KillTimer(w, kTimerId);
    SetTimer(w, kTimerId, ms, nullptr);
}

void Timer::stop() { KillTimer(static_cast<HWND>(window_), kTimerId); }

}  // namespace pelmora::win32
