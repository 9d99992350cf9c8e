#include "game/play/key_stream.h"

void KV_KeyStream::record(uint32_t mask) {
    const uint16_t key = uint16_t(mask);
    if (!entries_.empty() && entries_.back().key == key && entries_.back().count < MAX_COUNT)
        ++entries_.back().count;
    else
        entries_.push_back({key, 1});
}

void KV_KeyStream::clear() {
    entries_.clear();
    index_ = 0;
    current_key_ = 0;
    remaining_ = 0;
}

void KV_KeyStream::rewind() {
    index_ = 0;
    current_key_ = 0;
    remaining_ = 0;
    if (entries_.empty()) return;
    current_key_ = entries_[0].key;
    remaining_ = entries_[0].count;
    index_ = 1;
}

bool KV_KeyStream::at_end() const {
    if (remaining_ != 0) return false;
    for (size_t i = index_; i < entries_.size(); ++i)
        if (entries_[i].count != 0) return false;
    return true;
}

uint16_t KV_KeyStream::next_key() {
    if (remaining_ == 0) {
        // An entry of count 0 would wrap to 65535 ticks below: skip it.
        while (index_ < entries_.size() && entries_[index_].count == 0) ++index_;
        if (index_ == entries_.size()) return 0;
        current_key_ = entries_[index_].key;
        remaining_ = entries_[index_].count;
        ++index_;
    }
    --remaining_;
    return current_key_;
}

bool KV_KeyStream::to_bytes(std::vector<uint8_t>& out) const {
    out.resize(entries_.size() * ENTRY_BYTES);
    uint8_t* p = out.data();
    for (const Entry& e : entries_) {
        *p++ = uint8_t(e.key);
        *p++ = uint8_t(e.key >> 8);
        *p++ = uint8_t(e.count);
        *p++ = uint8_t(e.count >> 8);
    }
    return true;
}

bool KV_KeyStream::from_bytes(const std::vector<uint8_t>& in) {
    if (in.size() % ENTRY_BYTES != 0) return false;
    clear();
    entries_.reserve(in.size() / ENTRY_BYTES);
    for (size_t i = 0; i < in.size(); i += ENTRY_BYTES)
        entries_.push_back({uint16_t(in[i] | in[i + 1] << 8), uint16_t(in[i + 2] | in[i + 3] << 8)});
    return true;
}

uint64_t KV_KeyStream::tick_count() const {
    uint64_t n = 0;
    for (const Entry& e : entries_) n += e.count;
    return n;
}
