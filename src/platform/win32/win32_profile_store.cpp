#include <windows.h>

#include <vector>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

namespace {
constexpr DWORD kReadBufferSize = 10240;
}

Text ProfileStore::readString(const Text& section, const Text& key, const Text& def,
                              const Text& path) {
    std::vector<char> buffer(kReadBufferSize, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(),
                                             buffer.data(), kReadBufferSize, path.c_str());
    return Text(buffer.data(), n < kReadBufferSize ? n : kReadBufferSize - 1);
}

bool ProfileStore::writeString(const Text& section, const Text& key, const Text& value,
                               const Text& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      path.c_str()) != FALSE;
}

}  // namespace pelmora::win32
