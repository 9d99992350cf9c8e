// Typed getters and setters of BTS folders, and the conversions between element types.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "foundation/bts_folder.h"

using namespace Qx;

namespace {

template <typename T>
std::vector<uint8_t> bytes_of(T v) {
    std::vector<uint8_t> b(sizeof(T));
    memcpy(b.data(), &v, sizeof(T));
    return b;
}

// Reads the first element of a value stored as (type, bytes) as the requested type;
// the element's bytes come back as a little-endian integer.
uint64_t converted_bits(uint32_t stored_type, const std::vector<uint8_t>& stored, uint32_t requested,
                        uint32_t& written) {
    BtsFolder f;
    EXPECT_TRUE(f.set_value("v", stored_type, stored.data(), uint32_t(stored.size())));
    uint64_t out = 0;
    BtsBuffer buffer{&out, BtsValue::type_size(requested)};
    EXPECT_TRUE(f.get_value("v", requested, buffer));
    written = buffer.length;
    return out;
}

template <typename T>
uint64_t bits(T v) {
    uint64_t out = 0;
    memcpy(&out, &v, sizeof(T));
    return out;
}

}  // namespace

TEST(BtsValues, TypeSizes) {
    const std::pair<uint32_t, uint32_t> rows[] = {
        {16, 1}, {17, 1}, {26, 1}, {18, 2}, {19, 2}, {27, 2}, {20, 4}, {21, 4}, {24, 4},
        {22, 8}, {23, 8}, {25, 8}, {0, 0}, {1, 0}, {15, 0}, {28, 0}, {0xFFFFFFFF, 0},
    };
    for (auto r : rows) EXPECT_EQ(BtsValue::type_size(r.first), r.second) << r.first;
}

TEST(BtsValues, ElementConversions) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* what;
        uint32_t stored_type;
        std::vector<uint8_t> stored;
        uint32_t requested;
        uint64_t expected;
    };
    const Row rows[] = {
        {"int8 -1 to int32", BTS_INT8, bytes_of<int8_t>(-1), BTS_INT32, bits<int32_t>(-1)},
        {"int8 -1 to uint32", BTS_INT8, bytes_of<int8_t>(-1), BTS_UINT32, 4294967295u},
        {"int8 -1 to int64", BTS_INT8, bytes_of<int8_t>(-1), BTS_INT64, bits<int64_t>(-1)},
        {"uint8 255 to int32", BTS_UINT8, bytes_of<uint8_t>(255), BTS_INT32, 255},
        {"uint16 65535 to int64", BTS_UINT16, bytes_of<uint16_t>(65535), BTS_INT64, 65535},
        {"int16 -2 to uint16", BTS_INT16, bytes_of<int16_t>(-2), BTS_UINT16, 65534},
        {"int32 256 to uint8", BTS_INT32, bytes_of<int32_t>(256), BTS_UINT8, 0},
        {"int32 -129 to int8", BTS_INT32, bytes_of<int32_t>(-129), BTS_INT8, 127},
        {"uint32 max to int64", BTS_UINT32, bytes_of<uint32_t>(0xFFFFFFFF), BTS_INT64, 0xFFFFFFFFull},
        {"uint32 max to double", BTS_UINT32, bytes_of<uint32_t>(0xFFFFFFFF), BTS_FLOAT64, bits(4294967295.0)},
        {"int64 2^32+5 to int32", BTS_INT64, bytes_of<int64_t>(0x100000005ll), BTS_INT32, 5},
        {"uint64 2^63 to double is negative", BTS_UINT64, bytes_of<uint64_t>(1ull << 63), BTS_FLOAT64,
         bits(-9223372036854775808.0)},
        {"uint64 to int32 keeps the low bytes", BTS_UINT64, bytes_of<uint64_t>(0xFFFFFFFF00000007ull), BTS_INT32, 7},
        {"int32 16777217 to float rounds", BTS_INT32, bytes_of<int32_t>(16777217), BTS_FLOAT32, bits(16777216.0f)},
        {"int64 2^53+1 to double rounds", BTS_INT64, bytes_of<int64_t>((1ll << 53) + 1), BTS_FLOAT64,
         bits(9007199254740992.0)},
        {"float 2.7 to int32", BTS_FLOAT32, bytes_of(2.7f), BTS_INT32, 2},
        {"float -2.7 to int32", BTS_FLOAT32, bytes_of(-2.7f), BTS_INT32, bits<int32_t>(-2)},
        {"double 300 to uint8", BTS_FLOAT64, bytes_of(300.0), BTS_UINT8, 44},
        {"double -1 to uint32", BTS_FLOAT64, bytes_of(-1.0), BTS_UINT32, 4294967295u},
        {"double 1e10 to int32 wraps", BTS_FLOAT64, bytes_of(1e10), BTS_INT32, bits<int32_t>(int32_t(1410065408))},
        {"double -2.7 to int64", BTS_FLOAT64, bytes_of(-2.7), BTS_INT64, bits<int64_t>(-2)},
        {"double 3.9 to uint64 shares the int64 routine", BTS_FLOAT64, bytes_of(3.9), BTS_UINT64, 3},
        {"NaN to int32", BTS_FLOAT64, bytes_of(nan), BTS_INT32, 0},
        {"infinity to uint8", BTS_FLOAT64, bytes_of(inf), BTS_UINT8, 0},
        {"-infinity to int64", BTS_FLOAT32, bytes_of(-float(inf)), BTS_INT64, 0},
        {"1e30 beyond int64 to int32", BTS_FLOAT64, bytes_of(1e30), BTS_INT32, 0},
        {"-1e19 beyond int64 to int64", BTS_FLOAT64, bytes_of(-1e19), BTS_INT64, 0},
        {"float to double is exact", BTS_FLOAT32, bytes_of(0.1f), BTS_FLOAT64, bits(double(0.1f))},
        {"double to float rounds to nearest", BTS_FLOAT64, bytes_of(0.1), BTS_FLOAT32, bits(0.1f)},
        {"huge double to float", BTS_FLOAT64, bytes_of(1e300), BTS_FLOAT32, bits(float(inf))},
        {"NaN double to float stays NaN", BTS_FLOAT64, bytes_of(nan), BTS_FLOAT32, bits(std::nanf(""))},
    };
    for (const Row& r : rows) {
        uint32_t written = 0;
        EXPECT_EQ(converted_bits(r.stored_type, r.stored, r.requested, written), r.expected) << r.what;
        EXPECT_EQ(written, BtsValue::type_size(r.requested)) << r.what;
    }
}

