// Prints how long the catalogue build of a folder tree takes against two floors
// measured in the same run on the same tree: a bare FindFirstFileA walk, and the
// same walk with one look at the message queue after every entry, which is the
// least any walk that stays responsive entry by entry has to do.
//   pelmora_catalogue_bench.exe FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/globals.h"
#include "platform/win32/win32_platform.h"
#include "rotation/catalogue.h"

using namespace pelmora;

namespace {

double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Depth first, one enumeration per folder; counts files whose names end in ".jpg".
long walk(const std::string& folder, bool peek) {
    long found = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    std::vector<std::string> subfolders;
    do {
        const std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..") subfolders.push_back(name);
        } else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0) {
            ++found;
        }
        if (peek) {
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    for (const std::string& sub : subfolders) found += walk(folder + "\\" + sub, peek);
    return found;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread gets its queue

    win32::Win32Platform platform;
    std::unique_ptr<Globals> g = createGlobals(platform.table);
    g->settings.pictureFolder = folder;
    g->settings.includeSubfolders = true;

    std::vector<double> bare, floor, build;
    long files = 0;
    walk(folder, false);  // warm the caches once
    for (int r = 0; r < rounds; ++r) {
        double t = now();
        files = walk(folder, false);
        bare.push_back(now() - t);
        t = now();
        walk(folder, true);
        floor.push_back(now() - t);
        t = now();
        rebuildCatalogue(*g);
        build.push_back(now() - t);
    }
    const double b = median(bare), f = median(floor), c = median(build);
    std::printf("tree: %s, %ld pictures, %d catalogue entries, median of %d rounds\n",
                folder.c_str(), files, catalogueCount(*g), rounds);
    std::printf("bare FindFirstFileA walk:            %8.3f s\n", b);
    std::printf("walk + PeekMessageA per entry:       %8.3f s\n", f);
    std::printf("catalogue build:                     %8.3f s\n", c);
    std::printf("catalogue build / walk + peek:       %8.2fx  (target at most 1.10x)\n", c / f);
    std::printf("catalogue build / bare walk:         %8.2fx\n", c / b);
    const bool complete = catalogueCount(*g) == files;
    releaseGlobals(g);
    if (!complete) std::printf("the catalogue does not hold every picture of the tree\n");
    return complete ? 0 : 1;
}
