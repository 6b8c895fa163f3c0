#include <windows.h>

#include <new>
#include <stdexcept>

#include "platform/win32/win32_platform.h"

namespace pelmora::win32 {

namespace {

void fill(const WIN32_FIND_DATAA& data, DirectoryEntry& entry) {
    entry.name = data.cFileName;
    entry.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

class File {
public:
    explicit File(HANDLE h) : h_(h) {}
    ~File() {
        if (valid()) CloseHandle(h_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

}  // namespace

Enumeration FileSystem::firstEntry(const Text& pattern, DirectoryEntry& entry) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    fill(data, entry);
    return reinterpret_cast<Enumeration>(find);
}

bool FileSystem::nextEntry(Enumeration enumeration, DirectoryEntry& entry) {
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(reinterpret_cast<HANDLE>(enumeration), &data)) return false;
    fill(data, entry);
    return true;
}

void FileSystem::closeEnumeration(Enumeration enumeration) {
    if (enumeration != 0) FindClose(reinterpret_cast<HANDLE>(enumeration));
}

std::optional<FolderIdentity> FileSystem::folderIdentity(const Text& folder) {
    // Backup semantics open folders; links are followed, so two ways to one
    // folder give one identity.
    File f(CreateFileA((folder + "\\").c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!f.valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(f.get(), &info)) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                              info.nFileIndexLow};
}

Text FileSystem::readWholeFile(const Text& path) {
    File f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.valid()) return Text();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f.get(), &size) || size.QuadPart < 0) return Text();
    if (static_cast<unsigned long long>(size.QuadPart) > Text().max_size()) return Text();
    Text bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return Text();  // too large for this address space
    } catch (const std::length_error&) {
        return Text();
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(f.get(), &bytes[done], chunk, &got, nullptr)) return Text();
        if (got == 0) break;  // shrank while we read
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool FileSystem::writeWholeFile(const Text& path, const Text& bytes) {
    File f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.valid()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD put = 0;
        if (!WriteFile(f.get(), bytes.data() + done, chunk, &put, nullptr) || put == 0)
            return false;
        done += put;
    }
    return f.close();
}

bool FileSystem::replaceFile(const Text& from, const Text& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileSystem::deleteFile(const Text& path) { return DeleteFileA(path.c_str()) != FALSE; }

}  // namespace pelmora::win32
