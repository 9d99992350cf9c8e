#pragma once
// One interactive game: the field view on a freshly converted level, the
// fixed-step timer and the key stream that records the mask of every tick.
// The play screen calls run_frame once per menu frame; each call runs one
// logic tick or draws one picture, never both.
#include <cstdint>
#include <memory>

#include "game/play/game.h"
#include "game/play/key_stream.h"
#include "game/play/play_host.h"
#include "game/play/tick_timer.h"

class KV_GameSession {
public:
    // An empty level gives a session that reports GR_ENDED and never ticks or draws.
    explicit KV_GameSession(std::shared_ptr<KV_Level> level);

    // A new game on the level: timer, counters and key stream start afresh.
    void start(std::shared_ptr<KV_Level> level);

    // Updates the timer; then either a tick (the host's keys become the tick's
    // input and are recorded) or a draw; then the host's keep-alive pass.
    KV_GameResult run_frame(KV_PlayHost& host);
    // The tick itself: the field's process pass, then the tick's sounds.
    void logic_tick(KV_PlayHost& host);
    KV_GameResult get_state() { return kv_game_result(game_.get_level().get()); }

    int32_t get_game_speed() const { return pacer_.timer().get_rate(); }
    void set_game_speed(int32_t rate) { pacer_.timer().set_rate(rate); }

    // With the seed, what the demo of the run is made of.
    const KV_KeyStream& get_key_stream() const { return keys_; }
    uint32_t get_random_seed() const;

    KV_Game& get_game() { return game_; }
    // Where the frames read real time (milliseconds); empty for the system's clock.
    void set_clock(KV_TickTimer::Clock clock) { pacer_.timer().set_clock(std::move(clock)); }

private:
    KV_Game game_;
    KV_FramePacer pacer_;
    KV_KeyStream keys_;
};
