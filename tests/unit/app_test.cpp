#include <gtest/gtest.h>

#include "app/startup.h"
#include "fakes/fake_window.h"

namespace pelmora {
namespace {

using fakes::FakeAppWindow;

TEST(CommandLine, ArgumentsAndTheBackgroundToken) {
    const struct {
        const char* line;
        std::vector<Text> args;
        bool background;
    } cases[] = {
        {"\"C:\\Program Files\\P m\\Pelmora.exe\" 后台", {"后台"}, true},
        {"C:\\Tools\\Pelmora.exe 后台", {"后台"}, true},
        {"Pelmora.exe \"后台\"", {"后台"}, true},
        {"Pelmora.exe 后 台", {"后", "台"}, true},
        {"Pelmora.exe 后台 \"\"", {"后台", ""}, true},
        {"Pelmora.exe  \t后台\t", {"后台"}, true},
        {"Pelmora.exe 后台 x", {"后台", "x"}, false},
        {"Pelmora.exe /后台", {"/后台"}, false},
        {"Pelmora.exe", {}, false},
        {"\"C:\\P m\\Pelmora.exe\"", {}, false},
        {"\"C:\\P m\\Pelmora.exe\"后台", {"后台"}, true},
        {"Pelmora.exe a\"b c\"d", {"a", "b c", "d"}, false},
        {"Pelmora.exe \"open", {"open"}, false},
        {"Pelmora.exe a\\\"b", {"a\\", "b"}, false},
        // A double-byte character whose second byte is a quotation mark or a space.
        {"Pelmora.exe \x81\x22x \x81\x20y", {"\x81\x22x", "\x81\x20y"}, false},
        {"Pelmora.exe ab\x81", {"ab"}, false},  // a lead byte with nothing after it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandLineArguments(c.line), c.args) << c.line;
        EXPECT_EQ(isBackgroundStart(c.line), c.background) << c.line;
    }
}

struct AppTest : ::testing::Test {
    fakes::FakePlatform fake;
    fakes::FakeShell shell;
    std::unique_ptr<FakeAppWindow> win = std::make_unique<FakeAppWindow>();
    std::unique_ptr<Globals> g;
    const Text ini = "C:\\Tools\\Pelmora.ini";

