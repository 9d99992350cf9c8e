// The millisecond clocks: counter arithmetic, calibration and the choice between them.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "foundation/clock.h"

using Qx::QpfTimer;
using Qx::RdtscTimer;

namespace {

// A tick count and cycle counter that replay a script: each tick read returns the
// next scripted tick, and the cycle read right after it returns that tick's cycles.
struct ScriptedCounters {
    std::deque<std::pair<uint32_t, int64_t>> script;
    int64_t cycles = 0;
    int cycle_reads = 0;

    uint32_t tick() {
        auto next = script.front();
        if (script.size() > 1) script.pop_front();
        cycles = next.second;
        return next.first;
    }
    int64_t cycle() {
        ++cycle_reads;
        return cycles;
    }
};

// Samples at the given ticks with the given cycle counts, after a first reading
// (and a repeated one, which the calibration must skip) at first_tick.
std::shared_ptr<ScriptedCounters> script(uint32_t first_tick, std::vector<std::pair<uint32_t, int64_t>> samples) {
    auto s = std::make_shared<ScriptedCounters>();
    s->script.push_back({first_tick, 0});
    s->script.push_back({first_tick, 0});
    for (auto& p : samples) s->script.push_back(p);
    return s;
}

RdtscTimer timer_on(const std::shared_ptr<ScriptedCounters>& s) {
    return RdtscTimer([s] { return s->tick(); }, [s] { return s->cycle(); });
}

}  // namespace

TEST(Clock, MedianRule) {
    struct Row { double r1, r2, r3, median; };
    const Row rows[] = {
        {1.0, 3.0, 2.0, 2.0}, {2.0, 1.0, 1.0, 1.0}, {1.0, 1.0, 2.0, 1.0}, {2.0, 2.0, 2.0, 2.0},
        {3.0, 2.0, 1.0, 2.0}, {1.0, 2.0, 3.0, 2.0}, {2.0, 3.0, 1.0, 2.0}, {5.0, 5.0, 1.0, 5.0},
    };
    for (const Row& r : rows) {
        double ratio[4] = {0.0, r.r1, r.r2, r.r3};
        EXPECT_EQ(RdtscTimer::median_of_ratios(ratio), r.median) << r.r1 << " " << r.r2 << " " << r.r3;
    }
}

TEST(Clock, CalibrationTakesTheMedianOfThreeTickSteps) {
    // Steps of 6 ms over 6000, 2000 and 3000 cycles: 0.001, 0.003 and 0.002 ms a cycle.
    auto s = script(100, {{106, 1000}, {112, 7000}, {118, 9000}, {124, 12000}});
    RdtscTimer t = timer_on(s);
    EXPECT_DOUBLE_EQ(t.ms_per_cycle(), 6.0 / 3000.0);
    EXPECT_DOUBLE_EQ(t.ticks_per_us(), 0.001 / (6.0 / 3000.0));
    EXPECT_TRUE(t.is_available());
    s->cycles = 50000;
    s->script = {{0, 50000}};
    EXPECT_DOUBLE_EQ(t.now_ms(), 50000 * (6.0 / 3000.0));
}

TEST(Clock, CalibrationSurvivesAWrappingTickCount) {
    auto s = script(4294967290u, {{4294967295u, 0}, {9, 1000}, {19, 2000}, {29, 3000}});
    RdtscTimer t = timer_on(s);
    EXPECT_DOUBLE_EQ(t.ms_per_cycle(), 10.0 / 1000.0);
}

TEST(Clock, PerformanceCounterArithmetic) {
    int64_t counter = 50000000;
    QpfTimer t([](int64_t& f) { f = 10000000; return true; }, [&] { return counter; });
    EXPECT_TRUE(t.is_available());
    EXPECT_DOUBLE_EQ(t.ms_per_count(), 0.0001);
    EXPECT_DOUBLE_EQ(t.ticks_per_us(), 10.0);
    EXPECT_DOUBLE_EQ(t.now_ms(), 5000.0);
    counter += 15;
    EXPECT_DOUBLE_EQ(t.now_ms(), 5000.0015);
}

TEST(Clock, UnavailablePerformanceCounter) {
    bool frequency_known = false;
    QpfTimer qpf([&](int64_t& f) { f = 1000; return frequency_known; }, [] { return int64_t(7); });
    EXPECT_FALSE(qpf.is_available());
    EXPECT_DOUBLE_EQ(qpf.ms_per_count(), 1.0);
    EXPECT_EQ(qpf.now_ms(), 0.0);
    frequency_known = true;
    EXPECT_DOUBLE_EQ(qpf.now_ms(), 7.0);  // the frequency is read late, the flag stays off
    EXPECT_FALSE(qpf.is_available());

    auto s = script(0, {{1, 0}, {2, 100}, {3, 200}, {4, 300}});
    RdtscTimer rdtsc = timer_on(s);
    Qx::BaseTimer& chosen = Qx::select_timer(qpf, rdtsc);
    EXPECT_EQ(&chosen, &rdtsc);
    int reads = s->cycle_reads;
    chosen.now_ms();
    chosen.now_ms();
    EXPECT_EQ(s->cycle_reads, reads + 2);

    QpfTimer working([](int64_t& f) { f = 1000; return true; }, [] { return int64_t(1); });
    EXPECT_EQ(&Qx::select_timer(working, rdtsc), &working);
}

TEST(Clock, SystemClockNeverGoesBack) {
    EXPECT_TRUE(Qx::get_timer().is_available());
    EXPECT_EQ(&Qx::get_timer(), &Qx::get_timer());
    double a = Qx::get_time_ms();
    double b = Qx::get_time_ms();
    EXPECT_LE(a, b);
    EXPECT_GT(Qx::get_ticks_per_us(), 0.0);

    RdtscTimer cycles;
    EXPECT_GT(cycles.ms_per_cycle(), 0.0);
    double c = cycles.now_ms(), d = cycles.now_ms();
    EXPECT_LE(c, d);
}

TEST(Clock, LocalTimeIsACalendarDate) {
    Qx::LocalTime t = Qx::local_time_now();
    EXPECT_GE(t.year, 2020);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.day, 1);
    EXPECT_LE(t.day, 31);
    EXPECT_LE(t.second, 60);
    EXPECT_GT(Qx::calendar_time_s(), 1600000000);
}
