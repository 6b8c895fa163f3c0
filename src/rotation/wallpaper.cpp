#include "rotation/wallpaper.h"

#include <new>

#include "app/globals.h"
#include "rotation/catalogue.h"

namespace pelmora {

const char* const kWallpaperFileName = "\\桌面背景文件.bmp";

namespace {

// Written beside the wallpaper file and then put in its place, so the file is
// never seen half written.
void replaceWallpaperFile(Globals& g, const Text& target, const Text& bytes) {
    FileSystem* fs = g.platform.files;
    if (fs == nullptr) return;
    const Text staged = target + ".new";
    if (!fs->writeWholeFile(staged, bytes) || !fs->replaceFile(staged, target))
        fs->deleteFile(staged);
}

}  // namespace

Text readWholeFile(Globals& g, const Text& path) {
    return g.platform.files ? g.platform.files->readWholeFile(path) : Text();
}

bool writeWholeFile(Globals& g, const Text& path, const Text& bytes) {
    return g.platform.files != nullptr && g.platform.files->writeWholeFile(path, bytes);
}

void applyWallpaper(Globals& g, std::int32_t index) {
    if (index < 1 || index > catalogueCount(g)) return;
    const Text path = cataloguePath(g, index);
    Text bytes;
    try {
        bytes = readWholeFile(g, path);
        if (lowerAscii(rightPart(path, 4)) != ".bmp" && g.platform.imaging)
            bytes = g.platform.imaging->transcodeToBmp(bytes);
    } catch (const std::bad_alloc&) {
        bytes.clear();  // a picture too large for this address space
    }
    const Text wallpaper = g.programDirectory + kWallpaperFileName;
    // An unreadable or undecodable picture leaves the previous wallpaper in place.
    if (!bytes.empty()) replaceWallpaperFile(g, wallpaper, bytes);
    bytes = Text();
    if (g.platform.imaging)
        g.platform.imaging->setDesktopWallpaper(
            wallpaper, static_cast<std::int32_t>(g.settings.displayStyle));
    g.rotation.appliedPath = path;
    g.settingsFile.setSection("其他");
    g.settingsFile.writeNumber("上次序号", index);
}

}  // namespace pelmora
