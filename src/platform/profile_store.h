// Profile (INI) file access: one platform call per read or write.
#pragma once

#include "base/text.h"

namespace pelmora {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The stored value, or def when the file, section or key is missing. The
    // result holds at most 10239 bytes: the read buffer is 10240 with its zero.
    virtual Text readString(const Text& section, const Text& key, const Text& def,
                            const Text& path) = 0;
    virtual bool writeString(const Text& section, const Text& key, const Text& value,
                             const Text& path) = 0;
};

}  // namespace pelmora
