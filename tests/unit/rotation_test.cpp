#include <climits>

#include "rotation_fixture.h"

namespace pelmora {
namespace {

struct RotationTest : RotationFixture {
    void SetUp() override {
        RotationFixture::SetUp();
        g->settings.randomOrder = false;
    }
    // Builds the catalogue of n pictures, as a first step would.
    void built(int n) {
        pictures(n);
        rebuildCatalogue(*g);
        ASSERT_EQ(catalogueCount(*g), n);
    }
};

TEST_F(RotationTest, SequentialStepsWrapAtBothEnds) {
    built(5);
    const struct {
        std::int32_t from;
        bool backwards;
        std::int32_t to;
    } cases[] = {
        {5, false, 1}, {1, true, 5},  {3, true, 2},        {3, false, 4},
        {0, false, 1}, {0, true, 5},  {9, false, 1},       {9, true, 5},
        {-4, false, 1}, {INT_MAX, false, 1}, {INT_MIN, true, 5},
    };
    for (const auto& c : cases) {
        g->settings.currentIndex = c.from;
        advance(*g, c.backwards);
        EXPECT_EQ(g->settings.currentIndex, c.to) << c.from << (c.backwards ? " back" : " fwd");
        EXPECT_EQ(storedIndex(), std::to_string(c.to));
        EXPECT_EQ(shown(), "BM<picture " + std::to_string(c.to) + ">");
    }
    EXPECT_EQ(fake.files.enumerationsStarted, 1);  // no step rebuilt
}

TEST_F(RotationTest, EmptyCatalogueLeavesOneOrZeroAndAppliesNothing) {
    for (bool random : {false, true}) {
        g->settings.randomOrder = random;
        g->settings.currentIndex = 3;
        advance(*g, false);
        EXPECT_EQ(g->settings.currentIndex, 1);
        advance(*g, true);
        EXPECT_EQ(g->settings.currentIndex, 0);
    }
    EXPECT_EQ(fake.ui.boxes.size(), 4u);  // every step rebuilt and said so
    EXPECT_TRUE(fake.imaging.sets.empty());
    EXPECT_EQ(storedIndex(), "(none)");
}

TEST_F(RotationTest, FreshnessTestRebuildsOnlyForARealChange) {
    built(5);
    const int builds = fake.files.enumerationsStarted;
    g->settings.includeSubfolders = true;
    g->settings.includeSubfolders = false;
    advance(*g, false);
    EXPECT_EQ(fake.files.enumerationsStarted, builds);

    g->settings.pictureFolder = "d:\\p";  // letter case counts
    fake.files.folders["d:\\p"] = fake.files.folders["D:\\P"];
    advance(*g, false);
    EXPECT_EQ(fake.files.enumerationsStarted, builds + 1);

    g->settings.includeSubfolders = true;
    advance(*g, false);
    EXPECT_EQ(fake.files.enumerationsStarted, builds + 2);
}

TEST_F(RotationTest, PositionCarriesOverToANewFolder) {
    built(5);
    fake.files.addFolder("D:\\Q", {"1.jpg", "2.jpg", "3.jpg", "4.jpg"});
    fake.files.addFolder("D:\\R", {"1.jpg", "2.jpg"});
    g->settings.currentIndex = 3;
    g->settings.pictureFolder = "D:\\Q";
    advance(*g, false);
    EXPECT_EQ(g->settings.currentIndex, 4);
    EXPECT_EQ(fake.imaging.sets.back().path, wallpaper);
    EXPECT_EQ(shown(), "BM<bytes of 4.jpg>");

    g->settings.currentIndex = 3;
    g->settings.pictureFolder = "D:\\R";
    advance(*g, false);
    EXPECT_EQ(g->settings.currentIndex, 1);
}

TEST_F(RotationTest, RandomDrawsFollowTheGenerator) {
    // Seed 1 gives the well-known draws 41, 18467, 6334, 26500.
    fake.clock.now = 1;
    seedRandom(*g);
    EXPECT_EQ(randomBetween(*g, 0, 32767), 41);
    EXPECT_EQ(randomBetween(*g, 32767, 0), 18467);  // bounds in either order
    EXPECT_EQ(randomBetween(*g, -5, 9), 6334 % 10);  // a negative bound counts as 0
    EXPECT_EQ(randomBetween(*g, 1, 5), 1 + 26500 % 5);
    const std::uint32_t state = g->rotation.randomState;
    EXPECT_EQ(randomBetween(*g, 7, 7), 7);
    EXPECT_EQ(randomBetween(*g, -3, 0), 0);
    EXPECT_EQ(g->rotation.randomState, state);  // equal bounds draw nothing

    // The offset makes a second seed in the same millisecond differ: 1 + (1 & 255) + 100.
    EXPECT_EQ(g->rotation.randomSeedOffset, 101u);
    seedRandom(*g);
    EXPECT_EQ(g->rotation.randomState, 102u);
    EXPECT_EQ(g->rotation.randomSeedOffset, 101u + 102u + 100u);

    // More than 32768 choices take two draws, so every position can come up.
    fake.clock.now = 1;
    g->rotation.randomSeedOffset = 0;
    seedRandom(*g);
    EXPECT_EQ(randomBetween(*g, 1, 40000), 1 + static_cast<int>(((41u << 15) | 18467u) % 40000u));
    seedRandom(*g);
    g->rotation.randomState = 1;
    EXPECT_EQ(randomBetween(*g, 1, 32768), 1 + 41);  // 32768 choices: still one draw
}

TEST_F(RotationTest, RandomOrderWithOnePictureDrawsNothing) {
    built(1);
    g->settings.randomOrder = true;
    fake.clock.now = 12345;
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t offsetBefore = g->rotation.randomSeedOffset;
        advance(*g, i % 2 == 0);
        EXPECT_EQ(g->settings.currentIndex, 1);
        // Reseeded on every step, never advanced.
        EXPECT_EQ(g->rotation.randomState, 12345u + offsetBefore);
        EXPECT_NE(g->rotation.randomSeedOffset, offsetBefore);
    }
}

TEST_F(RotationTest, DeleteRemovesThePictureOnShowAndShowsTheNext) {
    built(5);
    g->settings.currentIndex = 2;
    advance(*g, false);  // 3 on show
    deleteCurrentImage(*g);
    EXPECT_EQ(fake.files.deleted, std::vector<Text>{"D:\\P\\3.jpg"});
    EXPECT_EQ(catalogueCount(*g), 4);
    EXPECT_EQ(cataloguePath(*g, 3), "D:\\P\\4.jpg");
    EXPECT_EQ(g->settings.currentIndex, 3);
    EXPECT_EQ(storedIndex(), "3");
    EXPECT_EQ(shown(), "BM<picture 4>");

    // The last one (4 of 4 now): 3 is left, the step gives 4, which wraps to 1.
    g->settings.currentIndex = 3;
    advance(*g, false);
    deleteCurrentImage(*g);
    EXPECT_EQ(fake.files.deleted.back(), "D:\\P\\5.jpg");
    EXPECT_EQ(g->settings.currentIndex, 1);
    EXPECT_EQ(shown(), "BM<picture 1>");
}

TEST_F(RotationTest, DeleteOutsideTheCatalogueOnlySteps) {
    // Right after start-up: nothing built yet, so nothing is deleted.
    pictures(5);
    g->settings.currentIndex = 2;
    deleteCurrentImage(*g);
    EXPECT_TRUE(fake.files.deleted.empty());
    EXPECT_EQ(g->settings.currentIndex, 3);

    for (std::int32_t index : {0, 9, -1}) {
        g->settings.currentIndex = index;
        deleteCurrentImage(*g);
        EXPECT_TRUE(fake.files.deleted.empty()) << index;
    }
}

TEST_F(RotationTest, DeletingTheOnlyPictureEndsWithTheNotice) {
    built(1);
    advance(*g, false);
    const std::size_t sets = fake.imaging.sets.size();
    fake.files.folders["D:\\P"].clear();  // the delete empties the folder on disk too
    deleteCurrentImage(*g);
    EXPECT_EQ(fake.files.deleted, std::vector<Text>{"D:\\P\\1.jpg"});
    EXPECT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.imaging.sets.size(), sets);
}

