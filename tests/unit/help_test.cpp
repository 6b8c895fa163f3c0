#include <gtest/gtest.h>

#include "app/help.h"
#include "fakes/fake_window.h"

namespace pelmora {
namespace {

TEST(Help, TextIsNineLinesEachWithTwoLineBreaks) {
    const Text& t = helpText();
    EXPECT_EQ(t.size(), 484u);
    std::size_t lines = 0, from = 0, at;
    while ((at = t.find("\r\n\r\n", from)) != Text::npos) {
        EXPECT_GT(at, from);  // no empty line of its own
        ++lines;
        from = at + 4;
    }
    EXPECT_EQ(lines, 9u);
    EXPECT_EQ(from, t.size());
    EXPECT_EQ(t.substr(0, 4), "直接");
    EXPECT_NE(t.find("***********下面时运行时热键响应列表：*************\r\n"), Text::npos);
}

TEST(Help, LinkTextAndMenuItemShowItCaptioned) {
    fakes::FakePlatform fake;
    fakes::FakeAppWindow win;
    std::unique_ptr<Globals> g = createGlobals(fake.table);
    g->settingsWindow = &win;
    win.g = g.get();
    win.at("超级链接框快捷键").userClick();
    handleMenuItem(*g, 2);
    ASSERT_EQ(fake.ui.boxes.size(), 2u);
    for (const auto& box : fake.ui.boxes) {
        EXPECT_EQ(box.caption, "说明");
        EXPECT_EQ(box.text, helpText());
        EXPECT_EQ(box.style, 4144u);
    }
    releaseGlobals(g);
}

}  // namespace
}  // namespace pelmora
