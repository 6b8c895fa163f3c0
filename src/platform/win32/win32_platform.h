// The Win32 implementations of the platform seam.
#pragma once

#include "platform/platform.h"

namespace pelmora::win32 {

class ProfileStore final : public pelmora::ProfileStore {
public:
    Text readString(const Text& section, const Text& key, const Text& def,
                    const Text& path) override;
    bool writeString(const Text& section, const Text& key, const Text& value,
                     const Text& path) override;
};

class Registry final : public pelmora::Registry {
public:
    RegistryKey openForWrite(RegistryRoot root, const Text& path) override;
    RegistryKey createKey(RegistryRoot root, const Text& path) override;
    bool setText(RegistryKey key, const Text& name, const Text& data) override;
    bool deleteValue(RegistryKey key, const Text& name) override;
    void close(RegistryKey key) override;
};

class Ui final : public pelmora::Ui {
public:
    void messageBox(const Text& text, const Text& caption, unsigned style) override;
    void pumpPendingEvents() override;
};

// The executable's full path as GetModuleFileNameA gives it (at most 260 bytes).
Text modulePath();

// Everything the shipped program binds, in one place.
struct Win32Platform {
    ProfileStore profile;
    Registry registry;
    Ui ui;
    Platform table{&profile, &registry, &ui};
};

}  // namespace pelmora::win32
