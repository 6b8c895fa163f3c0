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
    // The window whose keyboard handling (Tab, Esc) the pump applies.
    void setDialog(void* window) { dialog_ = window; }
    void messageBox(const Text& text, const Text& caption, unsigned style) override;
    void pumpPendingEvents() override;

private:
    void* dialog_ = nullptr;
};

class FileSystem final : public pelmora::FileSystem {
public:
    Enumeration firstEntry(const Text& pattern, DirectoryEntry& entry) override;
    bool nextEntry(Enumeration enumeration, DirectoryEntry& entry) override;
    void closeEnumeration(Enumeration enumeration) override;
    std::optional<FolderIdentity> folderIdentity(const Text& folder) override;
    Text readWholeFile(const Text& path) override;
    bool writeWholeFile(const Text& path, const Text& bytes) override;
    bool replaceFile(const Text& from, const Text& to) override;
    bool deleteFile(const Text& path) override;
};

// GDI+ and the COM stream functions are loaded by name at each use.
class Imaging final : public pelmora::Imaging {
public:
    Text transcodeToBmp(const Text& bytes) override;
    bool setDesktopWallpaper(const Text& path, std::int32_t style) override;
};

class Clock final : public pelmora::Clock {
public:
    std::uint32_t tickCount() override;
};

// SetTimer / KillTimer with identifier 1000 on the timer's own window, whose
// WM_TIMER the owner turns into the schedule's tick.
class Timer final : public pelmora::Timer {
public:
    static constexpr unsigned kTimerId = 1000;
    void bind(void* window) { window_ = window; }
    void start(std::uint32_t ms) override;
    void stop() override;

private:
    void* window_ = nullptr;
};

// The executable's full path as GetModuleFileNameA gives it (at most 260 bytes).
Text modulePath();

// Everything the shipped program binds, in one place.
struct Win32Platform {
    ProfileStore profile;
    Registry registry;
    Ui ui;
    FileSystem files;
    Imaging imaging;
    Clock clock;
    Timer timer;
    Platform table{&profile, &registry, &ui, &files, &imaging, &clock, &timer};
};

}  // namespace pelmora::win32
