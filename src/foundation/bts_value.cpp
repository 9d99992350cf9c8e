#include <cmath>
#include <cstring>

#include "foundation/bts_folder.h"

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "BTS elements are stored little-endian and copied as they are; this host is not."
#endif

namespace Qx {

namespace {

bool is_numeric(uint32_t type) { return type >= BTS_INT8 && type <= BTS_FLOAT64; }
bool is_text(uint32_t type) { return type == BTS_STRING || type == BTS_WSTRING; }

// One stored element, widened: integers to int64 (uint64 reads as int64),
// floating point to double (exact for float).
struct Element {
    bool floating;
    int64_t i;
    double d;
};

Element read_element(uint32_t type, const uint8_t* p) {
    switch (type) {
        case BTS_INT8: { int8_t v; memcpy(&v, p, 1); return {false, v, 0.0}; }
        case BTS_UINT8: { uint8_t v; memcpy(&v, p, 1); return {false, v, 0.0}; }
        case BTS_INT16: { int16_t v; memcpy(&v, p, 2); return {false, v, 0.0}; }
        case BTS_UINT16: { uint16_t v; memcpy(&v, p, 2); return {false, v, 0.0}; }
        case BTS_INT32: { int32_t v; memcpy(&v, p, 4); return {false, v, 0.0}; }
        case BTS_UINT32: { uint32_t v; memcpy(&v, p, 4); return {false, int64_t(v), 0.0}; }
        case BTS_INT64:
        case BTS_UINT64: { int64_t v; memcpy(&v, p, 8); return {false, v, 0.0}; }
        case BTS_FLOAT32: { float v; memcpy(&v, p, 4); return {true, 0, double(v)}; }
        default: { double v; memcpy(&v, p, 8); return {true, 0, v}; }
    }
}

// Truncation toward zero through a checked int64: what does not fit (or is not a
// number at all) becomes 0, so no conversion can fault.
int64_t to_integer(double d) {
    if (!std::isfinite(d)) return 0;
    double t = std::trunc(d);
    if (t < -9223372036854775808.0 || t >= 9223372036854775808.0) return 0;
    return int64_t(t);
}

void write_element(uint32_t type, const Element& e, uint8_t* p) {
    if (type == BTS_FLOAT32) {
        float v = e.floating ? float(e.d) : float(e.i);
        memcpy(p, &v, 4);
        return;
    }
    if (type == BTS_FLOAT64) {
        double v = e.floating ? e.d : double(e.i);
        memcpy(p, &v, 8);
        return;
    }
    // Integers keep their low-order bytes: two's complement wrap-around, no clamping.
    uint64_t bits = uint64_t(e.floating ? to_integer(e.d) : e.i);
    memcpy(p, &bits, BtsValue::type_size(type));
}

}  // namespace

BtsValue::BtsValue(uint32_t type, std::string name, const void* data, uint32_t length)
    : type_(type), name_(std::move(name)) {
    if (data && length) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        data_.assign(p, p + length);
    }
}

uint32_t BtsValue::type_size(uint32_t type) {
    switch (type) {
        case BTS_INT8: case BTS_UINT8: case BTS_STRING: return 1;
        case BTS_INT16: case BTS_UINT16: case BTS_WSTRING: return 2;
        case BTS_INT32: case BTS_UINT32: case BTS_FLOAT32: return 4;
        case BTS_INT64: case BTS_UINT64: case BTS_FLOAT64: return 8;
        default: return 0;
    }
}

uint32_t BtsValue::element_count() const {
    uint32_t s = type_size(type_);
    return s ? size() / s : 0;
}

bool BtsValue::get(uint32_t& type, BtsBuffer& buffer) const {
    if (!buffer.data || buffer.length == 0) {
        type = type_;
        buffer.length = size();
        return false;
    }
    return convert(type, buffer);
}

bool BtsValue::convert(uint32_t& type, BtsBuffer& buffer) const {
    if (type == type_) {
        uint32_t n = buffer.length < size() ? buffer.length : size();
        if (n) memcpy(buffer.data, data_.data(), n);
        buffer.length = n;
        return true;
    }
    if (is_text(type) || is_text(type_)) {
        type = type_;
        buffer.length = 0;
        return false;
    }
    // An unknown requested code has no element size to convert into.
    if (!is_numeric(type_) || !is_numeric(type)) {
        buffer.length = 0;
        return false;
    }
    uint32_t out_size = type_size(type), in_size = type_size(type_);
    uint32_t n = buffer.length / out_size;
    if (size() / in_size < n) n = size() / in_size;
    uint8_t* out = static_cast<uint8_t*>(buffer.data);
    for (uint32_t i = 0; i < n; ++i)
        write_element(type, read_element(type_, data_.data() + size_t(i) * in_size), out + size_t(i) * out_size);
    buffer.length = n * out_size;
    return true;
}

}  // namespace Qx