TEST(BtsValues, ConversionRefusals) {
    BtsFolder f;
    f.set_string("s", "abc");
    f.set_int32("i", 5);
    const uint8_t odd[3] = {1, 2, 3};
    f.set_value("unknown", 99, odd, 3);
    f.set_value("wide", BTS_WSTRING, odd, 2);

    struct Row { const char* name; uint32_t requested; uint32_t type_back; };
    const Row rows[] = {
        {"s", BTS_INT32, BTS_STRING}, {"i", BTS_STRING, BTS_INT32}, {"wide", BTS_INT8, BTS_WSTRING},
        {"unknown", BTS_INT32, BTS_INT32}, {"i", 99, 99},
    };
    for (const Row& r : rows) {
        auto v = f.find_value(r.name);
        uint64_t out = 0xAAAAAAAAAAAAAAAAull;
        BtsBuffer buffer{&out, 8};
        uint32_t type = r.requested;
        EXPECT_FALSE(v->get(type, buffer)) << r.name;
        EXPECT_EQ(buffer.length, 0u) << r.name;
        EXPECT_EQ(type, r.type_back) << r.name;
        EXPECT_EQ(out, 0xAAAAAAAAAAAAAAAAull) << r.name;
    }
}

TEST(BtsValues, GetAsksWithoutABuffer) {
    BtsFolder f;
    f.set_int16s("a", std::vector<int16_t>{1, 2, 3}.data(), 3);
    auto v = f.find_value("a");
    for (BtsBuffer buffer : {BtsBuffer{nullptr, 8}, BtsBuffer{&f, 0}}) {
        uint32_t type = BTS_INT32;
        EXPECT_FALSE(v->get(type, buffer));
        EXPECT_EQ(type, uint32_t(BTS_INT16));
        EXPECT_EQ(buffer.length, 6u);
    }
    BtsBuffer buffer{nullptr, 4};
    EXPECT_FALSE(f.get_value("missing", BTS_INT32, buffer));
    EXPECT_EQ(buffer.length, 4u);
}

