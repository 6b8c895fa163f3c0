#include "rotation_fixture.h"

namespace pelmora {
namespace {

TEST(IsPictureName, SuffixTable) {
    const struct {
        const char* name;
        bool picture;
    } cases[] = {
        {"a.JPG", true},    {"b.jpeg", true},    {"c.Tiff", true},  {"x.GIF", true},
        {"f.Bmp", true},    {".bmp", true},      {"图片.BMP", true}, {"d.tif", false},
        {"e.png", false},   {"f.bmp.txt", false}, {"bmp", false},    {"", false},
        {"a.jpe", false},   {"ajpg", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isPictureName(c.name), c.picture) << c.name;
}

struct CatalogueTest : RotationFixture {
    void SetUp() override {
        RotationFixture::SetUp();
        fake.files.addFolder("D:\\P", {"a.JPG", "b.jpeg", "c.Tiff", "d.tif", "e.png",
                                       "f.bmp.txt", "pics.jpg\\", "x\\"});
        fake.files.addFolder("D:\\P\\pics.jpg", {"in.bmp"});
        fake.files.addFolder("D:\\P\\x", {"y.gif", "deep\\"});
        fake.files.addFolder("D:\\P\\x\\deep", {"z.gif"});
    }
};

TEST_F(CatalogueTest, FilesFirstThenSubfoldersDepthFirst) {
    g->settings.includeSubfolders = true;
    rebuildCatalogue(*g);
    const ImageCatalogue expected = {"D:\\P\\a.JPG", "D:\\P\\b.jpeg", "D:\\P\\c.Tiff",
                                     "D:\\P\\pics.jpg\\in.bmp", "D:\\P\\x\\y.gif",
                                     "D:\\P\\x\\deep\\z.gif"};
    EXPECT_EQ(g->catalogue, expected);
    EXPECT_EQ(fake.files.identityLookups, 0);  // no link, nothing to look up
    EXPECT_EQ(catalogueCount(*g), 6);
    EXPECT_EQ(cataloguePath(*g, 4), "D:\\P\\pics.jpg\\in.bmp");
    EXPECT_EQ(g->settings.catalogueFolder, "D:\\P");
    EXPECT_TRUE(g->settings.catalogueIncludesSubfolders);
    EXPECT_TRUE(fake.ui.boxes.empty());
    EXPECT_EQ(fake.files.openEnumerations, 0);
    // One pump for every entry, the dots included: 10 in D:\P, 3 in
    // pics.jpg, 4 in x, 3 in deep.
    EXPECT_EQ(fake.ui.pumps, 10 + 3 + 4 + 3);

    rebuildCatalogue(*g);
    EXPECT_EQ(g->catalogue, expected);  // the same list again

    g->settings.includeSubfolders = false;
    rebuildCatalogue(*g);
    EXPECT_EQ(g->catalogue, (ImageCatalogue{"D:\\P\\a.JPG", "D:\\P\\b.jpeg", "D:\\P\\c.Tiff"}));
    EXPECT_EQ(fake.files.openEnumerations, 0);
}

TEST_F(CatalogueTest, SubfolderChoiceIsReadWhenEachFolderReachesItsSubfolders) {
    // Switched on while the top folder's files are walked: its subfolders count.
    g->settings.includeSubfolders = false;
    fake.ui.onPump = [this] { g->settings.includeSubfolders = true; };
    rebuildCatalogue(*g);
    EXPECT_EQ(catalogueCount(*g), 6);
    EXPECT_FALSE(g->settings.catalogueIncludesSubfolders);  // recorded at the start

    // Switched off while x's files are walked: x's own subfolders are skipped,
    // and so is everything after it.
    g->settings.includeSubfolders = true;
    fake.ui.onPump = [this] {
        if (g->catalogue.size() == 5) g->settings.includeSubfolders = false;
    };
    rebuildCatalogue(*g);
    EXPECT_EQ(g->catalogue.back(), "D:\\P\\x\\y.gif");
    EXPECT_EQ(catalogueCount(*g), 5);
}

TEST_F(CatalogueTest, LoopingLinksEndAndAddNothingTwice) {
    g->settings.includeSubfolders = true;
    fake.files.addLink("D:\\P\\x\\deep", "back", "D:\\P");    // loops to the root
    fake.files.addLink("D:\\P\\x", "self", "D:\\P\\x");       // loops to itself
    fake.files.addLink("D:\\P", "again", "D:\\P\\x\\deep");   // not a loop: a second way in
    rebuildCatalogue(*g);
    const ImageCatalogue expected = {"D:\\P\\a.JPG", "D:\\P\\b.jpeg", "D:\\P\\c.Tiff",
                                     "D:\\P\\pics.jpg\\in.bmp", "D:\\P\\x\\y.gif",
                                     "D:\\P\\x\\deep\\z.gif", "D:\\P\\again\\z.gif"};
    EXPECT_EQ(g->catalogue, expected);
    EXPECT_EQ(fake.files.openEnumerations, 0);
}

TEST_F(CatalogueTest, LoopClosedByAnOrdinaryFolderBelowALinkEndsToo) {
    // The walk starts in E:\\R\\a\\b, whose link p leads up to E:\\R\\a; a's real
    // subfolder b is then the walk's root again.
    g->settings.includeSubfolders = true;
    fake.files.addFolder("E:\\R\\a", {"in-a.jpg", "b\\"});
    fake.files.addFolder("E:\\R\\a\\b", {"in-b.jpg"});
    fake.files.addLink("E:\\R\\a\\b", "p", "E:\\R\\a");
    g->settings.pictureFolder = "E:\\R\\a\\b";
    rebuildCatalogue(*g);
    EXPECT_EQ(g->catalogue, (ImageCatalogue{"E:\\R\\a\\b\\in-b.jpg", "E:\\R\\a\\b\\p\\in-a.jpg"}));
}

TEST_F(CatalogueTest, EmptyResultShowsTheNoticeAndTheTimerIsStoppedAroundTheWalk) {
    // Pictures only in a subfolder, subfolders off.
    fake.files.addFolder("D:\\P\\only", {"sub\\", "note.txt"});
    fake.files.addFolder("D:\\P\\only\\sub", {"s.jpg"});
    g->settings.pictureFolder = "D:\\P\\only";
    g->settings.autoChange = true;
    g->settings.interval = 5;
    g->settings.timeUnit = TimeUnit::Seconds;
    armSchedule(*g);
    ASSERT_TRUE(fake.timer.running);
    std::vector<bool> runningDuringWalk;
    fake.ui.onPump = [&] { runningDuringWalk.push_back(fake.timer.running); };
    rebuildCatalogue(*g);
    EXPECT_EQ(runningDuringWalk, std::vector<bool>{false});
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].caption, "找不到图片");
    EXPECT_EQ(fake.ui.boxes[0].style, 4144u);
    EXPECT_EQ(fake.ui.boxes[0].text,
              "指定的图片目录【D:\\P\\only】找不到任何支持的图片格式，目前仅支持Bmp、Jpg、"
              "Gif、Tiff格式图片设置为桌面。请重新设置。");
    EXPECT_TRUE(fake.timer.running);  // armed again at the end
    EXPECT_EQ(g->schedule.period, 5000);

