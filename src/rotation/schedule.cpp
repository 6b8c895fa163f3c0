#include "rotation/schedule.h"

#include <algorithm>

#include "app/globals.h"
#include "rotation/rotation.h"

namespace pelmora {

namespace {

constexpr std::int64_t kLongestRun = 2147483647;  // the platform timer's largest period

void startRun(Globals& g) {
    ScheduleState& t = g.schedule;
    t.run = static_cast<std::uint32_t>(std::min(t.remaining, kLongestRun));
    if (g.platform.timer) g.platform.timer->start(t.run);
}

void stopRun(Globals& g) {
    ScheduleState& t = g.schedule;
    if (t.run != 0 && g.platform.timer) g.platform.timer->stop();
    t.run = 0;
}

}  // namespace

std::int64_t unitMilliseconds(std::int32_t timeUnit) {
    static const std::int64_t table[] = {1000, 60000, 3600000, 86400000, 0};
    return timeUnit >= 0 && timeUnit <= 4 ? table[timeUnit] : 0;
}

void armSchedule(Globals& g) {
    const Settings& s = g.settings;
    std::int64_t period = 0;
    if (s.autoChange)
        period = static_cast<std::int64_t>(s.interval) *
                 unitMilliseconds(static_cast<std::int32_t>(s.timeUnit));
    setTimerPeriod(g, period);
}

void setTimerPeriod(Globals& g, std::int64_t ms) {
    ScheduleState& t = g.schedule;
    ms = std::max<std::int64_t>(ms, 0);
    if (ms == t.period) return;
    stopRun(g);
    t.period = ms;
    if (ms > 0) {
        t.remaining = ms;
        startRun(g);
    }
}

void onRotationTimer(Globals& g) {
    if (g.settings.autoChange)
        advance(g, false);
    else
        setTimerPeriod(g, 0);
}

void onTimerElapsed(Globals& g) {
    ScheduleState& t = g.schedule;
    if (t.period == 0) {
        stopRun(g);
        return;
    }
    if (t.period > kLongestRun) {
        // A period longer than one timer run is counted down over several.
        t.remaining -= t.run;
        if (t.remaining > 0) {
            startRun(g);
            return;
        }
        t.remaining = t.period;
        startRun(g);
    }
    onRotationTimer(g);
}

}  // namespace pelmora
