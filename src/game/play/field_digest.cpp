#include "game/play/field_digest.h"

namespace {

class Fnv1a {
public:
    void add(uint8_t b) {
        h_ ^= b;
        h_ *= 0x100000001b3ull;
    }
    void add_le(uint64_t v, int bytes) {
        for (int k = 0; k < bytes; ++k) add(uint8_t(v >> (8 * k)));
    }
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 0xcbf29ce484222325ull;
};

}  // namespace

uint64_t kv_field_digest(const KV_Level& level) {
    Fnv1a h;
    for (int l = 0; l < KV_LAYER_COUNT; ++l)
        for (int32_t y = 0; y < level.get_height(); ++y)
            for (int32_t x = 0; x < level.get_width(); ++x) {
                const KV_Cell& c = level.at(l, x, y);
                h.add_le(c.type, 2);
                h.add_le(c.flags, 4);
                for (uint8_t b : c.state) h.add(b);
            }
    return h.value();
}
