// Feeds arbitrary bytes to the BTS reader. Whatever loads must also save, and the
// saved bytes must load back to the same tree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/bts_folder.h"

namespace {

bool same_tree(const Qx::BtsFolder& a, const Qx::BtsFolder& b) {
    if (a.values().size() != b.values().size() || a.folders().size() != b.folders().size()) return false;
    for (const auto& entry : a.values()) {
        auto other = b.find_value(entry.first);
        if (!other || other->type() != entry.second->type() || other->data() != entry.second->data()) return false;
    }
    for (const auto& entry : a.folders()) {
        auto other = b.get_folder(entry.first);
        if (!other || !same_tree(*entry.second, *other)) return false;
    }
    return true;
}

// Every getter family over every value, to run the conversions on hostile data.
void read_everything(const Qx::BtsFolder& f) {
    for (const auto& entry : f.values()) {
        const std::string& name = entry.first;
        int8_t i8;
        uint16_t u16;
        int32_t i32;
        uint32_t u32;
        float f32;
        std::string s;
        f.get_int8(name, i8, 0);
        f.get_uint16(name, u16, 0);
        f.get_int32(name, i32, 0);
        f.get_uint32(name, u32, 0);
        f.get_float32(name, f32, 0);
        f.get_string(name, s, "");
        std::vector<uint8_t> vu8;
        std::vector<int64_t> v64;
        std::vector<double> vd;
        f.get_vector_uint8(name, vu8);
        f.get_vector_int64(name, v64);
        f.get_vector_float64(name, vd);
        int16_t few[3];
        f.get_int16s(name, few, 3);
        f.get_int16s(name, nullptr, 3);
    }
    for (const std::string& name : f.get_folder_names()) read_everything(*f.get_folder(name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Qx::BtsFolder tree;
    if (!tree.load_from_memory(data, size)) return 0;
    read_everything(tree);
    std::vector<uint8_t> saved;
    if (!tree.save_to_memory(saved)) __builtin_trap();
    if (saved.size() % 4096 != 0) __builtin_trap();
    Qx::BtsFolder back;
    if (!back.load_from_memory(saved.data(), saved.size())) __builtin_trap();
    if (!same_tree(tree, back)) __builtin_trap();
    return 0;
}
