// The flat GDI+ and COM stream entry points, declared here: gdiplus.dll and
// ole32.dll are loaded by name when a picture is handled, never linked.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace pelmora::win32::flat {

using GpStatus = int;
constexpr GpStatus kOk = 0;

struct GdiplusStartupInput {
    UINT32 gdiplusVersion;
    void* debugEventCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};

using GdiplusStartupFn = GpStatus(WINAPI*)(ULONG_PTR* token, const GdiplusStartupInput* input,
                                           void* output);
using CreateStreamOnHGlobalFn = HRESULT(WINAPI*)(HGLOBAL block, BOOL deleteOnRelease,
                                                 IStream** stream);

// Loaded by name and pinned, so it stays for the life of the process: GDI+ is
// started and never shut down, and its DLL must not be unloaded under its own
// background thread. A pinned module ignores further references, so nothing piles up.
inline HMODULE pinnedLibrary(const char* name) {
    HMODULE module = LoadLibraryA(name);
    if (module == nullptr) return nullptr;
    HMODULE pinned = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, name, &pinned)) {
        FreeLibrary(module);
        return nullptr;
    }
    return module;
}

// Looked up at each call, as the libraries are not linked.
template <typename Fn>
Fn procedure(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Releases its stream, and with it the stream's block when it owns one.
class Stream {
public:
    Stream() = default;
    ~Stream() {
        if (stream_ != nullptr) stream_->Release();
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    IStream* get() const { return stream_; }
    IStream** out() { return &stream_; }

private:
    IStream* stream_ = nullptr;
};

}  // namespace pelmora::win32::flat