TEST(BtsValues, ScalarGettersFallBackToTheDefault) {
    BtsFolder f;
    int32_t out = 99;
    EXPECT_EQ(f.get_int32("missing", out, -5), 0u);
    EXPECT_EQ(out, -5);

    f.set_int8("m1", -1);
    uint32_t u = 0;
    EXPECT_EQ(f.get_int32("m1", out, 0), 1u);
    EXPECT_EQ(out, -1);
    EXPECT_EQ(f.get_uint32("m1", u, 0), 1u);
    EXPECT_EQ(u, 4294967295u);

    f.set_float32("f", 2.7f);
    EXPECT_EQ(f.get_int32("f", out, 0), 1u);
    EXPECT_EQ(out, 2);
    f.set_float32("f", -2.7f);
    EXPECT_EQ(f.get_int32("f", out, 0), 1u);
    EXPECT_EQ(out, -2);

    f.set_string("s", "12");
    EXPECT_EQ(f.get_int32("s", out, 7), 0u);
    EXPECT_EQ(out, 7);

    f.set_int32s("empty", nullptr, 0);
    ASSERT_TRUE(f.find_value("empty"));
    EXPECT_EQ(f.find_value("empty")->type(), uint32_t(BTS_INT32));
    EXPECT_EQ(f.get_int32("empty", out, 8), 0u);
    EXPECT_EQ(out, 8);

    const uint8_t three[3] = {1, 2, 3};
    f.set_value("short", BTS_INT32, three, 3);  // less than one element
    EXPECT_EQ(f.get_int32("short", out, 9), 0u);
    EXPECT_EQ(out, 9);

    f.set_value("odd", 77, three, 3);
    EXPECT_EQ(f.get_int32("odd", out, 10), 0u);
    EXPECT_EQ(out, 10);

    int8_t i8 = 0;
    uint16_t u16 = 0;
    float fl = 0;
    f.set_int64("big", 0x12345);
    EXPECT_EQ(f.get_int8("big", i8, 0), 1u);
    EXPECT_EQ(i8, 0x45);
    EXPECT_EQ(f.get_uint16("big", u16, 0), 1u);
    EXPECT_EQ(u16, 0x2345);
    EXPECT_EQ(f.get_float32("big", fl, 0), 1u);
    EXPECT_EQ(fl, float(0x12345));
}

TEST(BtsValues, ArrayGetters) {
    BtsFolder f;
    const int32_t stored[2] = {256, 257};
    f.set_int32s("a", stored, 2);

    uint8_t out[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(f.get_uint8s("a", out, 2), 2u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 1);
    uint8_t wide[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(f.get_uint8s("a", wide, 5), 2u);
    EXPECT_EQ(wide[2], 9);

    EXPECT_EQ(f.get_int32s("a", nullptr, 3), 2u);  // asking: stored length / 4
    EXPECT_EQ(f.get_int16s("a", nullptr, 3), 4u);
    int64_t unused[1];
    EXPECT_EQ(f.get_int64s("a", unused, 0), 1u);
    EXPECT_EQ(f.get_int32s("missing", nullptr, 3), 0u);

    int32_t same[3] = {0, 0, 77};
    EXPECT_EQ(f.get_int32s("a", same, 3), 2u);
    EXPECT_EQ(same[1], 257);
    EXPECT_EQ(same[2], 77);
    int32_t one[1] = {0};
    EXPECT_EQ(f.get_int32s("a", one, 1), 1u);
    EXPECT_EQ(one[0], 256);

    double d[2] = {0, 0};
    EXPECT_EQ(f.get_float64s("a", d, 2), 2u);
    EXPECT_EQ(d[1], 257.0);

    f.set_string("s", "abc");
    char c[4] = {};
    EXPECT_EQ(f.get_int8s("s", reinterpret_cast<int8_t*>(c), 4), 0u);
    EXPECT_EQ(f.get_int8s("s", nullptr, 4), 3u);  // asking does not look at the type

    // A count whose byte length passes 2^32 must not wrap into a small buffer.
    EXPECT_EQ(f.get_float64s("a", d, 0x20000001u), 2u);
}

TEST(BtsValues, VectorGetters) {
    BtsFolder f;
    std::vector<int32_t> v32{9};
    EXPECT_EQ(f.get_vector_int32("missing", v32), 0u);
    EXPECT_TRUE(v32.empty());

    f.set_vector_int8("small", {1, -1, 3});
    std::vector<int32_t> widened;
    EXPECT_EQ(f.get_vector_int32("small", widened), 3u);
    EXPECT_EQ(widened, (std::vector<int32_t>{1, -1, 3}));
    std::vector<uint8_t> bytes{5, 5, 5, 5, 5, 5};
    EXPECT_EQ(f.get_vector_uint8("small", bytes), 3u);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 255, 3}));

    f.set_string("s", "abc");
    EXPECT_EQ(f.get_vector_uint8("s", bytes), 0u);
    EXPECT_TRUE(bytes.empty());

    f.set_vector_uint8("keep", {1, 2});
    f.set_vector_uint8("keep", {});
    EXPECT_EQ(f.get_vector_uint8("keep", bytes), 2u);
    f.set_uint8s("emptied", nullptr, 0);
    EXPECT_EQ(f.get_vector_uint8("emptied", bytes), 0u);
    EXPECT_TRUE(bytes.empty());

    f.set_vector_float64("d", {1.5, -2.5});
    std::vector<int16_t> v16;
    EXPECT_EQ(f.get_vector_int16("d", v16), 2u);
    EXPECT_EQ(v16, (std::vector<int16_t>{1, -2}));
    std::vector<float> vf;
    EXPECT_EQ(f.get_vector_float32("d", vf), 2u);
    EXPECT_EQ(vf, (std::vector<float>{1.5f, -2.5f}));

    f.set_vector_uint16("u16", {65535});
    std::vector<uint32_t> vu32;
    std::vector<int64_t> v64;
    std::vector<uint16_t> vu16;
    std::vector<int8_t> v8;
    std::vector<double> vd;
    EXPECT_EQ(f.get_vector_uint32("u16", vu32), 1u);
    EXPECT_EQ(vu32[0], 65535u);
    EXPECT_EQ(f.get_vector_int64("u16", v64), 1u);
    EXPECT_EQ(v64[0], 65535);
    EXPECT_EQ(f.get_vector_uint16("u16", vu16), 1u);
    EXPECT_EQ(f.get_vector_int8("u16", v8), 1u);
    EXPECT_EQ(v8[0], -1);
    EXPECT_EQ(f.get_vector_float64("u16", vd), 1u);
    EXPECT_EQ(vd[0], 65535.0);
}

