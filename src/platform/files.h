// Directory enumeration and whole-file operations.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"

namespace pelmora {

struct DirectoryEntry {
    Text name;  // the long name
    bool directory = false;
    bool link = false;  // a reparse point: a link, junction or mount point
};

// Identifies a folder however it is reached (through links too).
struct FolderIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// Opaque open enumeration; 0 is none.
using Enumeration = std::uintptr_t;

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Starts enumerating pattern (folder + "\*"); 0 when it cannot be started.
    virtual Enumeration firstEntry(const Text& pattern, DirectoryEntry& entry) = 0;
    virtual bool nextEntry(Enumeration enumeration, DirectoryEntry& entry) = 0;
    virtual void closeEnumeration(Enumeration enumeration) = 0;
    virtual std::optional<FolderIdentity> folderIdentity(const Text& folder) = 0;

    // The whole content, or empty bytes when the file cannot be opened, read or
    // held in memory. Others may read the file meanwhile, not write it.
    virtual Text readWholeFile(const Text& path) = 0;
    // Creates or truncates, no sharing; false when it cannot be created or written.
    virtual bool writeWholeFile(const Text& path, const Text& bytes) = 0;
    // Puts from in place of to, replacing it whole.
    virtual bool replaceFile(const Text& from, const Text& to) = 0;
    // Removes the file for good.
    virtual bool deleteFile(const Text& path) = 0;
};

}  // namespace pelmora
