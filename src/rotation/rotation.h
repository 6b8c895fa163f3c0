// The rotation step every picture change goes through, and its random generator.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

struct Globals;

struct RotationState {
    bool rebuilding = false;
    Text appliedPath;  // the picture applied last: the only one that may be deleted
    std::uint32_t randomState = 0;
    std::uint32_t randomSeedOffset = 0;
};

void advance(Globals& g, bool backwards);
// Deletes the picture on show from the disk and moves on.
void deleteCurrentImage(Globals& g);

void seedRandom(Globals& g);
std::int32_t randomBetween(Globals& g, std::int32_t low, std::int32_t high);

bool deleteFile(Globals& g, const Text& path);

}  // namespace pelmora
