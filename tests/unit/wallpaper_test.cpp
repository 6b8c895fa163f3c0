#include "rotation_fixture.h"

namespace pelmora {
namespace {

struct WallpaperTest : RotationFixture {
    void SetUp() override {
        RotationFixture::SetUp();
        fake.files.addFolder("D:\\P", {"a.BMP", "b.jpg", "c.jpeg", "d.gif", "gone.jpg",
                                       "bad.jpg", "z.Bmp"});
        fake.files.files.erase("D:\\P\\gone.jpg");
        fake.files.files["D:\\P\\bad.jpg"] = "garbage";
        rebuildCatalogue(*g);
        fake.files.files[wallpaper] = "previous";
        fake.profile.values[{ini, "其他", "上次序号"}] = "2";
    }
};

TEST_F(WallpaperTest, BmpIsCopiedAndEveryOtherPictureReencoded) {
    const struct {
        std::int32_t index;
        const char* shown;
    } cases[] = {
        {1, "bytes of a.BMP"},     {7, "bytes of z.Bmp"},      {2, "BM<bytes of b.jpg>"},
        {3, "BM<bytes of c.jpeg>"}, {4, "BM<bytes of d.gif>"},
    };
    for (const auto& c : cases) {
        const int transcodes = fake.imaging.transcodes;
        applyWallpaper(*g, c.index);
        EXPECT_EQ(shown(), c.shown) << c.index;
        EXPECT_EQ(fake.imaging.transcodes, transcodes + (c.index == 1 || c.index == 7 ? 0 : 1));
        EXPECT_EQ(storedIndex(), std::to_string(c.index));
        EXPECT_EQ(fake.imaging.sets.back().path, "C:\\Tools\\桌面背景文件.bmp");
    }
    EXPECT_EQ(fake.files.files.count(wallpaper + ".new"), 0u);
    EXPECT_EQ(g->settingsFile.currentSection(), "其他");
}

TEST_F(WallpaperTest, IndexOutsideTheCatalogueDoesNothing) {
    fake.files.log.clear();
    for (std::int32_t index : {0, -1, 8}) applyWallpaper(*g, index);
    EXPECT_TRUE(fake.files.log.empty());
    EXPECT_TRUE(fake.imaging.sets.empty());
    EXPECT_EQ(storedIndex(), "2");
    EXPECT_EQ(shown(), "previous");
}

TEST_F(WallpaperTest, UnreadablePicturesKeepThePreviousWallpaperButStillSetAndStore) {
    applyWallpaper(*g, 5);  // deleted since the catalogue was built
    EXPECT_EQ(shown(), "previous");
    EXPECT_EQ(fake.imaging.sets.size(), 1u);
    EXPECT_EQ(storedIndex(), "5");

    applyWallpaper(*g, 6);  // cannot be decoded
    EXPECT_EQ(shown(), "previous");
    EXPECT_EQ(fake.imaging.sets.size(), 2u);
    EXPECT_EQ(storedIndex(), "6");

    fake.files.readThrowsBadAlloc = true;  // too large to hold
    applyWallpaper(*g, 2);
    EXPECT_EQ(shown(), "previous");
    EXPECT_EQ(fake.imaging.sets.size(), 3u);
    EXPECT_EQ(storedIndex(), "2");
}

TEST_F(WallpaperTest, WallpaperFileIsReplacedWholeOrNotAtAll) {
    fake.files.log.clear();
    applyWallpaper(*g, 2);
    const std::vector<std::string> expected = {"read D:\\P\\b.jpg",
                                               "write " + wallpaper + ".new",
                                               "replace " + wallpaper};
    EXPECT_EQ(fake.files.log, expected);

    // Neither the staging file nor the wallpaper file can be written.
    fake.files.unwritable = {wallpaper + ".new", wallpaper};
    applyWallpaper(*g, 3);
    EXPECT_EQ(shown(), "BM<bytes of b.jpg>");
    EXPECT_EQ(fake.files.files.count(wallpaper + ".new"), 0u);
    EXPECT_EQ(storedIndex(), "3");
    EXPECT_EQ(fake.imaging.sets.size(), 2u);

    // Staged but not put in place: the staging file is cleared away.
    fake.files.unwritable = {wallpaper};
    applyWallpaper(*g, 4);
    EXPECT_EQ(shown(), "BM<bytes of b.jpg>");
    EXPECT_EQ(fake.files.files.count(wallpaper + ".new"), 0u);
    // Only our own staging file was ever deleted.
    for (const Text& d : fake.files.deleted) EXPECT_EQ(d, wallpaper + ".new");
}

TEST_F(WallpaperTest, DisplayStyleIsHandedOnAsStored) {
    for (std::int32_t style : {0, 1, 2, 5, -1}) {
        g->settings.displayStyle = static_cast<DisplayStyle>(style);
        applyWallpaper(*g, 1);
        EXPECT_EQ(fake.imaging.sets.back().style, style);
    }
}

}  // namespace
}  // namespace pelmora
