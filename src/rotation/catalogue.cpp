#include "rotation/catalogue.h"

#include <algorithm>

#include "app/globals.h"
#include "rotation/schedule.h"

namespace pelmora {

namespace {

const char* const kSuffixes[] = {".bmp", ".jpg", ".jpeg", ".gif", ".tiff"};

// The folders from the walk's root to where it is now. Only a link can lead
// back to a folder on this path, so identities (costly to look up) are taken
// only from the first link on: then for the new folder and, once each, for the
// folders above it.
struct WalkStep {
    Text folder;
    bool looked = false;
    std::optional<FolderIdentity> id;
};

struct WalkPath {
    std::vector<WalkStep> steps;
    int links = 0;
};

bool leadsBack(FileSystem& fs, WalkPath& path, const FolderIdentity& id) {
    for (WalkStep& step : path.steps) {
        if (!step.looked) {
            step.id = fs.folderIdentity(step.folder);
            step.looked = true;
        }
        if (step.id == id) return true;
    }
    return false;
}

void scan(Globals& g, const Text& folder, bool viaLink, WalkPath& path) {
    FileSystem* fs = g.platform.files;
    if (fs == nullptr) return;
    WalkStep here;
    here.folder = folder;
    if (viaLink || path.links > 0) {
        here.id = fs->folderIdentity(folder);
        here.looked = true;
        if (here.id && leadsBack(*fs, path, *here.id)) return;  // a loop: it would never end
    }
    path.steps.push_back(here);
    if (viaLink) ++path.links;

    // One pass over the entries: files now, subfolders remembered for later.
    std::vector<DirectoryEntry> subfolders;
    DirectoryEntry entry;
    const Enumeration e = fs->firstEntry(folder + "\\*", entry);
    if (e != 0) {
        do {
            if (entry.directory) {
                subfolders.push_back(entry);
                continue;
            }
            if (isPictureName(entry.name)) g.catalogue.push_back(folder + "\\" + entry.name);
            pumpPendingEvents(g);
        } while (fs->nextEntry(e, entry));
        fs->closeEnumeration(e);
    }

    // Read now, not at the start: a change made during the file pass counts.
    if (g.settings.includeSubfolders) {
        for (const DirectoryEntry& sub : subfolders) {
            if (sub.name != "." && sub.name != "..")
                scan(g, folder + "\\" + sub.name, sub.link, path);
            pumpPendingEvents(g);
        }
    }
    if (viaLink) --path.links;
    path.steps.pop_back();
}

}  // namespace

bool isPictureName(const Text& name) {
    for (const char* suffix : kSuffixes) {
        const Text s = suffix;
        if (name.size() >= s.size() && lowerAscii(rightPart(name, s.size())) == s) return true;
    }
    return false;
}

Text emptyFolderNotice(const Text& folder) {
    return "指定的图片目录【" + folder +
           "】找不到任何支持的图片格式，目前仅支持Bmp、Jpg、Gif、Tiff格式图片设置为桌面。请重新设置。";
}

void rebuildCatalogue(Globals& g) {
    RotationState& r = g.rotation;
    if (r.rebuilding) return;
    struct Flag {
        bool& f;
        explicit Flag(bool& flag) : f(flag) { f = true; }
        ~Flag() { f = false; }
    };
    {
        Flag during(r.rebuilding);
        setTimerPeriod(g, 0);
        Settings& s = g.settings;
        s.catalogueFolder = s.pictureFolder;
        s.catalogueIncludesSubfolders = s.includeSubfolders;
        g.catalogue.clear();
        const Text folder = s.catalogueFolder;
        scanFolder(g, folder);
        if (g.catalogue.empty()) noticeBox(g, emptyFolderNotice(folder), 0, "找不到图片");
    }
    if (g.settings.autoChange) armSchedule(g);
}

void scanFolder(Globals& g, const Text& folder) {
    WalkPath path;
    scan(g, folder, false, path);
}

std::int32_t catalogueCount(const Globals& g) {
    return static_cast<std::int32_t>(g.catalogue.size());
}

const Text& cataloguePath(const Globals& g, std::int32_t position) {
    return g.catalogue.at(static_cast<std::size_t>(position - 1));
}

void removeCatalogueEntry(Globals& g, std::int32_t position) {
    if (position < 1 || position > catalogueCount(g)) return;
    g.catalogue.erase(g.catalogue.begin() + (position - 1));
}

}  // namespace pelmora
