// Helpers for tests that run against the real platform.
#pragma once

#include <string>

namespace pelmora::testing {

// A new empty folder under the temporary folder, removed with its files on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string readFileBytes(const std::string& path);
bool writeFileBytes(const std::string& path, const std::string& bytes);

}  // namespace pelmora::testing
