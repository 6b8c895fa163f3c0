// The list of pictures the rotation chooses from.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"

namespace pelmora {

struct Globals;

// Full picture paths, addressed from 1.
using ImageCatalogue = std::vector<Text>;

bool isPictureName(const Text& name);

// Empties the catalogue and walks the configured folder again; shows the
// empty-folder notice when nothing was found. Never runs inside another rebuild.
void rebuildCatalogue(Globals& g);
// Appends the pictures of folder (and of its subfolders when they are wanted).
void scanFolder(Globals& g, const Text& folder);

std::int32_t catalogueCount(const Globals& g);
// position is 1..catalogueCount.
const Text& cataloguePath(const Globals& g, std::int32_t position);
void removeCatalogueEntry(Globals& g, std::int32_t position);

Text emptyFolderNotice(const Text& folder);

}  // namespace pelmora
