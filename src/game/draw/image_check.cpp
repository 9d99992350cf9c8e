#include "game/draw/image_check.h"

#include <ClanLib/core.h>
#include <strings.h>

#include <array>
#include <cstdint>
#include <vector>

#include "foundation/file.h"
#include "foundation/path.h"

namespace {

// Our largest sheet is far below this.
constexpr uint64_t kMaxImageBytes = 64u << 20;
constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t crc32(const uint8_t* p, size_t n) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t read_u32be(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool fail(std::string& why, const char* text) {
    why = text;
    return false;
}

bool ends_in_png(const std::string& name) {
    return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".png") == 0;
}

// The element's own "file" and those of everything inside it.
void collect_files(const CL_DomElement& element, std::vector<std::string>& out) {
    const std::string file = element.get_attribute("file");
    if (ends_in_png(file)) out.push_back(file);
    for (CL_DomNode child = element.get_first_child(); !child.is_null(); child = child.get_next_sibling())
        if (child.is_element()) collect_files(child.to_element(), out);
}

}  // namespace

bool kv_png_intact(const std::string& path, std::string& why) {
    Qx::File f;
    if (!f.open(path, Qx::FILE_READ | Qx::FILE_EXISTING | Qx::FILE_SEQUENTIAL)) return fail(why, "can't be read");
    const uint64_t size = f.size();
    if (size > kMaxImageBytes) return fail(why, "too large");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (f.read(bytes.data(), uint32_t(size)) != size) return fail(why, "can't be read");
    if (size < sizeof kSignature || !std::equal(kSignature, kSignature + sizeof kSignature, bytes.begin()))
        return fail(why, "not a PNG file");

    size_t at = sizeof kSignature;
    bool first = true, image_data = false;
    for (;;) {
        if (bytes.size() - at < 12) return fail(why, "truncated");
        const uint32_t length = read_u32be(&bytes[at]);
        if (length > bytes.size() - at - 12) return fail(why, "truncated");
        const uint8_t* type = &bytes[at + 4];
        if (read_u32be(type + 4 + length) != crc32(type, 4 + size_t(length))) return fail(why, "damaged (checksum)");
        const std::string name(reinterpret_cast<const char*>(type), 4);
        if (first) {
            if (name != "IHDR" || length != 13) return fail(why, "no image header");
            if (read_u32be(type + 4) == 0 || read_u32be(type + 8) == 0) return fail(why, "an image without pixels");
            first = false;
        }
        if (name == "IDAT") image_data = true;
        at += 12 + size_t(length);
        if (name == "IEND") return image_data ? true : fail(why, "no image data");
    }
}

void kv_check_resource_images(CL_ResourceManager& resources, const std::string& resource_file) {
    const std::string base = Qx::dir_of_path(resource_file);
    std::vector<std::string> files;
    for (const std::string& id : resources.get_all_resources())
        collect_files(resources.get_resource(id).get_element(), files);
    for (const std::string& file : files) {
        std::string why;
        if (!kv_png_intact(base + file, why)) throw CL_Error("Damaged image " + base + file + ": " + why);
    }
}
