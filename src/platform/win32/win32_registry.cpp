#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

namespace {

HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY handle(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegistryKey Registry::openForWrite(RegistryRoot root, const Text& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey(root), path.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<RegistryKey>(key);
}

RegistryKey Registry::createKey(RegistryRoot root, const Text& path) {
    HKEY key = nullptr;
    if (RegCreateKeyA(rootKey(root), path.c_str(), &key) != ERROR_SUCCESS) return 0;
    return reinterpret_cast<RegistryKey>(key);
}

bool Registry::setText(RegistryKey key, const Text& name, const Text& data) {
    return RegSetValueExA(handle(key), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool Registry::deleteValue(RegistryKey key, const Text& name) {
    return RegDeleteValueA(handle(key), name.c_str()) == ERROR_SUCCESS;
}

void Registry::close(RegistryKey key) {
    if (key != 0) RegCloseKey(handle(key));
}

}  // namespace pelmora::win32
