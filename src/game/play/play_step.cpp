#include "game/play/play_step.h"

void kv_logic_tick(KV_Game& game, KV_PlayHost& host) {
    const std::shared_ptr<KV_Level> level = game.get_level();
    if (!level) return;
    game.process();
    host.play_events(*level->get_sound_events());
}

void kv_frame_step(KV_FramePacer& pacer, KV_Game& game, KV_PlayHost& host, const std::function<int32_t()>& next_keys) {
    const KV_FramePacer::Step step = pacer.next();
    if (step.tick) {
        *game.get_level()->get_input() = next_keys();
        kv_logic_tick(game, host);
    } else {
        host.draw_frame(game, step.fraction, pacer.timer().get_rate());
    }
}
