#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace pelmora {
namespace {

using fakes::FakeControl;
using fakes::FakeProfileStore;
using fakes::FakeWindow;

const Text kPath = "C:\\P\\Pelmora.ini";

struct SettingsFileTest : ::testing::Test {
    FakeProfileStore store;
    SettingsFile file{&store};
    void SetUp() override { file.setFile(kPath, "图片设置"); }
    void put(const Text& key, const Text& value, const Text& section = "图片设置") {
        store.values[{kPath, section, key}] = value;
    }
};

TEST_F(SettingsFileTest, MissingKeysGiveTheDefaultAndEmptyValuesGiveEmptyText) {
    EXPECT_EQ(file.readText("k", "dflt"), "dflt");
    EXPECT_DOUBLE_EQ(file.readNumber("n", 10), 10);
    EXPECT_TRUE(file.readBool("b", true));
    EXPECT_FALSE(file.readBool("b"));

    put("k", "");
    put("n", "");
    put("b", "");
    EXPECT_EQ(file.readText("k", "dflt"), "");
    EXPECT_DOUBLE_EQ(file.readNumber("n", 10), 0);
    EXPECT_FALSE(file.readBool("b", true));
    EXPECT_TRUE(file.readBoolNotFalse("b", false));
}

TEST_F(SettingsFileTest, OnlyTheExactTruthTextReadsTrue) {
    const struct {
        const char* value;
        bool asBool, asNotFalse;
    } cases[] = {
        {"真", true, true},   {"假", false, false}, {"1", false, true},
        {"true", false, true}, {" 真", false, true}, {"真 ", false, true},
    };
    for (const auto& c : cases) {
        put("b", c.value);
        EXPECT_EQ(file.readBool("b", true), c.asBool) << c.value;
        EXPECT_EQ(file.readBoolNotFalse("b", false), c.asNotFalse) << c.value;
    }
}

TEST_F(SettingsFileTest, ReadsTrimLeadingBlanksAndAnEmptyPartCallsNothing) {
    put("key", "v");
    file.setFile("  " + kPath, "\t图片设置");
    EXPECT_EQ(file.readText(" key"), "v");

    const struct {
        const char* path;
        const char* section;
        const char* key;
    } empties[] = {{"", "s", "k"}, {" \t", "s", "k"}, {"p", "", "k"}, {"p", "  ", "k"},
                   {"p", "s", ""},  {"p", "s", "\x01 "}};
    for (const auto& c : empties) {
        store.log.clear();
        file.setFile(c.path, c.section);
        EXPECT_EQ(file.readText(c.key, "default"), "");
        EXPECT_DOUBLE_EQ(file.readNumber(c.key, 10), 0);
        EXPECT_FALSE(file.readBool(c.key, true));
        EXPECT_TRUE(store.log.empty()) << c.path << "|" << c.section << "|" << c.key;
    }
}

TEST_F(SettingsFileTest, WritesUseTheUntrimmedPathAndSectionAndNumberForms) {
    file.setFile(" " + kPath, " s");
    EXPECT_TRUE(file.writeNumber("n", 2147483647));
    EXPECT_TRUE(file.writeNumber("m", -3));
    EXPECT_TRUE(file.writeBool("b", false));
    EXPECT_TRUE(file.writeText("t", ""));
    EXPECT_EQ(store.values.at({" " + kPath, " s", "n"}), "2147483647");
    EXPECT_EQ(store.values.at({" " + kPath, " s", "m"}), "-3");
    EXPECT_EQ(store.values.at({" " + kPath, " s", "b"}), "假");
    EXPECT_EQ(store.values.at({" " + kPath, " s", "t"}), "");
    store.refuseWrites = true;
    EXPECT_FALSE(file.writeText("t", "x"));
}

TEST_F(SettingsFileTest, SectionIsStickyAndSetFileWithoutSectionKeepsIt) {
    file.setFile("other.ini");
    EXPECT_EQ(file.currentSection(), "图片设置");
    FakeWindow window;
    file.saveWindowPlacement(window, "窗口");
    EXPECT_EQ(file.currentSection(), "窗口");
    file.saveWindowPlacement(window);  // an empty section leaves it
    EXPECT_EQ(file.currentSection(), "窗口");
    file.writeText("after", "x");
    EXPECT_EQ(store.values.count({"other.ini", "窗口", "after"}), 1u);

    SettingsFile copy = file.clone();
    file.setSection("changed");
    EXPECT_EQ(copy.currentSection(), "窗口");
    EXPECT_EQ(copy.filePath(), "other.ini");
    copy.release();
    EXPECT_TRUE(copy.filePath().empty());
    EXPECT_TRUE(copy.currentSection().empty());
}

TEST_F(SettingsFileTest, WindowPlacementStopsAtStateTwo) {
    FakeWindow window;
    window.state = 2;
    file.saveWindowPlacement(window, "窗口");
    ASSERT_EQ(store.log.size(), 1u);
    EXPECT_EQ(store.log[0], "write [窗口] 位置=2");

    store.log.clear();
    window.state = 1;
    window.r = {-5, 7, 496, 372};
    file.saveWindowPlacement(window);
    const std::vector<std::string> expected = {"write [窗口] 位置=1", "write [窗口] 左边=-5",
                                               "write [窗口] 顶边=7", "write [窗口] 宽度=496",
                                               "write [窗口] 高度=372"};
    EXPECT_EQ(store.log, expected);

    FakeWindow other;
    other.r = {1, 2, 3, 4};
    put("左边", "12.9", "窗口");  // through truncateToInt
    file.restoreWindowPlacement(other);
    EXPECT_EQ(other.state, 1);
    EXPECT_EQ(other.r.left, 12);
    EXPECT_EQ(other.r.top, 7);
    EXPECT_EQ(other.r.width, 496);

    put("位置", "3", "窗口");
    FakeWindow maximised;
    file.restoreWindowPlacement(maximised);
    EXPECT_EQ(maximised.state, 3);
    EXPECT_EQ(maximised.r.left, 10);  // untouched
}

TEST_F(SettingsFileTest, ControlValuesRoundTripInTheirStoredForms) {
    FakeControl box("随机显示(&R)");
    box.checked_ = true;
    file.writeCheckBox(box);
    EXPECT_EQ(store.values.at({kPath, "图片设置", "随机显示(&R)"}), "真");
    box.checked_ = false;
    EXPECT_TRUE(file.readCheckBox(box));
    FakeControl fresh("never written");
    fresh.checked_ = true;
    EXPECT_TRUE(file.readMenuItem(fresh));  // default is the current state

    FakeControl edit("line 1\r\nline 2\r\n");
    file.writeMultiLineEdit("多行", edit);
    EXPECT_EQ(store.values.at({kPath, "图片设置", "多行"}), "line 1【→↓】line 2【→↓】");
    edit.text_.clear();
    EXPECT_EQ(file.readMultiLineEdit("多行", edit), "line 1\r\nline 2\r\n");

    FakeControl list;
    list.items = {{"甲", true, 3}, {"b", false, -7}};
    file.writeListBox("列表", list);
    EXPECT_EQ(store.values.at({kPath, "图片设置", "列表"}), "甲【==】真【==】3【→↓】b【==】假【==】-7");
    list.items = {{"stale", false, 0}};
    file.readListBox("列表", list);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].text, "甲");
    EXPECT_TRUE(list.items[0].checked);
    EXPECT_EQ(list.items[1].value, -7);

    put("列表", "only【==】真【==】2.5【==】extra【→↓】bare");
    file.readListBox("列表", list);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].value, 2);
    EXPECT_EQ(list.items[1].text, "bare");
    EXPECT_FALSE(list.items[1].checked);
    EXPECT_EQ(list.items[1].value, 0);

    // An empty list writes an empty value and reads back as empty.
    list.items.clear();
    file.writeListBox("空", list);
    file.readListBox("空", list);
    EXPECT_TRUE(list.items.empty());
}

TEST_F(SettingsFileTest, DateTimeFormDropsTrailingZeroParts) {
    const struct {
        DateTime value;
        const char* text;
    } cases[] = {
        {{2026, 12, 11, 15, 30, 5}, "2026年12月11日15时30分5秒"},
        {{2026, 12, 11, 15, 30, 0}, "2026年12月11日15时30分"},
        {{2026, 12, 11, 15, 0, 0}, "2026年12月11日15时"},
        {{2026, 12, 11, 0, 0, 0}, "2026年12月11日"},
        {{2026, 1, 2, 0, 0, 9}, "2026年1月2日0时0分9秒"},
    };
    for (const auto& c : cases) {
        file.writeDateTime("t", c.value);
        EXPECT_EQ(store.values.at({kPath, "图片设置", "t"}), c.text);
        EXPECT_EQ(file.readDateTime("t"), c.value) << c.text;
    }
    EXPECT_EQ(file.readDateTime("missing", {2000, 1, 1, 8, 0, 0}), (DateTime{2000, 1, 1, 8, 0, 0}));
}

}  // namespace
}  // namespace pelmora
