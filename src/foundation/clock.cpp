#include "foundation/clock.h"

#include <time.h>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace Qx {

namespace {

int64_t monotonic_ns() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

bool monotonic_frequency(int64_t& f) {
    timespec res;
    if (clock_getres(CLOCK_MONOTONIC, &res) != 0) return false;
    f = 1000000000;
    return true;
}

// Steps with the kernel's timer interrupt, as a coarse tick count does.
uint32_t coarse_tick_ms() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return uint32_t(uint64_t(ts.tv_sec) * 1000 + uint64_t(ts.tv_nsec) / 1000000);
}

int64_t cycle_count() {
#if defined(__x86_64__) || defined(__i386__)
    return int64_t(__rdtsc());
#else
    return monotonic_ns();
#endif
}

}  // namespace

QpfTimer::QpfTimer() : QpfTimer(monotonic_frequency, monotonic_ns) {}

QpfTimer::QpfTimer(FrequencySource frequency, CounterSource counter)
    : frequency_(std::move(frequency)), counter_(std::move(counter)) {
    available_ = read_frequency();
}

bool QpfTimer::read_frequency() {
    int64_t f = 0;
    if (!frequency_ || !frequency_(f) || f <= 0) return false;
    ms_per_count_ = (1.0 / double(f)) * 1000.0;
    return true;
}

double QpfTimer::now_ms() {
    if (!available_ && !read_frequency()) return 0.0;
    return double(counter_()) * ms_per_count_;
}

double QpfTimer::ticks_per_us() { return 0.001 / ms_per_count_; }

RdtscTimer::RdtscTimer() : RdtscTimer(coarse_tick_ms, cycle_count) {}

RdtscTimer::RdtscTimer(TickSource ticks, CycleSource cycles)
    : ticks_(std::move(ticks)), cycles_(std::move(cycles)) {
    calibrate();
}

void RdtscTimer::calibrate() {
    uint32_t t[4];
    int64_t c[4];
    uint32_t last = ticks_();
    for (int i = 0; i < 4; ++i) {
        uint32_t tick;
        int64_t cycle;
        do {
            tick = ticks_();
            cycle = cycles_();
        } while (tick == last);
        t[i] = tick;
        c[i] = cycle;
        last = tick;
    }
    double ratio[4] = {0.0, 0.0, 0.0, 0.0};
    for (int i = 1; i < 4; ++i) {
        uint32_t dt = t[i] - t[i - 1];  // unsigned, so a wrap of the tick count is harmless
        int64_t dc = int64_t(uint64_t(c[i]) - uint64_t(c[i - 1]));
        ratio[i] = double(dt) / double(dc);
    }
    ms_per_cycle_ = median_of_ratios(ratio);
}

double RdtscTimer::median_of_ratios(double ratio[4]) {
    double m = ratio[1];
    int k = 1;
    if (ratio[2] < m) {
        m = ratio[2];
        k = 2;
    }
    if (ratio[3] < m) {
        m = ratio[3];
        k = 3;
    }
    ratio[k] = ratio[1];
    return ratio[2] < ratio[3] ? ratio[2] : ratio[3];
}

double RdtscTimer::now_ms() { return double(cycles_()) * ms_per_cycle_; }

double RdtscTimer::ticks_per_us() { return 0.001 / ms_per_cycle_; }

BaseTimer& select_timer(QpfTimer& qpf, RdtscTimer& rdtsc) {
    if (qpf.is_available()) return qpf;
    return rdtsc;
}

BaseTimer& get_timer() {
    // Built in this order on the first call, so destroyed in the reverse order at exit.
    static RdtscTimer rdtsc;
    static QpfTimer qpf;
    return select_timer(qpf, rdtsc);
}

double get_time_ms() { return get_timer().now_ms(); }

double get_ticks_per_us() { return get_timer().ticks_per_us(); }

LocalTime local_time_now() {
    time_t now = time(nullptr);
    tm parts{};
    LocalTime out;
    if (!localtime_r(&now, &parts)) return out;
    out.year = parts.tm_year + 1900;
    out.month = parts.tm_mon + 1;
    out.day = parts.tm_mday;
    out.hour = parts.tm_hour;
    out.minute = parts.tm_min;
    out.second = parts.tm_sec;
    out.day_of_week = parts.tm_wday;
    return out;
}

int64_t calendar_time_s() { return int64_t(time(nullptr)); }

}  // namespace Qx
