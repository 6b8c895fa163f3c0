#include <gtest/gtest.h>

#include "app/about.h"
#include "app/forms.h"
#include "fakes/fake_window.h"

namespace pelmora {
namespace {

class FakeAbout : public AboutHost {
public:
    bool open_ = false;
    std::vector<std::string> log;
    bool isOpen() override { return open_; }
    void bringBack() override { log.push_back("bring back"); }
    void open() override {
        log.push_back("open");
        open_ = true;
    }
    void drag() override { log.push_back("drag"); }
    void requestClose() override {
        log.push_back("close");
        open_ = false;
    }
    void openTarget(const Text& target) override { log.push_back("open " + target); }
};

struct AboutTest : ::testing::Test {
    fakes::FakePlatform fake;
    FakeAbout about;
    fakes::FakeAppWindow win;
    std::unique_ptr<Globals> g;
    void SetUp() override {
        fake.table.about = &about;
        g = createGlobals(fake.table);
        g->settingsWindow = &win;
        win.g = g.get();
    }
    void TearDown() override { releaseGlobals(g); }
};

TEST_F(AboutTest, OneAtATimeFromTheLinkAndTheMenu) {
    win.at("超级链接框关于").userClick();
    handleMenuItem(*g, 5);
    EXPECT_EQ(about.log, (std::vector<std::string>{"open", "bring back"}));
}

TEST_F(AboutTest, PressesByWhereTheyLand) {
    const ControlForm& title = *findControl(aboutWindowForm(), "超级链接框4");
    const struct {
        int x, y;
        std::string action;
    } cases[] = {
        {20, 100, "drag"},                      // 图片框1
        {230, 72, "open " + title.target},      // a credit link with a target
        {230, 140, "open mailto:hello@pelmora.example"},
        {230, 172, ""},                         // a credit without a target
        {190, 72, ""},                          // a label
        {20, 250, ""},                          // 图片框3
        {100, 260, "open " + title.target},     // the title link
        {420, 280, "close"},                    // the background
        {200, 30, "close"},                     // the banner is the background too
    };
    for (const auto& c : cases) {
        about.log.clear();
        onAboutPress(*g, c.x, c.y);
        EXPECT_EQ(about.log, c.action.empty() ? std::vector<std::string>{}
                                              : std::vector<std::string>{c.action})
            << c.x << "," << c.y;
    }
    EXPECT_TRUE(fake.ui.boxes.empty());
    onAboutPress(*g, 350, 180);  // 图片框2: the maker's note
    ASSERT_EQ(fake.ui.boxes.size(), 1u);
    EXPECT_EQ(fake.ui.boxes[0].caption, "Pelmora：");
    EXPECT_EQ(fake.ui.boxes[0].text, makerNote());
}

TEST(AboutForm, PicturesHaveTheirSizes) {
    const struct {
        const char* name;
        int width, height;
    } cases[] = {{"背景图片", 435, 80}, {"图片框1", 150, 150}, {"图片框2", 64, 64}, {"图片框3", 48, 48}};
    for (const auto& c : cases) {
        const ControlForm* p = findControl(aboutWindowForm(), c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->width, c.width);
        EXPECT_EQ(p->height, c.height);
        EXPECT_NE(p->picture, 0);
    }
    EXPECT_EQ(aboutWindowForm().width, 445);
    EXPECT_EQ(aboutWindowForm().height, 302);
}

}  // namespace
}  // namespace pelmora
