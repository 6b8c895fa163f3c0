// Imaging::transcodeToBmp against the bare GDI+ decode and encode of the same picture.
//
//   pelmora_transcode_bench.exe PICTURE [REPETITIONS]
//
// Runs each way in child processes of its own, so their peak working sets stay
// apart, and prints both, the best and median times and their ratios.
// scripts/bench-transcode.sh makes a 4000x3000 JPEG and runs this under Wine.
// A child is this program again:
//
//   pelmora_transcode_bench.exe --run imaging|bare PICTURE REPETITIONS
//
// printing one line: way, first time, the repetitions' times, peak and starting
// working sets, BMP size and a hash of the BMP (the two ways must agree).
#include <windows.h>
#include <objidl.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace {

struct GpImage;
struct StartupInput {
    UINT32 version;
    void* debugEventCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};
using StartupFn = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using CreateBitmapFn = int(WINAPI*)(IStream*, GpImage**);
using SaveFn = int(WINAPI*)(GpImage*, IStream*, const CLSID*, const void*);
using DisposeFn = int(WINAPI*)(GpImage*);
using ClsidFromStringFn = HRESULT(WINAPI*)(LPCOLESTR, CLSID*);
using CreateStreamFn = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
using BlockOfStreamFn = HRESULT(WINAPI*)(IStream*, HGLOBAL*);

template <typename Fn>
Fn procedure(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

double now() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

std::uint32_t fnv1a(const void* data, std::size_t size) {
    std::uint32_t h = 2166136261u;
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 16777619u;
    return h;
}

PROCESS_MEMORY_COUNTERS memoryCounters() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c;
}

// The unavoidable work: the bytes into a stream, decode, encode into a memory
// stream. The functions are looked up once; GDI+ is started once.
class BareGdiplus {
public:
    bool load() {
        HMODULE gdiplus = LoadLibraryA("gdiplus.dll");
        HMODULE ole32 = LoadLibraryA("ole32.dll");
        if (gdiplus == nullptr || ole32 == nullptr) return false;
        auto startup = procedure<StartupFn>(gdiplus, "GdiplusStartup");
        auto clsidFromString = procedure<ClsidFromStringFn>(ole32, "CLSIDFromString");
        createBitmap_ = procedure<CreateBitmapFn>(gdiplus, "GdipCreateBitmapFromStream");
        save_ = procedure<SaveFn>(gdiplus, "GdipSaveImageToStream");
        dispose_ = procedure<DisposeFn>(gdiplus, "GdipDisposeImage");
        createStream_ = procedure<CreateStreamFn>(ole32, "CreateStreamOnHGlobal");
        blockOf_ = procedure<BlockOfStreamFn>(ole32, "GetHGlobalFromStream");
        if (!startup || !clsidFromString || !createBitmap_ || !save_ || !dispose_ ||
            !createStream_ || !blockOf_)
            return false;
        const StartupInput input{1, nullptr, FALSE, FALSE};
        ULONG_PTR token = 0;
        if (startup(&token, &input, nullptr) != 0) return false;
        return SUCCEEDED(clsidFromString(L"{557CF400-1A04-11D3-9A73-0000F81EF32E}", &bmp_));
    }

    // Milliseconds spent in the work; the hash and size of the BMP are taken outside them.
    double run(const std::string& bytes, std::size_t& size, std::uint32_t& hash) {
        size = 0;
        hash = 0;
        const double t0 = now();
        HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
        if (block == nullptr) return now() - t0;
        std::memcpy(block, bytes.data(), bytes.size());
        IStream* in = nullptr;
        IStream* out = nullptr;
        GpImage* image = nullptr;
        createStream_(block, TRUE, &in);
        createBitmap_(in, &image);
        createStream_(nullptr, TRUE, &out);
        const int saved = save_(image, out, &bmp_, nullptr);
        const double t1 = now();
        HGLOBAL result = nullptr;
        blockOf_(out, &result);
        if (saved == 0 && result != nullptr) {
            size = GlobalSize(result);
            hash = fnv1a(GlobalLock(result), size);
            GlobalUnlock(result);
        }
        const double t2 = now();
        if (image != nullptr) dispose_(image);
        if (out != nullptr) out->Release();
        if (in != nullptr) in->Release();
        return (t1 - t0) + (now() - t2);
    }

private:
    CreateBitmapFn createBitmap_ = nullptr;
    SaveFn save_ = nullptr;
    DisposeFn dispose_ = nullptr;
    CreateStreamFn createStream_ = nullptr;
    BlockOfStreamFn blockOf_ = nullptr;
    CLSID bmp_{};
};