    // A folder that does not exist, automatic changing off: the timer stays stopped.
    g->settings.pictureFolder = "D:\\nowhere";
    g->settings.autoChange = false;
    rebuildCatalogue(*g);
    ASSERT_EQ(fake.ui.boxes.size(), 2u);
    EXPECT_NE(fake.ui.boxes[1].text.find("【D:\\nowhere】"), Text::npos);
    EXPECT_FALSE(fake.timer.running);
}

TEST_F(CatalogueTest, DriveRootAndEmptyFolderPatterns) {
    fake.files.addFolder("C:", {"r.jpg"});
    g->settings.pictureFolder = "C:";
    rebuildCatalogue(*g);
    EXPECT_EQ(fake.files.log.front(), "find C:\\*");
    EXPECT_EQ(g->catalogue, (ImageCatalogue{"C:\\r.jpg"}));

    fake.files.log.clear();
    g->settings.pictureFolder = "";
    rebuildCatalogue(*g);
    EXPECT_EQ(fake.files.log.front(), "find \\*");
}

TEST_F(CatalogueTest, RemovingAnEntryMovesTheLaterOnesUp) {
    rebuildCatalogue(*g);
    removeCatalogueEntry(*g, 2);
    EXPECT_EQ(g->catalogue, (ImageCatalogue{"D:\\P\\a.JPG", "D:\\P\\c.Tiff"}));
    removeCatalogueEntry(*g, 3);  // outside: nothing
    removeCatalogueEntry(*g, 0);
    EXPECT_EQ(catalogueCount(*g), 2);
}

}  // namespace
}  // namespace pelmora
