#include "rotation/rotation.h"

#include <algorithm>

#include "app/globals.h"
#include "rotation/catalogue.h"
#include "rotation/wallpaper.h"

namespace pelmora {

namespace {

std::uint32_t draw15(RotationState& r) {
    r.randomState = r.randomState * 214013u + 2531011u;
    return (r.randomState >> 16) & 0x7FFFu;
}

bool isStale(const Globals& g) {
    const Settings& s = g.settings;
    return catalogueCount(g) == 0 || s.pictureFolder != s.catalogueFolder ||
           s.includeSubfolders != s.catalogueIncludesSubfolders;
}

}  // namespace

void advance(Globals& g, bool backwards) {
    if (g.rotation.rebuilding) {
        // A request from inside a rebuild chooses among what is found so far.
        if (catalogueCount(g) == 0) return;
    } else if (isStale(g)) {
        rebuildCatalogue(g);
    }
    Settings& s = g.settings;
    const std::int32_t count = catalogueCount(g);
    std::int64_t next;
    if (s.randomOrder) {
        seedRandom(g);
        next = randomBetween(g, 1, count);
    } else {
        next = static_cast<std::int64_t>(s.currentIndex) + (backwards ? -1 : 1);
    }
    if (next < 1 || next > count) next = backwards ? count : 1;
    s.currentIndex = static_cast<std::int32_t>(next);
    applyWallpaper(g, s.currentIndex);
}

void deleteCurrentImage(Globals& g) {
    // During a rebuild positions no longer match what is on show.
    if (g.rotation.rebuilding) return;
    Settings& s = g.settings;
    if (s.currentIndex >= 1 && s.currentIndex <= catalogueCount(g) &&
        cataloguePath(g, s.currentIndex) == g.rotation.appliedPath) {
        const Text path = cataloguePath(g, s.currentIndex);
        deleteFile(g, path);
        removeCatalogueEntry(g, s.currentIndex);
        g.rotation.appliedPath.clear();
        --s.currentIndex;
    }
    advance(g, false);
}

void seedRandom(Globals& g) {
    RotationState& r = g.rotation;
    const std::uint32_t t = g.platform.clock ? g.platform.clock->tickCount() : 0;
    const std::uint32_t seed = t + r.randomSeedOffset;
    r.randomSeedOffset += (seed & 0xFFu) + 100u;
    r.randomState = seed;
}

std::int32_t randomBetween(Globals& g, std::int32_t low, std::int32_t high) {
    low = std::max(low, 0);
    high = std::max(high, 0);
    const std::int32_t lo = std::min(low, high);
    const std::int32_t hi = std::max(low, high);
    if (lo == hi) return lo;
    const std::uint32_t choices = static_cast<std::uint32_t>(hi - lo) + 1u;
    std::uint32_t r = draw15(g.rotation);
    // One 15-bit draw reaches only 32768 positions; beyond that, two make 30 bits.
    if (choices > 32768u) r = (r << 15) | draw15(g.rotation);
    return lo + static_cast<std::int32_t>(r % choices);
}

bool deleteFile(Globals& g, const Text& path) {
    return g.platform.files != nullptr && g.platform.files->deleteFile(path);
}

}  // namespace pelmora
