#include "rotation_fixture.h"

namespace pelmora {
namespace {

struct ScheduleTest : RotationFixture {
    void SetUp() override {
        RotationFixture::SetUp();
        pictures(3);
        g->settings.randomOrder = false;
        g->settings.autoChange = true;
        g->settings.interval = 10;
        g->settings.timeUnit = TimeUnit::Seconds;
    }
    void set(bool autoChange, std::int32_t interval, std::int32_t unit) {
        g->settings.autoChange = autoChange;
        g->settings.interval = interval;
        g->settings.timeUnit = static_cast<TimeUnit>(unit);
    }
};

TEST_F(ScheduleTest, PeriodFromIntervalAndUnit) {
    const struct {
        bool autoChange;
        std::int32_t interval, unit;
        std::int64_t period;
    } cases[] = {
        {true, 10, 1, 600000},       {true, 24, 3, 2073600000},  {true, 5, 0, 5000},
        {true, 2, 2, 7200000},       {true, 0, 1, 0},            {true, -5, 1, 0},
        {true, 10, 4, 0},            {false, 10, 1, 0},          {true, 10, 7, 0},
        {true, 10, -1, 0},           {true, 25, 3, 2160000000},
        {true, INT32_MAX, 3, static_cast<std::int64_t>(INT32_MAX) * 86400000},
    };
    for (const auto& c : cases) {
        set(c.autoChange, c.interval, c.unit);
        armSchedule(*g);
        EXPECT_EQ(g->schedule.period, c.period) << c.interval << " x unit " << c.unit;
        EXPECT_EQ(fake.timer.running, c.period > 0);
        if (c.period > 0) {
            EXPECT_EQ(fake.timer.period, std::min<std::int64_t>(c.period, INT32_MAX));
        }
    }
}

TEST_F(ScheduleTest, SamePeriodKeepsTheCountdownAndAChangeRestartsIt) {
    armSchedule(*g);
    fake.timer.runFor(4000);
    armSchedule(*g);  // the same interval typed again
    fake.timer.runFor(6000);
    EXPECT_EQ(fake.timer.tickTimes, std::vector<std::int64_t>{10000});

    // Off and on again: the next tick one full period after the second click.
    fake.timer.runFor(3000);
    g->settings.autoChange = false;
    armSchedule(*g);
    EXPECT_FALSE(fake.timer.running);
    g->settings.autoChange = true;
    armSchedule(*g);
    fake.timer.runFor(10000);
    EXPECT_EQ(fake.timer.tickTimes, (std::vector<std::int64_t>{10000, 23000}));
}

TEST_F(ScheduleTest, TicksStepForwardsAndStopWhenChangingIsOff) {
    armSchedule(*g);
    fake.timer.runFor(30000);
    EXPECT_EQ(fake.imaging.sets.size(), 3u);
    EXPECT_EQ(g->settings.currentIndex, 3);

    g->settings.autoChange = false;  // changed without re-arming
    fake.timer.runFor(10000);
    EXPECT_FALSE(fake.timer.running);
    EXPECT_EQ(g->schedule.period, 0);
    EXPECT_EQ(fake.imaging.sets.size(), 3u);
}

TEST_F(ScheduleTest, RebuildingStepRestartsTheCountdownWhenTheWalkEnds) {
    armSchedule(*g);
    // Each entry of the walk takes 500 ms of virtual time.
    fake.ui.onPump = [this] { fake.timer.now += 500; };
    fake.timer.runFor(10000);  // first tick rebuilds: 3 entries, 1.5 s
    EXPECT_EQ(fake.timer.tickTimes.size(), 1u);
    fake.timer.runFor(10000);
    EXPECT_EQ(fake.timer.tickTimes, (std::vector<std::int64_t>{10000, 21500}));
}

TEST_F(ScheduleTest, PeriodsBeyondOneTimerRunAreCountedDown) {
    set(true, 25, 3);  // 2,160,000,000 ms
    armSchedule(*g);
    EXPECT_EQ(fake.timer.period, 2147483647u);
    fake.timer.runFor(2159999999);
    EXPECT_TRUE(fake.imaging.sets.empty());
    fake.timer.runFor(1);
    EXPECT_EQ(fake.imaging.sets.size(), 1u);
    fake.timer.runFor(2160000000);
    EXPECT_EQ(fake.imaging.sets.size(), 2u);

    // A change in the middle restarts the count from the change.
    fake.timer.runFor(1000000000);
    set(true, 30, 3);  // 2,592,000,000 ms
    armSchedule(*g);
    fake.timer.runFor(2591999999);
    EXPECT_EQ(fake.imaging.sets.size(), 2u);
    fake.timer.runFor(1);
    EXPECT_EQ(fake.imaging.sets.size(), 3u);

    // The same long period armed again keeps the countdown.
    fake.timer.runFor(2000000000);
    armSchedule(*g);
    fake.timer.runFor(592000000);
    EXPECT_EQ(fake.imaging.sets.size(), 4u);
}

}  // namespace
}  // namespace pelmora
