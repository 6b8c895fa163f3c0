#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

Text modulePath() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return Text(buffer, n < MAX_PATH ? n : MAX_PATH);
}

}  // namespace pelmora::win32
