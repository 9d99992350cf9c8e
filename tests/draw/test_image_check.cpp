// Our images are checked before ClanLib's loader, which aborts on a damaged PNG:
// every way a file can be cut or damaged is caught, and the resource check names
// the first damaged image.
#include <ClanLib/core.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/temp_dir.h"
#include "game/draw/image_check.h"

namespace {

const std::string kSprite = std::string(KARVOLT_SOURCE_DIR) + "/data/Graphics/Objects/base.png";

using Bytes = std::vector<uint8_t>;

}  // namespace

TEST(ImageCheck, CatchesEveryCutAndEveryDamagedByte) {
    const Bytes whole = test_support::read_file(kSprite);
    ASSERT_GT(whole.size(), 100u);
    test_support::TempDir d;
    std::string why;
    EXPECT_TRUE(kv_png_intact(kSprite, why)) << why;

    // Cut anywhere short of the end: nothing but the whole file passes.
    for (size_t cut = 0; cut < whole.size(); cut += whole.size() > 400 ? 7 : 1) {
        test_support::write_file(d / "cut.png", Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(cut)));
        EXPECT_FALSE(kv_png_intact(d / "cut.png", why)) << "cut at " << cut;
    }
    // One damaged byte anywhere after the signature.
    for (size_t at = 8; at < whole.size(); at += 13) {
        Bytes damaged = whole;
        damaged[at] ^= 0x20;
        test_support::write_file(d / "damaged.png", damaged);
        EXPECT_FALSE(kv_png_intact(d / "damaged.png", why)) << "byte " << at;
    }
    test_support::write_text(d / "text.png", "not an image at all");
    test_support::write_file(d / "half.png", Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2)));
    const struct {
        std::string path;
        const char* why;
    } rows[] = {
        {d / "missing.png", "can't be read"}, {d.path(), "can't be read"},   {"/dev/zero", "can't be read"},
        {d / "text.png", "not a PNG file"},   {d / "half.png", "truncated"},
    };
    for (const auto& r : rows) {
        EXPECT_FALSE(kv_png_intact(r.path, why)) << r.path;
        EXPECT_EQ(why, r.why) << r.path;
    }
}

TEST(ImageCheck, TheResourceCheckNamesTheDamagedImage) {
    CL_SetupCore::init();
    {
        test_support::TempDir d;
        mkdir((d / "Objects").c_str(), 0700);
        const Bytes whole = test_support::read_file(kSprite);
        test_support::write_file(d / "Objects/good.png", whole);
        test_support::write_file(d / "Objects/cut.png", Bytes(whole.begin(), whole.end() - 5));
        test_support::write_text(d / "res.xml",
                                 "<resources><section name=\"S\">"
                                 "<sprite name=\"a\"><image file=\"Objects/good.png\"/></sprite>"
                                 "<surface name=\"b\" file=\"Objects/cut.png\"/>"
                                 "</section></resources>");
        CL_ResourceManager resources(d / "res.xml");
        try {
            kv_check_resource_images(resources, d / "res.xml");
            ADD_FAILURE() << "the cut image passed";
        } catch (const CL_Error& e) {
            EXPECT_EQ(e.message, "Damaged image " + d / "Objects/cut.png" + ": truncated");
        }
        test_support::write_file(d / "Objects/cut.png", whole);
        EXPECT_NO_THROW(kv_check_resource_images(resources, d / "res.xml"));
    }
    CL_SetupCore::deinit();
}

TEST(ImageCheck, EveryShippedImagePasses) {
    CL_SetupCore::init();
    {
        const std::string data = std::string(KARVOLT_SOURCE_DIR) + "/data/";
        CL_ResourceManager objects(data + "Graphics/objects_resourses.xml");
        EXPECT_NO_THROW(kv_check_resource_images(objects, data + "Graphics/objects_resourses.xml"));
        CL_ResourceManager main(data + "resources.xml");
        EXPECT_NO_THROW(kv_check_resource_images(main, data + "resources.xml"));
    }
    CL_SetupCore::deinit();
}