int child(const std::string& way, const char* picture, int repetitions) {
    const SIZE_T atStart = memoryCounters().WorkingSetSize;
    OleInitialize(nullptr);  // as the program does at start-up
    std::ifstream file(picture, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    const std::string bytes = content.str();
    if (bytes.empty()) {
        std::fprintf(stderr, "cannot read %s\n", picture);
        return 2;
    }

    pelmora::win32::Imaging imaging;
    BareGdiplus bare;
    if (way == "bare" && !bare.load()) {
        std::fprintf(stderr, "GDI+ could not be loaded\n");
        return 2;
    }
    std::vector<double> times;
    std::size_t size = 0;
    std::uint32_t hash = 0;
    for (int i = 0; i <= repetitions; ++i) {
        if (way == "bare") {
            times.push_back(bare.run(bytes, size, hash));
        } else {
            const double t0 = now();
            const pelmora::Text bmp = imaging.transcodeToBmp(bytes);
            times.push_back(now() - t0);
            size = bmp.size();
            hash = fnv1a(bmp.data(), bmp.size());
        }
    }
    std::printf("%s", way.c_str());
    for (double t : times) std::printf(" %.2f", t);
    std::printf(" peak %lu start %lu size %lu hash %08lx\n",
                static_cast<unsigned long>(memoryCounters().PeakWorkingSetSize),
                static_cast<unsigned long>(atStart), static_cast<unsigned long>(size),
                static_cast<unsigned long>(hash));
    return size == 0 ? 1 : 0;
}

// Runs this program as a child and returns what it printed.
bool runChild(const std::string& arguments, std::string& output) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " + arguments;

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                       nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return false;
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code == 0;
}

// One way's figures over all its child runs.
struct Figures {
    std::vector<double> firsts, times;
    unsigned long peak = 0, start = 0, size = 0, hash = 0;

    bool add(const std::string& line) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        std::vector<double> run;
        while (in >> word && word != "peak") run.push_back(std::atof(word.c_str()));
        unsigned long childPeak = 0;
        std::string k1, k2, k3;
        in >> childPeak >> k1 >> start >> k2 >> size >> k3 >> std::hex >> hash;
        if (run.size() < 2 || k3 != "hash") return false;
        peak = std::max(peak, childPeak);
        firsts.push_back(run.front());
        times.insert(times.end(), run.begin() + 1, run.end());
        return true;
    }
    double best() const { return *std::min_element(times.begin(), times.end()); }
    double median() const {
        std::vector<double> t = times;
        std::sort(t.begin(), t.end());
        const std::size_t n = t.size();
        return n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
    }
    double first() const { return *std::max_element(firsts.begin(), firsts.end()); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--run")
        return child(argv[2], argv[3], std::max(1, std::atoi(argv[4])));
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s PICTURE [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int repetitions = argc == 3 ? std::max(1, std::atoi(argv[2])) : 10;

    // Rounds in which the ways take turns, so that neither always runs on a
    // colder or busier machine.
    const int rounds = 3;
    Figures figures[2];
    const char* ways[2] = {"bare", "imaging"};
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            std::string output;
            const std::string arguments = std::string("--run ") + ways[i] + " \"" + argv[1] +
                                          "\" " + std::to_string(repetitions);
            if (!runChild(arguments, output) || !figures[i].add(output)) {
                std::fprintf(stderr, "the %s run failed: %s\n", ways[i], output.c_str());
                return 1;
            }
        }
    }
    const Figures& bare = figures[0];
    const Figures& imaging = figures[1];
    const auto mb = [](unsigned long bytes) { return bytes / 1048576.0; };

    std::printf("picture %s, BMP of %lu bytes\n", argv[1], imaging.size);
    std::printf("each way: %d child processes, %d timed runs each after a first one\n", rounds,
                repetitions);
    std::printf("%-26s %9s %9s %9s %12s %12s\n", "", "first ms", "best ms", "median ms",
                "peak WS MB", "start WS MB");
    const char* names[2] = {"bare GDI+ decode+encode", "Imaging::transcodeToBmp"};
    for (int i = 0; i < 2; ++i)
        std::printf("%-26s %9.1f %9.1f %9.1f %12.1f %12.1f\n", names[i], figures[i].first(),
                    figures[i].best(), figures[i].median(), mb(figures[i].peak),
                    mb(figures[i].start));
    std::printf("ratio (Imaging / bare): median %.3fx, best %.3fx (target at most 1.1x)\n",
                imaging.median() / bare.median(), imaging.best() / bare.best());
    std::printf("peak working set: %+.1f MB for Imaging over bare\n",
                mb(imaging.peak) - mb(bare.peak));
    if (imaging.size != bare.size || imaging.hash != bare.hash) {
        std::printf("the two BMPs differ (%lu bytes %08lx against %lu bytes %08lx)\n",
                    imaging.size, imaging.hash, bare.size, bare.hash);
        return 1;
    }
    std::printf("both ways give the same BMP\n");
    return 0;
}
