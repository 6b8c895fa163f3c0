#include <gtest/gtest.h>

#include "app/globals.h"
#include "desktop/start_with_system.h"
#include "fakes/fake_platform.h"
#include "settings/settings_io.h"

namespace pelmora {
namespace {

using fakes::FakePlatform;

const Text kIni = "C:\\Tools\\Pelmora.ini";
const RegistryRoot kLM = RegistryRoot::LocalMachine;
const RegistryRoot kCU = RegistryRoot::CurrentUser;

struct SettingsIoTest : ::testing::Test {
    FakePlatform fake;
    std::unique_ptr<Globals> g = createGlobals(fake.table);
    std::vector<std::string> journal;

    void SetUp() override {
        g->programDirectory = "C:\\Tools";
        g->executableFileName = "Pelmora.exe";
        g->settingsFile.setFile(kIni);
        fake.profile.journal = &journal;
        fake.registry.journal = &journal;
    }
    void TearDown() override { releaseGlobals(g); }
    void put(const Text& section, const Text& key, const Text& value) {
        fake.profile.values[{kIni, section, key}] = value;
    }
    const Text* runValue(RegistryRoot root) {
        auto key = fake.registry.keys.find({root, kRunKeyPath});
        if (key == fake.registry.keys.end()) return nullptr;
        auto v = key->second.find(kRunValueName);
        return v == key->second.end() ? nullptr : &v->second;
    }
};

TEST_F(SettingsIoTest, FreshRecordIsAllZero) {
    const Settings& s = g->settings;
    EXPECT_EQ(s.pictureFolder, "");
    EXPECT_FALSE(s.includeSubfolders || s.randomOrder || s.autoChange || s.startWithSystem ||
                 s.trayInBackground || s.catalogueIncludesSubfolders);
    EXPECT_EQ(s.interval, 0);
    EXPECT_EQ(s.timeUnit, TimeUnit::Seconds);
    EXPECT_EQ(s.displayStyle, DisplayStyle::Centre);
    EXPECT_EQ(s.currentIndex, 0);
    EXPECT_TRUE(g->settingsFile.filePath().empty() == false);  // set in SetUp
    EXPECT_TRUE(g->settingsFile.currentSection().empty());
}

TEST_F(SettingsIoTest, LoadReadsInOrderAndAppliesTheRunEntryAfterItsKey) {
    loadSettings(*g);
    const std::vector<std::string> expected = {
        "read [图片设置] 图片目录", "read [图片设置] 包含子目录", "read [图片设置] 随机显示",
        "read [图片设置] 间隔时间", "read [图片设置] 时间单位",   "read [图片设置] 显示样式",
        "read [选项] 开启壁纸",     "read [选项] 随系统启动",     "open HKLM",
        "create HKLM",              "set Pelmora",                "close",
        "read [选项] 后台托盘",     "read [其他] 上次序号",
    };
    EXPECT_EQ(journal, expected);

    // No file: the load defaults.
    const Settings& s = g->settings;
    EXPECT_EQ(s.pictureFolder, "");
    EXPECT_FALSE(s.includeSubfolders);
    EXPECT_TRUE(s.randomOrder);
    EXPECT_EQ(s.interval, 10);
    EXPECT_EQ(s.timeUnit, TimeUnit::Minutes);
    EXPECT_EQ(s.displayStyle, DisplayStyle::Centre);
    EXPECT_TRUE(s.autoChange);
    EXPECT_TRUE(s.startWithSystem);
    EXPECT_TRUE(s.trayInBackground);
    EXPECT_EQ(s.currentIndex, 0);
    ASSERT_NE(runValue(kLM), nullptr);
    EXPECT_EQ(*runValue(kLM), "\"C:\\Tools\\Pelmora.exe\" 后台");
}

TEST_F(SettingsIoTest, LoadTakesValuesAsStoredWithoutRangeChecks) {
    put("图片设置", "图片目录", "D:\\相册");
    put("图片设置", "随机显示", "");
    put("图片设置", "包含子目录", "1");
    put("图片设置", "间隔时间", "-2.9");
    put("图片设置", "时间单位", "７");
    put("图片设置", "显示样式", "5x");
    put("选项", "开启壁纸", "真");
    put("选项", "随系统启动", "假");
    put("其他", "上次序号", "4294967299");
    loadSettings(*g);
    const Settings& s = g->settings;
    EXPECT_EQ(s.pictureFolder, "D:\\相册");
    EXPECT_FALSE(s.randomOrder);
    EXPECT_FALSE(s.includeSubfolders);
    EXPECT_EQ(s.interval, -2);
    EXPECT_EQ(static_cast<int>(s.timeUnit), 7);
    EXPECT_EQ(static_cast<int>(s.displayStyle), 5);
    EXPECT_TRUE(s.autoChange);
    EXPECT_FALSE(s.startWithSystem);
    EXPECT_EQ(s.currentIndex, 3);

    put("图片设置", "间隔时间", "");
    put("图片设置", "时间单位", "2.9");
    loadSettings(*g);
    EXPECT_EQ(g->settings.interval, 0);
    EXPECT_EQ(g->settings.timeUnit, TimeUnit::Hours);
}

TEST_F(SettingsIoTest, SaveWritesEveryKeyButThePositionInOrder) {
    Settings& s = g->settings;
    s.pictureFolder = "D:\\Photos";
    s.includeSubfolders = true;
    s.randomOrder = false;
    s.interval = 25;
    s.timeUnit = TimeUnit::Hours;
    s.displayStyle = DisplayStyle::Tile;
    s.autoChange = true;
    s.startWithSystem = false;
    s.trayInBackground = true;
    s.currentIndex = 7;
    // A picture was applied last: the section is left at "其他".
    g->settingsFile.setSection("其他");
    saveSettings(*g);
    const std::vector<std::string> expected = {
        "write [图片设置] 图片目录=D:\\Photos", "write [图片设置] 包含子目录=真",
        "write [图片设置] 随机显示=假",         "write [图片设置] 间隔时间=25",
        "write [图片设置] 时间单位=2",          "write [图片设置] 显示样式=1",
        "write [选项] 开启壁纸=真",             "write [选项] 随系统启动=假",
        "open HKLM",                            "open HKCU",
        "write [选项] 后台托盘=真",
    };
    EXPECT_EQ(journal, expected);
    EXPECT_FALSE(fake.profile.hasSection(kIni, "其他"));

    // What was saved loads back.
    Settings saved = s;
    s = Settings();
    loadSettings(*g);
    EXPECT_EQ(s.pictureFolder, saved.pictureFolder);
    EXPECT_EQ(s.includeSubfolders, saved.includeSubfolders);
    EXPECT_EQ(s.randomOrder, saved.randomOrder);
    EXPECT_EQ(s.interval, saved.interval);
    EXPECT_EQ(s.timeUnit, saved.timeUnit);
    EXPECT_EQ(s.displayStyle, saved.displayStyle);
    EXPECT_EQ(s.autoChange, saved.autoChange);
    EXPECT_EQ(s.startWithSystem, saved.startWithSystem);
    EXPECT_EQ(s.trayInBackground, saved.trayInBackground);
    EXPECT_EQ(s.currentIndex, 0);  // never saved
}

TEST_F(SettingsIoTest, RunEntryWritesMachineWideAndFallsBackToTheUser) {
    g->programDirectory = "C:";
    g->settings.startWithSystem = true;
    fake.registry.keys[{kLM, kRunKeyPath}];
    applyStartWithSystem(*g);
    ASSERT_NE(runValue(kLM), nullptr);
    EXPECT_EQ(*runValue(kLM), "\"C:\\Pelmora.exe\" 后台");
    EXPECT_EQ(runValue(kCU), nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"open HKLM", "set Pelmora", "close"}));

