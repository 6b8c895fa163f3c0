// Registry access for string values.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Opaque open key; 0 is no key.
using RegistryKey = std::uintptr_t;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key for writing.
    virtual RegistryKey openForWrite(RegistryRoot root, const Text& path) = 0;
    // Creates the key, or opens it when it exists.
    virtual RegistryKey createKey(RegistryRoot root, const Text& path) = 0;
    // A REG_SZ value, stored with its ending zero.
    virtual bool setText(RegistryKey key, const Text& name, const Text& data) = 0;
    virtual bool deleteValue(RegistryKey key, const Text& name) = 0;
    virtual void close(RegistryKey key) = 0;
};

}  // namespace pelmora
