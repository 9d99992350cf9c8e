#pragma once
// A recorded game and its replay: the level as loaded, the seed of the run and
// its key stream, with the player, the level set, the level number and the
// date. A replay converts the stored level again, re-seeds it and feeds each
// tick the next recorded mask, so it plays the same game. Stored as a BTS tree.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/bts_folder.h"
#include "foundation/clock.h"
#include "game/level/level_base.h"
#include "game/play/game.h"
#include "game/play/key_stream.h"
#include "game/play/play_host.h"
#include "game/play/tick_timer.h"

class KV_Demo {
public:
    using Date = std::array<uint8_t, 16>;

    // The keys are copied with their replay position; Restart rewinds them.
    KV_Demo(std::shared_ptr<KV_LevelBase> level, const KV_KeyStream& keys, uint32_t seed);

    // A fresh field from the stored level, seeded with the stored seed, the keys at their start.
    void Restart();
    // At the end of the keys: only the keep-alive pass, and GR_FINISHED when the
    // exit was reached, else GR_ENDED. Before it: the session's timing, with the
    // next recorded mask in place of the keyboard and nothing recorded.
    KV_GameResult RunFrame(KV_PlayHost& host);
    // The field's process pass, then the tick's sounds.
    void Tick(KV_PlayHost& host);
    // One recorded tick, whatever the time: false, with nothing run, at the end of the keys.
    bool TickNext(KV_PlayHost& host);
    KV_GameResult GetState() { return kv_game_result(game_.get_level().get()); }

    int32_t GetGameSpeed() const { return pacer_.timer().get_rate(); }
    void SetGameSpeed(int32_t rate) { pacer_.timer().set_rate(rate); }

    void SetPlayer(const std::string& name) { player_ = name; }
    const std::string& GetPlayer() const { return player_; }
    void SetLevelset(const std::string& name) { levelset_ = name; }
    const std::string& GetLevelset() const { return levelset_; }
    void SetLevelNumber(int32_t number) { level_number_ = number; }
    int32_t GetLevelNumber() const { return level_number_; }
    // Four words holding the 16 date bytes, each word little-endian.
    void SetDate(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);
    const Date& GetDate() const { return date_; }
    // A local time as the four date words: eight little-endian u16, year, month,
    // day of week, day, hour, minute, second, milliseconds (always 0 here).
    static std::array<uint32_t, 4> DateWords(const Qx::LocalTime& t);

    std::shared_ptr<KV_LevelBase> GetLevel() const { return level_; }
    uint32_t GetRandomSeed() const { return seed_; }
    const KV_KeyStream& GetKeyStream() const { return keys_; }
    KV_Game& GetGame() { return game_; }
    // Where the frames read real time (milliseconds); empty for the system's clock.
    void SetClock(KV_TickTimer::Clock clock) { pacer_.timer().set_clock(std::move(clock)); }

    // The demo file's tree; empty without a level or when the level holds no record.
    Qx::BtsFolderPtr Save() const;
    // A demo from a demo file's tree, or empty. Why it was refused goes to the
    // error log when logging is on, and into *why when it is given.
    static std::shared_ptr<KV_Demo> Load(const Qx::BtsFolder& folder, std::string* why = nullptr);

private:
    std::shared_ptr<KV_LevelBase> level_;
    uint32_t seed_;
    KV_Game game_;
    KV_FramePacer pacer_;
    KV_KeyStream keys_;
    std::string player_;
    Date date_{};
    std::string levelset_;
    int32_t level_number_ = 0;
};
