#include "game/play/tick_timer.h"

#include <algorithm>

#include "foundation/clock.h"

KV_TickTimer::KV_TickTimer(Clock clock) { set_clock(std::move(clock)); }

void KV_TickTimer::set_clock(Clock clock) {
    clock_ = clock ? std::move(clock) : Clock(&Qx::get_time_ms);
    reset();
}

void KV_TickTimer::reset() {
    accumulated_ = 0.0;
    last_stamp_ = clock_();
}

void KV_TickTimer::update() {
    const double now = clock_();
    const double dt = (now - last_stamp_) * 0.001;
    last_stamp_ = now;
    if (dt > 0.0) accumulated_ += std::min(dt, 1.0);
}

void KV_TickTimer::set_rate(int32_t rate) {
    const int32_t clamped = std::clamp(rate, MIN_RATE, MAX_RATE);
    accumulated_ *= double(rate_) / double(clamped);
    rate_ = clamped;
}

void KV_FramePacer::reset() {
    ticks_without_draw_ = 0;
    timer_.reset();
}

KV_FramePacer::Step KV_FramePacer::next() {
    timer_.update();
    const double elapsed = ticks_without_draw_ > MAX_TICKS_WITHOUT_DRAW ? 0.0 : timer_.get_accumulated();
    const double period = timer_.get_period();
    if (elapsed >= period) {
        ++ticks_without_draw_;
        timer_.consume_tick();
        return {true, 0.0};
    }
    ticks_without_draw_ = 0;
    return {false, 2.0 * elapsed / period};
}