TEST_F(RotationTest, UndeletableFileStillLeavesTheCatalogue) {
    built(3);
    g->settings.currentIndex = 1;
    advance(*g, false);  // 2 on show
    fake.files.files.erase("D:\\P\\2.jpg");  // gone already: the delete fails
    deleteCurrentImage(*g);
    EXPECT_EQ(catalogueCount(*g), 2);
    EXPECT_EQ(g->settings.currentIndex, 2);
}

TEST_F(RotationTest, RequestsDuringARebuildUseWhatIsFoundAndNeverRebuildOrDelete) {
    pictures(5);
    auto& entries = fake.files.folders["D:\\P"];
    entries.insert(entries.begin(), {"readme.txt", false});
    g->settings.currentIndex = 0;
    int nested = 0;
    std::vector<std::int32_t> seen;
    fake.ui.onPump = [&] {
        ++nested;
        if (nested == 1) {
            advance(*g, false);  // nothing found yet: does nothing
            seen.push_back(g->settings.currentIndex);
        } else if (nested == 3) {
            advance(*g, false);  // chooses among the two found so far
            seen.push_back(g->settings.currentIndex);
            deleteCurrentImage(*g);  // dropped
        }
    };
    advance(*g, false);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 1}));
    EXPECT_TRUE(fake.files.deleted.empty());
    EXPECT_EQ(fake.files.enumerationsStarted, 1);
    EXPECT_EQ(catalogueCount(*g), 5);
    // The outer step goes on from where the nested one left the position.
    EXPECT_EQ(g->settings.currentIndex, 2);
    EXPECT_EQ(fake.imaging.sets.size(), 2u);
}

}  // namespace
}  // namespace pelmora
