#include "solve/state.h"

#include <cstring>

#include "game/objects/pellik.h"
#include "game/objects/prototypes.h"

namespace KV_Solve {
namespace {

using KV_Logic::Pellik::View;

constexpr uint8_t kFullCell = 0xff;

void put_u16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(uint8_t(v >> (8 * k)));
}
void put_varint(std::vector<uint8_t>& out, uint64_t v) {
    while (v >= 0x80) {
        out.push_back(uint8_t(v | 0x80));
        v >>= 7;
    }
    out.push_back(uint8_t(v));
}
void put_cell(std::vector<uint8_t>& out, const KV_Cell& c) {
    put_u16(out, c.type);
    put_u32(out, c.flags);
    out.insert(out.end(), c.state, c.state + 8);
}

struct Reader {
    const uint8_t* p;
    const uint8_t* end;
    uint32_t u16() {
        const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8;
        p += 2;
        return v;
    }
    uint32_t u32() {
        const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        p += 4;
        return v;
    }
    uint64_t varint() {
        uint64_t v = 0;
        for (int shift = 0;; shift += 7) {
            const uint8_t b = *p++;
            v |= uint64_t(b & 0x7f) << shift;
            if (!(b & 0x80)) return v;
        }
    }
    KV_Cell cell() {
        KV_Cell c;
        c.type = uint16_t(u16());
        c.flags = u32();
        std::memcpy(c.state, p, 8);
        p += 8;
        return c;
    }
};

bool same_cell(const KV_Cell& a, const KV_Cell& b) {
    return a.type == b.type && a.flags == b.flags && std::memcmp(a.state, b.state, 8) == 0;
}

// The prototype a cell is a plain copy of, or -1.
int prototype_of(const KV_Cell& c) {
    if (c.type >= KV_OBJECT_TYPE_COUNT) return -1;
    return same_cell(c, KV_Logic::prototype(KV_ObjectType(c.type))) ? int(c.type) : -1;
}

// Pose, idle counter and, while ready, the last direction and the moves
// count: read by the drawing and the HUD only.
void clear_looks(KV_Level& level) {
    level.get_status()->set_moves(0);
    if (!level.get_has_player()) return;
    const int32_t px = level.get_player_x(), py = level.get_player_y();
    if (!level.inside(px, py)) return;
    KV_Cell& cell = level.scan_data(KV_LAYER_MOVERS)[level.index(px, py)];
    if (cell.is(KV_ObjectType::Pellik)) {
        View p{cell};
        p.set_pose(POSE_IDLE);
        if (p.state() == KV_PellikState::Ready) {
            p.set_counter(0);
            p.set_direction(0);
        }
        *level.get_player_cell() = cell;
    }
}

}  // namespace

StartField::StartField(std::shared_ptr<KV_Level> level)
    : level_(std::move(level)),
      seed_(level_->get_random_seed()),
      layer_cells_(level_->get_stride() * level_->get_height()) {
    // A converted field starts with every cell marked done (its first tick only
    // clears them); told apart from the field without them, every later state
    // is a short list of changes.
    for (int l = 0; l < KV_LAYER_COUNT; ++l) {
        KV_Cell* cells = level_->layer_data(l);
        for (int32_t i = 0; i < layer_cells_; ++i) cells[i].flags &= ~uint32_t(CF_DONE);
    }
    level_->untouch_all_rows();
}

uint64_t state_hash(const uint8_t* data, size_t size) {
    uint64_t h = 0x9e3779b97f4a7c15ull ^ size;
    size_t i = 0;
    auto mix = [&h](uint64_t w) {
        h ^= w;
        h *= 0xbf58476d1ce4e5b9ull;
        h ^= h >> 31;
    };
    for (; i + 8 <= size; i += 8) {
        uint64_t w;
        std::memcpy(&w, data + i, 8);
        mix(w);
    }
    uint64_t tail = 0;
    for (size_t k = 0; i < size; ++i, ++k) tail |= uint64_t(data[i]) << (8 * k);
    mix(tail);
    h ^= h >> 29;
    h *= 0x94d049bb133111ebull;
    h ^= h >> 32;
    return h;
}

Worker::Worker(const StartField& start, std::shared_ptr<KV_Level> field) : start_(start), field_(std::move(field)) {
    game_.set_level(field_);
}

