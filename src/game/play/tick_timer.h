#pragma once
// Fixed-step game time: real time accumulates and is taken off one tick at a
// time, so the logic runs at the game speed whatever the display rate.
#include <cstdint>
#include <functional>

class KV_TickTimer {
public:
    // Milliseconds from an arbitrary origin; real time unless a test or a tool gives its own.
    using Clock = std::function<double()>;

    static constexpr int32_t MIN_RATE = 1;
    static constexpr int32_t MAX_RATE = 1000;
    static constexpr int32_t DEFAULT_RATE = 50;

    explicit KV_TickTimer(Clock clock = Clock());

    // Nothing pending, counting from now.
    void reset();
    // Adds the real time since the last update, at most one second, so a stall
    // catches up at most one second's worth of ticks. A clock that steps back adds nothing.
    void update();

    double get_accumulated() const { return accumulated_; }
    double get_period() const { return 1.0 / rate_; }
    void consume_tick() { accumulated_ -= 1.0 / rate_; }
    int32_t get_rate() const { return rate_; }
    // Clamped to 1..1000; the pending time is rescaled so the pending tick count stays.
    void set_rate(int32_t rate);
    // An empty clock is real time. Resets: counting starts from the new clock's reading.
    void set_clock(Clock clock);

private:
    double accumulated_ = 0.0;  // seconds
    int32_t rate_ = DEFAULT_RATE;
    double last_stamp_ = 0.0;  // milliseconds
    Clock clock_;
};

// One frame of a running game either runs a logic tick or draws, never both;
// after more than 16 ticks in a row the next frame draws whatever is pending.
class KV_FramePacer {
public:
    static constexpr int32_t MAX_TICKS_WITHOUT_DRAW = 16;

    struct Step {
        bool tick;
        double fraction;  // for a draw: the sub-tick offset in pixels, 0 <= fraction < 2
    };

    explicit KV_FramePacer(KV_TickTimer::Clock clock = KV_TickTimer::Clock()) : timer_(std::move(clock)) {}

    void reset();
    // Updates the timer and decides; a tick is taken off the timer here.
    Step next();

    KV_TickTimer& timer() { return timer_; }
    const KV_TickTimer& timer() const { return timer_; }

private:
    KV_TickTimer timer_;
    int32_t ticks_without_draw_ = 0;
};