TEST(BtsValues, StringGetter) {
    BtsFolder f;
    std::string out = "old";
    EXPECT_EQ(f.get_string("missing", out, "def"), 0u);
    EXPECT_EQ(out, "def");
    f.set_int32("i", 1);
    EXPECT_EQ(f.get_string("i", out, "def2"), 0u);
    EXPECT_EQ(out, "def2");
    f.set_string("empty", "");
    EXPECT_EQ(f.get_string("empty", out, "def3"), 0u);
    EXPECT_EQ(out, "");
    f.set_string("bin", std::string("a\0b", 3));
    EXPECT_EQ(f.get_string("bin", out, ""), 3u);
    EXPECT_EQ(out, std::string("a\0b", 3));
}

TEST(BtsValues, SettersStoreTheirTypeCodes) {
    BtsFolder f;
    f.set_int8("a", 1);
    f.set_uint8("b", 1);
    f.set_int16("c", 1);
    f.set_uint16("d", 1);
    f.set_int32("e", 1);
    f.set_uint32("f", 1);
    f.set_int64("g", 1);
    f.set_float32("h", 1);
    f.set_float64("i", 1);
    f.set_string("j", "x");
    const std::pair<const char*, uint32_t> rows[] = {{"a", 16}, {"b", 17}, {"c", 18}, {"d", 19}, {"e", 20},
                                                     {"f", 21}, {"g", 22}, {"h", 24}, {"i", 25}, {"j", 26}};
    for (auto r : rows) {
        ASSERT_TRUE(f.find_value(r.first));
        EXPECT_EQ(f.find_value(r.first)->type(), r.second) << r.first;
        EXPECT_EQ(f.find_value(r.first)->name(), r.first);
    }
    EXPECT_EQ(f.find_value("g")->size(), 8u);
}

TEST(BtsValues, SetValueRefusesWhatAReaderWouldTakeForAFolder) {
    BtsFolder f;
    const uint8_t eight[8] = {};
    EXPECT_FALSE(f.set_value("x", kBtsFolderType, eight, 8));
    EXPECT_FALSE(f.find_value("x"));
    EXPECT_TRUE(f.set_value("x", kBtsFolderType, eight, 4));
    EXPECT_FALSE(f.set_value("y", BTS_INT32, nullptr, 4));
    EXPECT_TRUE(f.set_value("y", BTS_INT32, nullptr, 0));
}

TEST(BtsValues, ValuesAreReplacedWholeAndOldOnesStayValid) {
    BtsFolder f;
    f.set_int32("v", 1);
    BtsValuePtr old = f.find_value("v");
    f.set_string("v", "new");
    EXPECT_EQ(old->type(), uint32_t(BTS_INT32));
    EXPECT_EQ(old->data(), (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(f.find_value("v")->type(), uint32_t(BTS_STRING));
    EXPECT_EQ(f.values().size(), 1u);
}

TEST(BtsFolders, NamesSortByteWise) {
    BtsFolder f;
    for (const char* name : {"2", "10", "1", "ab", "a", "\xC3\xA9", "B"})
        f.set_folder(name, std::make_shared<BtsFolder>());
    EXPECT_EQ(f.get_folder_names(), (std::vector<std::string>{"1", "10", "2", "B", "a", "ab", "\xC3\xA9"}));
}

TEST(BtsFolders, SubfoldersAreSharedNotCopied) {
    BtsFolder top;
    auto sub = std::make_shared<BtsFolder>();
    top.set_folder("s", sub);
    top.get_folder("s")->set_int32("x", 3);
    int32_t x = 0;
    EXPECT_EQ(sub->get_int32("x", x, 0), 1u);
    EXPECT_FALSE(top.get_folder("missing"));
    top.set_folder("s", nullptr);  // refused
    EXPECT_EQ(top.get_folder("s"), sub);
    top.set_int32("s", 1);  // a value may share a folder's name
    EXPECT_EQ(top.get_folder("s"), sub);
}