void Worker::encode(std::vector<uint8_t>& out) {
    KV_Level& level = *field_;
    clear_looks(level);
    const KV_LevelStatus& st = *level.get_status();
    out.push_back(level.get_has_player() ? 1 : 0);
    put_u16(out, uint32_t(level.get_player_x()));
    put_u16(out, uint32_t(level.get_player_y()));
    put_cell(out, *level.get_player_cell());
    put_u32(out, uint32_t(st.get_quarkels_needed()));
    put_u32(out, uint32_t(st.get_quarkels()));
    put_u32(out, uint32_t(st.get_quarkels_present()));
    put_u32(out, uint32_t(st.get_red_disks()));
    put_u32(out, uint32_t(st.get_state()));
    out.push_back(uint8_t((st.get_gravity() ? 1 : 0) | (st.get_freeze_grobbles() ? 2 : 0) |
                          (st.get_freeze_enemies() ? 4 : 0) | (st.get_terminal_used() ? 8 : 0) |
                          (st.get_yellow_armed() ? 16 : 0)));
    put_varint(out, level.get_context()->get_random_draws());

    // The cells that differ from the start, in layer, row, column order.
    dirty_.clear();
    const KV_Level& base = start_.level();
    const int32_t w = level.get_width(), h = level.get_height();
    int64_t last = -1;
    for (int l = 0; l < KV_LAYER_COUNT; ++l) {
        const KV_Cell* now = level.scan_data(l);
        const KV_Cell* was = base.layer_data(l);
        for (int32_t y = 0; y < h; ++y) {
            const int32_t row = level.index(0, y);
            if (std::memcmp(now + row, was + row, size_t(w) * sizeof(KV_Cell)) == 0) continue;
            for (int32_t x = 0; x < w; ++x) {
                const KV_Cell& c = now[row + x];
                if (same_cell(c, was[row + x])) continue;
                const int64_t pos = int64_t(l) * start_.layer_cells() + row + x;
                put_varint(out, uint64_t(pos - last - 1));
                last = pos;
                dirty_.push_back(uint32_t(pos));
                const int proto = prototype_of(c);
                if (proto >= 0) {
                    out.push_back(uint8_t(proto));
                } else {
                    out.push_back(kFullCell);
                    put_cell(out, c);
                }
            }
        }
    }
}

void Worker::restore(const uint8_t* data, size_t size) {
    KV_Level& level = *field_;
    const KV_Level& base = start_.level();
    const int32_t per_layer = start_.layer_cells();
    for (uint32_t pos : dirty_) {
        const int l = int(pos / uint32_t(per_layer)), i = int(pos % uint32_t(per_layer));
        level.scan_data(l)[i] = base.layer_data(l)[i];
    }
    dirty_.clear();

    Reader r{data, data + size};
    const bool has_player = *r.p++ != 0;
    const int32_t px = int32_t(r.u16()), py = int32_t(r.u16());
    level.set_has_player(has_player);
    level.set_player_pos(px, py);
    *level.get_player_cell() = r.cell();
    KV_LevelStatus st;
    st.set_quarkels_needed(int32_t(r.u32()));
    for (int32_t n = int32_t(r.u32()); n > 0; --n) st.inc_quarkels();
    st.set_quarkels_present(int32_t(r.u32()));
    for (int32_t n = int32_t(r.u32()); n != 0; n += n > 0 ? -1 : 1) n > 0 ? st.inc_red_disks() : st.dec_red_disks();
    st.set_state(int32_t(r.u32()));
    const uint8_t bits = *r.p++;
    if (bits & 1) st.set_gravity();
    if (bits & 2) st.set_freeze_grobbles();
    if (bits & 4) st.set_freeze_enemies();
    if (bits & 8) st.set_terminal_used();
    if (bits & 16) st.set_yellow_armed();
    level.set_status(st);
    const uint64_t draws = r.varint();
    KV_LevelContext& ctx = *level.get_context();
    if (ctx.get_random_draws() > draws) ctx.seed(start_.seed());
    ctx.skip_random(draws - ctx.get_random_draws());
    ctx.get_sound_events()->reset();
    *ctx.get_input() = 0;

    int64_t last = -1;
    while (r.p < r.end) {
        const int64_t pos = last + 1 + int64_t(r.varint());
        last = pos;
        const uint8_t tag = *r.p++;
        KV_Cell& c = level.scan_data(int(pos / per_layer))[pos % per_layer];
        if (tag == kFullCell)
            c = r.cell();
        else
            c = KV_Logic::prototype(KV_ObjectType(tag));
        dirty_.push_back(uint32_t(pos));
    }
}

}  // namespace KV_Solve
