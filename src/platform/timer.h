// The millisecond clock and the one periodic timer.
#pragma once

#include <cstdint>

namespace pelmora {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the system started, wrapping at 2^32.
    virtual std::uint32_t tickCount() = 0;
};

// A periodic timer whose ticks arrive through the message loop.
class Timer {
public:
    virtual ~Timer() = default;
    // Starts anew: the first tick comes ms later. ms is 1..2147483647.
    virtual void start(std::uint32_t ms) = 0;
    virtual void stop() = 0;
};

}  // namespace pelmora
