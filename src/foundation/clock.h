#pragma once
// The process-wide millisecond clock, and local calendar time.
#include <cstdint>
#include <functional>

namespace Qx {

class BaseTimer {
public:
    virtual ~BaseTimer() = default;
    virtual double now_ms() = 0;
    virtual double ticks_per_us() = 0;
    virtual bool is_available() = 0;
};

// On a monotonic counter of known frequency.
class QpfTimer : public BaseTimer {
public:
    using FrequencySource = std::function<bool(int64_t& counts_per_second)>;
    using CounterSource = std::function<int64_t()>;

    // Without arguments: the system's monotonic clock, counted in nanoseconds.
    QpfTimer();
    QpfTimer(FrequencySource frequency, CounterSource counter);

    double now_ms() override;
    double ticks_per_us() override;
    bool is_available() override { return available_; }
    double ms_per_count() const { return ms_per_count_; }

private:
    bool read_frequency();

    FrequencySource frequency_;
    CounterSource counter_;
    bool available_ = false;
    double ms_per_count_ = 1.0;
};

// On a fast free-running cycle counter, calibrated at construction against a
// coarse millisecond tick count.
class RdtscTimer : public BaseTimer {
public:
    using TickSource = std::function<uint32_t()>;
    using CycleSource = std::function<int64_t()>;

    // Without arguments: the processor's time-stamp counter and the system's
    // coarse millisecond tick. The calibration waits through four tick changes.
    RdtscTimer();
    RdtscTimer(TickSource ticks, CycleSource cycles);

    double now_ms() override;
    double ticks_per_us() override;
    bool is_available() override { return true; }
    double ms_per_cycle() const { return ms_per_cycle_; }

    // ratio[1..3] (ratio[0] unused): the median, taking the earliest of equal minima.
    static double median_of_ratios(double ratio[4]);

private:
    void calibrate();

    TickSource ticks_;
    CycleSource cycles_;
    double ms_per_cycle_ = 0.0;
};

// The performance-counter clock when it is available, else the cycle counter.
BaseTimer& select_timer(QpfTimer& qpf, RdtscTimer& rdtsc);
// Builds both clocks on the first call and keeps them to the end of the program.
BaseTimer& get_timer();
double get_time_ms();
double get_ticks_per_us();

// Local calendar time to the second.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int day_of_week = 0;  // 0 Sunday
};

LocalTime local_time_now();
// Calendar time in whole seconds since 1970 (UTC).
int64_t calendar_time_s();

}  // namespace Qx
