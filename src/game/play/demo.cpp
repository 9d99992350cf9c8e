#include "game/play/demo.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "foundation/log.h"
#include "game/level/level_registry.h"
#include "game/play/play_step.h"

namespace {

const char* const kFileType = "kvd_demo";
constexpr int32_t kDemoType = 1;

// The loader's one complaint: the error log gets a stamped line (when logging
// is on), the caller the message.
void refuse(std::string* why, const char* format, ...) __attribute__((format(printf, 2, 3)));
void refuse(std::string* why, const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    std::string text(size_t(n > 0 ? n : 0), '\0');
    std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    va_end(args);
    if (Qx::Log::is_enabled()) {
        Qx::g_log.error("{KV_Demo::Load} ");
        Qx::g_log.error_raw("%s", text.c_str());
    }
    if (why) *why = text;
}

}  // namespace

KV_Demo::KV_Demo(std::shared_ptr<KV_LevelBase> level, const KV_KeyStream& keys, uint32_t seed)
    : level_(std::move(level)), seed_(seed), keys_(keys) {
    Restart();
}

void KV_Demo::Restart() {
    pacer_.reset();
    keys_.rewind();
    std::shared_ptr<KV_Level> field = level_ ? level_->ToGenericLevel() : nullptr;
    if (field) field->set_random_seed(seed_);
    game_.set_level(std::move(field));
}

KV_GameResult KV_Demo::RunFrame(KV_PlayHost& host) {
    if (!game_.get_level() || keys_.at_end()) {
        host.keep_alive();
        return GetState() == GR_FINISHED ? GR_FINISHED : GR_ENDED;
    }
    kv_frame_step(pacer_, game_, host, [this] { return int32_t(keys_.next_key()); });
    host.keep_alive();
    return GR_RUNNING;
}

void KV_Demo::Tick(KV_PlayHost& host) { kv_logic_tick(game_, host); }

bool KV_Demo::TickNext(KV_PlayHost& host) {
    const std::shared_ptr<KV_Level> level = game_.get_level();
    if (!level || keys_.at_end()) return false;
    *level->get_input() = keys_.next_key();
    Tick(host);
    return true;
}

void KV_Demo::SetDate(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    const uint32_t words[4] = {w0, w1, w2, w3};
    for (size_t i = 0; i < date_.size(); ++i) date_[i] = uint8_t(words[i / 4] >> (8 * (i % 4)));
}

std::array<uint32_t, 4> KV_Demo::DateWords(const Qx::LocalTime& t) {
    const uint32_t halves[8] = {uint32_t(t.year),   uint32_t(t.month),  uint32_t(t.day_of_week), uint32_t(t.day),
                                uint32_t(t.hour),   uint32_t(t.minute), uint32_t(t.second),      0};
    std::array<uint32_t, 4> words;
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = (halves[2 * i] & 0xffff) | (halves[2 * i + 1] & 0xffff) << 16;
    return words;
}

Qx::BtsFolderPtr KV_Demo::Save() const {
    std::vector<uint8_t> record;
    if (!level_ || !level_->GetData(record)) return nullptr;
    std::vector<uint8_t> keys;
    keys_.to_bytes(keys);

    auto folder = std::make_shared<Qx::BtsFolder>();
    folder->set_string("file_type", kFileType);
    folder->set_int32("demo_type", kDemoType);
    folder->set_int32("level_type", level_->GetType());
    folder->set_int32("level_revision", level_->GetRevision());
    folder->set_vector_uint8("level", record);
    folder->set_uint32("random_seed", seed_);
    // An empty vector stores nothing: a demo without ticks has no "key_stream".
    folder->set_vector_uint8("key_stream", keys);
    folder->set_string("player", player_);
    folder->set_string("levelset", levelset_);
    folder->set_int32("level_number", level_number_);
    folder->set_vector_uint8("date", std::vector<uint8_t>(date_.begin(), date_.end()));
    return folder;
}

std::shared_ptr<KV_Demo> KV_Demo::Load(const Qx::BtsFolder& folder, std::string* why) {
    std::string file_type;
    int32_t demo_type = 0, level_type = 0, level_revision = 0;
    folder.get_string("file_type", file_type, "");
    folder.get_int32("demo_type", demo_type, 0);
    folder.get_int32("level_type", level_type, 0);
    folder.get_int32("level_revision", level_revision, 0);
    if (file_type != kFileType) {
        refuse(why, "Invalid file type: %s\n", file_type.c_str());
        return nullptr;
    }
    if (demo_type != kDemoType) {
        refuse(why, "Invalid demo type: %d\n", demo_type);
        return nullptr;
    }

    // Sized before it is copied out: no format has a record this long.
    const Qx::BtsValuePtr level_value = folder.find_value("level");
    if (level_value && level_value->element_count() > KV_MAX_LEVEL_RECORD_SIZE) {
        refuse(why, "Level record too large: %u bytes\n", unsigned(level_value->element_count()));
        return nullptr;
    }

    std::vector<uint8_t> record, key_bytes;
    uint32_t seed = 0;
    folder.get_vector_uint8("level", record);
    folder.get_uint32("random_seed", seed, 0);
    folder.get_vector_uint8("key_stream", key_bytes);

    const std::shared_ptr<KV_LevelBase> level = create_level(level_type, level_revision, record);
    if (!level) {
        refuse(why, "Invalid level data\n");
        return nullptr;
    }
    KV_KeyStream keys;
    if (!keys.from_bytes(key_bytes)) {
        refuse(why, "Invalid key stream data\n");
        return nullptr;
    }

    auto demo = std::make_shared<KV_Demo>(level, keys, seed);
    std::string text;
    if (folder.get_string("player", text, "") > 0) demo->SetPlayer(text);
    if (folder.get_string("levelset", text, "") > 0) demo->SetLevelset(text);
    int32_t number = 0;
    if (folder.get_int32("level_number", number, 0) > 0) demo->SetLevelNumber(number);
    std::vector<uint8_t> date;
    if (folder.get_vector_uint8("date", date) == demo->date_.size())
        std::copy(date.begin(), date.end(), demo->date_.begin());
    return demo;
}
