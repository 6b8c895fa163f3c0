// The in-memory settings record.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace pelmora {

// Positions of the items of the time-unit drop-down list.
enum class TimeUnit : std::int32_t { Seconds = 0, Minutes = 1, Hours = 2, Days = 3, AtLogon = 4 };

// Positions of the items of the display-style drop-down list.
enum class DisplayStyle : std::int32_t { Centre = 0, Tile = 1, Stretch = 2 };

// Values outside the enumerators can arrive from a hand-edited file; they are
// stored as they are and judged where they are used.
struct Settings {
    Text pictureFolder;
    bool includeSubfolders = false;
    bool randomOrder = false;
    std::int32_t interval = 0;
    TimeUnit timeUnit = TimeUnit::Seconds;
    DisplayStyle displayStyle = DisplayStyle::Centre;
    bool autoChange = false;
    bool startWithSystem = false;
    std::int32_t currentIndex = 0;
    bool trayInBackground = false;
    // What the catalogue was last built from.
    Text catalogueFolder;
    bool catalogueIncludesSubfolders = false;
};

}  // namespace pelmora