    // A user without write access to the machine-wide key.
    journal.clear();
    fake.registry.keys.clear();
    fake.registry.readOnlyRoots = {kLM};
    applyStartWithSystem(*g);
    EXPECT_EQ(runValue(kLM), nullptr);
    ASSERT_NE(runValue(kCU), nullptr);
    EXPECT_EQ(*runValue(kCU), "\"C:\\Pelmora.exe\" 后台");
    EXPECT_EQ(journal, (std::vector<std::string>{"open HKLM", "create HKLM", "open HKCU",
                                                 "create HKCU", "set Pelmora", "close"}));
    EXPECT_EQ(fake.registry.openHandles(), 0);
}

TEST_F(SettingsIoTest, RunEntryOffDeletesFromBothAndLeavesOtherValues) {
    fake.registry.keys[{kLM, kRunKeyPath}] = {{"Pelmora", "x"}, {"Other", "y"}};
    fake.registry.keys[{kCU, kRunKeyPath}] = {{"Pelmora", "x"}};
    g->settings.startWithSystem = false;
    applyStartWithSystem(*g);
    EXPECT_EQ(runValue(kLM), nullptr);
    EXPECT_EQ(runValue(kCU), nullptr);
    EXPECT_EQ(fake.registry.keys.at({kLM, kRunKeyPath}).count("Other"), 1u);

    // Off with no key at all: nothing is created.
    fake.registry.keys.clear();
    applyStartWithSystem(*g);
    EXPECT_TRUE(fake.registry.keys.empty());
    EXPECT_EQ(fake.registry.openHandles(), 0);
}

TEST_F(SettingsIoTest, NoticeBoxUsesTheDefaultCaptionAndStyle) {
    noticeBox(*g, "文本");
    noticeBox(*g, "x", 0, "找不到图片");
    ASSERT_EQ(fake.ui.boxes.size(), 2u);
    EXPECT_EQ(fake.ui.boxes[0].caption, "Pelmora：");
    EXPECT_EQ(fake.ui.boxes[0].style, 4144u);
    EXPECT_EQ(fake.ui.boxes[1].caption, "找不到图片");
}

}  // namespace
}  // namespace pelmora
