// The timer that changes the wallpaper at the configured interval.
#pragma once

#include <cstdint>

namespace pelmora {

struct Globals;

struct ScheduleState {
    std::int64_t period = 0;     // 0 is stopped
    std::int64_t remaining = 0;  // of the current period, for periods longer than one timer run
    std::uint32_t run = 0;       // what the platform timer was started with; 0 when stopped
};

// Milliseconds of one unit, indexed by the time unit; 0 for the log-on unit
// and for values outside the units.
std::int64_t unitMilliseconds(std::int32_t timeUnit);

void armSchedule(Globals& g);
void setTimerPeriod(Globals& g, std::int64_t ms);
// One tick of the schedule.
void onRotationTimer(Globals& g);
// The platform timer ran out; the bridge between it and the schedule's ticks.
void onTimerElapsed(Globals& g);

}  // namespace pelmora
