// The settings file against the real profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/globals.h"
#include "platform/win32/win32_platform.h"
#include "settings/settings_io.h"
#include "wine_support.h"

namespace pelmora {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;

TEST(Platform, AnsiCodePageIs936) {
    // Every text of the program is code page 936 bytes; nothing else here means anything.
    ASSERT_EQ(GetACP(), 936u);
}

struct ProfileTest : ::testing::Test {
    TempFolder folder;
    win32::Win32Platform platform;
    std::unique_ptr<Globals> g = createGlobals(platform.table);
    Text ini;

    void SetUp() override {
        g->programDirectory = folder.path();
        g->executableFileName = "Pelmora.exe";
        ini = folder.path() + kSettingsFileName;
        g->settingsFile.setFile(ini);
    }
    void TearDown() override { releaseGlobals(g); }
};

TEST_F(ProfileTest, SaveThenLoadGivesBackEveryField) {
    Settings& s = g->settings;
    s.pictureFolder = "D:\\我的 图片\\2026";
    s.includeSubfolders = true;
    s.randomOrder = false;
    s.interval = -2147483647 - 1;
    s.timeUnit = TimeUnit::Days;
    s.displayStyle = DisplayStyle::Stretch;
    s.autoChange = false;
    s.startWithSystem = false;
    s.trayInBackground = false;
    saveSettings(*g);
    const Settings saved = s;

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

    // The saved file has the stored forms, and no section for the position.
    const std::string bytes = readFileBytes(ini);
    EXPECT_NE(bytes.find("[图片设置]"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("间隔时间=-2147483648"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("包含子目录=真"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("开启壁纸=假"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("其他"), std::string::npos) << bytes;
}

TEST_F(ProfileTest, NoFileLoadsTheDefaults) {
    loadSettings(*g);
    const Settings& s = g->settings;
    EXPECT_EQ(s.pictureFolder, "");
    EXPECT_FALSE(s.includeSubfolders);
    EXPECT_TRUE(s.randomOrder);
    EXPECT_EQ(s.interval, 10);
    EXPECT_EQ(s.timeUnit, TimeUnit::Minutes);
    EXPECT_TRUE(s.autoChange);
    EXPECT_TRUE(s.startWithSystem);
    EXPECT_TRUE(s.trayInBackground);
    EXPECT_EQ(s.currentIndex, 0);
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES);  // reads create nothing
}

TEST_F(ProfileTest, HandWrittenFileWithFullWidthDigitsAndEmptyValues) {
    ASSERT_TRUE(writeFileBytes(ini,
                               "[图片设置]\r\n"
                               "间隔时间=１５\r\n"
                               "随机显示=\r\n"
                               "显示样式 = 2.9 \r\n"
                               "[选项]\r\n"
                               "开启壁纸=1\r\n"
                               "[其他]\r\n"
                               "上次序号=７\r\n"));
    loadSettings(*g);
    EXPECT_EQ(g->settings.interval, 15);
    EXPECT_FALSE(g->settings.randomOrder);
    EXPECT_EQ(static_cast<int>(g->settings.displayStyle), 2);
    EXPECT_FALSE(g->settings.autoChange);
    EXPECT_EQ(g->settings.currentIndex, 7);
}

TEST_F(ProfileTest, OverlongValueIsCutToTheReadBuffer) {
    const std::string longFolder = "C:\\" + std::string(10297, 'x');
    ASSERT_EQ(longFolder.size(), 10300u);
    ASSERT_TRUE(writeFileBytes(ini, "[图片设置]\r\n图片目录=" + longFolder + "\r\n"));
    loadSettings(*g);
    EXPECT_EQ(g->settings.pictureFolder.size(), 10239u);
    EXPECT_EQ(g->settings.pictureFolder, longFolder.substr(0, 10239));
}

TEST_F(ProfileTest, WritingKeepsOtherLinesAndSaveAfterAPositionUsesItsSections) {
    ASSERT_TRUE(writeFileBytes(ini, "; by hand\r\n[mine]\r\nkeep=1\r\n"));
    g->settingsFile.setSection("其他");
    g->settingsFile.writeNumber("上次序号", 3);
    saveSettings(*g);
    const std::string bytes = readFileBytes(ini);
    EXPECT_NE(bytes.find("; by hand"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("keep=1"), std::string::npos) << bytes;
    // Every saved key landed in its own section, none under "其他".
    win32::ProfileStore store;
    g->settings.pictureFolder.clear();
    EXPECT_EQ(store.readString("其他", "图片目录", "none", ini), "none");
    EXPECT_EQ(store.readString("其他", "随机显示", "none", ini), "none");
    EXPECT_EQ(store.readString("图片设置", "随机显示", "none", ini), "假");
    EXPECT_EQ(store.readString("选项", "后台托盘", "none", ini), "假");
    g->settingsFile.setSection("其他");
    EXPECT_DOUBLE_EQ(g->settingsFile.readNumber("上次序号"), 3);
}

}  // namespace
}  // namespace pelmora
