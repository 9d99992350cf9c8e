#pragma once
// Helpers for the running game and its demos: a clock the test moves, a host
// that feeds scripted masks and records what the game asked of the screen and
// the sound, small levels from pictures, and per-tick digests of replays.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/level/level_base.h"
#include "game/play/demo.h"
#include "game/play/key_stream.h"
#include "game/play/play_host.h"
#include "game/play/tick_timer.h"

namespace play_support {

struct FakeClock {
    double ms = 1000.0;
    KV_TickTimer::Clock clock() {
        return [this] { return ms; };
    }
};

class ScriptedHost : public KV_PlayHost {
public:
    // The mask of tick n (0-based); no script: no key.
    std::function<int32_t(int)> keys;

    int ticks = 0;                  // masks read
    int sound_calls = 0;            // play_events calls
    int keep_alives = 0;
    std::vector<double> fractions;  // one per draw
    const KV_SoundEvents* last_events = nullptr;
    std::function<void(KV_Game&)> on_draw;

    int32_t read_keys() override { return keys ? keys(ticks++) : (ticks++, 0); }
    void play_events(KV_SoundEvents& events) override {
        ++sound_calls;
        last_events = &events;
    }
    void draw_frame(KV_Game& game, double fraction, int32_t) override {
        fractions.push_back(fraction);
        if (on_draw) on_draw(game);
    }
    void keep_alive() override { ++keep_alives; }
};

// An extended level of the picture (the characters of the level writer), with
// the given rule revision.
std::shared_ptr<KV_LevelBase> level_from_picture(const std::vector<std::string>& rows,
                                                 int revision = KV_LEVEL_REVISION_CURRENT);

// Masks as a key stream, one a tick.
KV_KeyStream stream_of(const std::vector<int32_t>& masks);

// A fingerprint of the field and the status after a tick, to tell two runs
// apart tick by tick. Cheaper than the trace runner's byte-wise digest, which
// would make replays of the large fields slow.
uint64_t tick_digest(KV_Level& level);

// Restarts the demo and replays it headless to the end of its keys: the
// digest after every tick.
// The digest of every `every`-th tick (the first included) of a replay from the start.
std::vector<uint64_t> replay_digests(KV_Demo& demo, int every = 1);

}  // namespace play_support