    void SetUp() override {
        fake.table.shell = &shell;
        g = createGlobals(fake.table);
        g->programDirectory = "C:\\Tools";
        g->executableFileName = "Pelmora.exe";
        g->commandLine = "Pelmora.exe";
        g->settingsWindow = win.get();
        win->g = g.get();
        fake.files.addFolder("D:\\P", {"1.jpg", "2.jpg"});
    }
    void TearDown() override { releaseGlobals(g); }
    void put(const Text& section, const Text& key, const Text& value) {
        fake.profile.values[{ini, section, key}] = value;
    }
    void file(bool autoChange, int unit) {
        put("图片设置", "图片目录", "D:\\P");
        put("图片设置", "时间单位", std::to_string(unit));
        put("图片设置", "间隔时间", "5");
        put("选项", "开启壁纸", autoChange ? "真" : "假");
    }
};

TEST_F(AppTest, StartModes) {
    const struct {
        bool background, autoChange;
        int unit;
        bool shown, timer, changed, ended;
    } cases[] = {
        {false, true, 0, true, true, false, false},   // foreground
        {false, false, 0, true, false, false, false},
        {true, true, 1, false, true, false, false},   // background
        {true, false, 1, true, false, false, false},  // shown after all: changing is off
        {true, true, 4, false, false, true, true},    // the log-on run
        {false, true, 4, true, false, false, false},  // log-on unit, normal start
        {true, false, 4, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.background << c.autoChange << c.unit);
        TearDown();
        win = std::make_unique<FakeAppWindow>();
        fake.imaging.sets.clear();
        fake.timer.running = false;
        SetUp();
        file(c.autoChange, c.unit);
        g->commandLine = c.background ? "Pelmora.exe 后台" : "Pelmora.exe";
        onSettingsWindowCreated(*g);
        EXPECT_EQ(win->shown, c.shown);
        EXPECT_EQ(fake.timer.running, c.timer);
        EXPECT_EQ(!fake.imaging.sets.empty(), c.changed);
        EXPECT_EQ(win->destroyRequests > 0, c.ended);
        // The controls show the loaded settings in every mode.
        EXPECT_EQ(win->at("编辑框图片目录").text(), "D:\\P");
        EXPECT_EQ(win->at("编辑框间隔时间").enabled(), c.unit != 4);
    }
}

TEST_F(AppTest, ClosingSavesAndStaysOrEnds) {
    file(true, 0);
    onSettingsWindowCreated(*g);
    win->at("选择框随机显示").userClick();  // random off -> on? loaded default is on
    const bool random = g->settings.randomOrder;
    win->at("按钮关闭").userClick();
    EXPECT_FALSE(win->shown);
    EXPECT_EQ(win->destroyRequests, 0);
    EXPECT_EQ(fake.profile.values.at({ini, "图片设置", "随机显示"}), random ? "真" : "假");
    EXPECT_TRUE(fake.timer.running);  // the background keeps changing

    win->at("选择框开启").userClick();  // off
    EXPECT_FALSE(fake.timer.running);
    closeSettingsWindow(*g);
    EXPECT_EQ(win->destroyRequests, 1);
    EXPECT_EQ(fake.profile.values.at({ini, "选项", "开启壁纸"}), "假");

    // Ending saves nothing.
    win->at("选择框随系统启动").userClick();
    const auto before = fake.profile.values;
    endProcess(*g);
    EXPECT_EQ(fake.profile.values, before);
    EXPECT_EQ(win->destroyRequests, 2);
}

TEST_F(AppTest, CopyToControlsWritesInOrderAndEndsWithTheUnitHandler) {
    file(true, 2);
    onSettingsWindowCreated(*g);
    const std::vector<std::string> expected = {
        "text 编辑框图片目录",       "checked 选择框包含子目录", "checked 选择框随机显示",
        "text 编辑框间隔时间",       "item 组合框时间单位",      "item 组合框样式",
        "checked 选择框开启",         "checked 选择框随系统启动", "checked 选择框后台托盘",
    };
    EXPECT_EQ(win->writes, expected);
    // The unit handler ran last: the timer follows the list (5 hours).
    EXPECT_EQ(g->schedule.period, 5 * 3600000);
}

TEST_F(AppTest, CopyToControlsClampsTheListsAndRunsOnlyTheTextHandlers) {
    file(true, 9);
    put("图片设置", "显示样式", "7");
    put("图片设置", "图片目录", "D:\\P\\\\");
    onSettingsWindowCreated(*g);
    EXPECT_EQ(win->at("组合框时间单位").currentItem(), 4);
    EXPECT_EQ(g->settings.timeUnit, TimeUnit::AtLogon);
    EXPECT_EQ(win->at("组合框样式").currentItem(), 2);
    EXPECT_EQ(static_cast<int>(g->settings.displayStyle), 7);
    EXPECT_EQ(win->at("编辑框图片目录").text(), "D:\\P");
    EXPECT_EQ(g->settings.pictureFolder, "D:\\P");
    EXPECT_FALSE(win->at("编辑框间隔时间").enabled());
    EXPECT_FALSE(fake.timer.running);

    TearDown();
    win = std::make_unique<FakeAppWindow>();
    SetUp();
    file(true, -5);
    onSettingsWindowCreated(*g);
    EXPECT_EQ(win->at("组合框时间单位").currentItem(), -1);
    EXPECT_EQ(static_cast<int>(g->settings.timeUnit), -1);
    EXPECT_FALSE(fake.timer.running);
}

TEST_F(AppTest, ControlHandlersWriteTheRecordAtOnce) {
    file(true, 1);
    onSettingsWindowCreated(*g);
    const struct {
        const char* box;
        bool Settings::*field;
    } boxes[] = {
        {"选择框包含子目录", &Settings::includeSubfolders},
        {"选择框随机显示", &Settings::randomOrder},
        {"选择框随系统启动", &Settings::startWithSystem},
        {"选择框后台托盘", &Settings::trayInBackground},
        {"选择框开启", &Settings::autoChange},
    };
    for (const auto& b : boxes) {
        for (int i = 0; i < 2; ++i) {
            win->at(b.box).userClick();
            EXPECT_EQ(g->settings.*b.field, win->at(b.box).checked()) << b.box;
        }
    }
    win->at("组合框样式").userSelect(1);
    EXPECT_EQ(g->settings.displayStyle, DisplayStyle::Tile);

    // The unit list: log-on disables the interval and stops the timer.
    win->at("组合框时间单位").userSelect(4);
    EXPECT_FALSE(win->at("编辑框间隔时间").enabled());
    EXPECT_FALSE(fake.timer.running);
    win->at("组合框时间单位").userSelect(1);
    EXPECT_TRUE(win->at("编辑框间隔时间").enabled());
    EXPECT_EQ(g->schedule.period, 5 * 60000);

    // The interval box: every change re-arms, a pasted word gives what leads it.
    win->at("编辑框间隔时间").userType("12.7");
    EXPECT_EQ(g->settings.interval, 12);
    win->at("编辑框间隔时间").userType("3 minutes");
    EXPECT_EQ(g->settings.interval, 3);
    EXPECT_EQ(g->schedule.period, 3 * 60000);
    win->at("编辑框间隔时间").userLeave();
    EXPECT_EQ(win->at("编辑框间隔时间").text(), "3");
    win->at("编辑框间隔时间").userType("");
    EXPECT_EQ(g->settings.interval, 0);
    EXPECT_FALSE(fake.timer.running);

    // Change now steps forwards.
    const std::size_t sets = fake.imaging.sets.size();
    win->at("按钮立即换图").userClick();
    EXPECT_EQ(fake.imaging.sets.size(), sets + 1);
}

TEST_F(AppTest, FolderBoxKeepsTypedBackslashesButNeverStoresOne) {
    file(true, 1);
    onSettingsWindowCreated(*g);
    auto& box = win->at("编辑框图片目录");
    Text typed;
    for (char c : Text("D:\\Photos\\")) {
        typed.push_back(c);
        box.userType(typed);
        EXPECT_EQ(box.text(), typed);  // what is typed stays in the box
    }
    EXPECT_EQ(g->settings.pictureFolder, "D:\\Photos");
    box.userLeave();
    EXPECT_EQ(box.text(), "D:\\Photos");

    box.userType("C:\\\\");
    EXPECT_EQ(g->settings.pictureFolder, "C:");
    // The second byte of a double-byte character is not a separator.
    box.userType("D:\\\x81\x5C");
    EXPECT_EQ(g->settings.pictureFolder, "D:\\\x81\x5C");
}

TEST_F(AppTest, BrowseSetsTheChosenFolderAndCancelChangesNothing) {
    file(true, 1);
    onSettingsWindowCreated(*g);
    shell.result = "C:\\" + Text(509, ' ');  // a drive root, in the dialog's buffer
    win->at("按钮浏览").userClick();
    EXPECT_EQ(shell.flags, 80u);
    EXPECT_EQ(shell.title, "选择一个包含图片的目录：");
    EXPECT_EQ(shell.initial, "D:\\P");
    EXPECT_EQ(g->folderBrowserInitialPath, "D:\\P");
    EXPECT_EQ(win->at("编辑框图片目录").text(), "C:");
    EXPECT_EQ(g->settings.pictureFolder, "C:");

    shell.result = Text(512, ' ');  // cancelled
    win->at("按钮浏览").userClick();
    EXPECT_EQ(g->settings.pictureFolder, "C:");
    EXPECT_EQ(shell.initial, "C:");

    EXPECT_EQ(trimSpaces("\xA1\xA1 D:\\相册 \xA1\xA1"), "D:\\相册");
    EXPECT_EQ(trimSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");  // not a whole full-width space
    EXPECT_EQ(browseFlags(true, false, false), 16384u);
}

TEST_F(AppTest, ShowingTheWindowLiftsItWithoutKeepingItOnTop) {
    win->iconic = true;
    showSettingsWindow(*g);
    EXPECT_EQ(win->log, (std::vector<std::string>{"topmost", "show", "not topmost", "restore"}));
    EXPECT_FALSE(win->onTop);
}

TEST(NumberInput, TypedCharactersAndTheReformatOnLeaving) {
    for (unsigned char c : Text("0123456789-.\b\x03")) EXPECT_TRUE(acceptsTypedCharacter(c)) << c;
    for (unsigned char c : Text("a+e ,\xA3")) EXPECT_FALSE(acceptsTypedCharacter(c)) << c;
    const struct {
        const char* text;
        const char* after;
    } cases[] = {{"007", "7"}, {"abc", ""}, {"12.7", "12.7"}, {"0", ""},
                 {"", ""},      {"1e3", "1000"}, {"  5x", "5"}, {"-2.50", "-2.5"},
                 {"１５", ""}};  // full-width digits are no plain decimal
    for (const auto& c : cases) EXPECT_EQ(reformattedNumberText(c.text), c.after) << c.text;
}

}  // namespace
}  // namespace pelmora
