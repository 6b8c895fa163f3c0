#include <gtest/gtest.h>

#include "app/startup.h"
#include "desktop/tray_icon.h"
#include "fakes/fake_window.h"

namespace pelmora {
namespace {

// Keeps the procedure chain as a stack, front last, as SetWindowLongA would.
class FakeTrayHost : public TrayHost {
public:
    std::vector<int> operations;
    std::vector<TrayRecord> sent;
    std::vector<std::string> chain{"own", "hotkeys"};
    int menus = 0;
    void notify(int operation, const TrayRecord& record) override {
        operations.push_back(operation);
        sent.push_back(record);
    }
    std::uint32_t windowHandle() override { return 0x1234; }
    std::uint32_t smallIcon() override { return 0x77; }
    void installTrayProcedure() override { chain.push_back("tray"); }
    void restoreProcedure() override { chain.pop_back(); }
    void showMenuAtCursor() override { ++menus; }
};

struct TrayTest : ::testing::Test {
    fakes::FakePlatform fake;
    FakeTrayHost host;
    std::unique_ptr<fakes::FakeAppWindow> win = std::make_unique<fakes::FakeAppWindow>();
    std::unique_ptr<Globals> g;
    void SetUp() override {
        fake.table.tray = &host;
        g = createGlobals(fake.table);
        g->settingsWindow = win.get();
        g->taskbarCreatedMessage = 0xC0DE;
        g->settings.trayInBackground = true;
        g->settings.autoChange = true;
        win->g = g.get();
    }
    void TearDown() override { releaseGlobals(g); }
};

TEST_F(TrayTest, AddingTwiceAddsOnceThenModifies) {
    addTrayIcon(*g, "Pelmora", onTrayMouse);
    addTrayIcon(*g, "Pelmora", onTrayMouse);
    EXPECT_EQ(host.operations, (std::vector<int>{0, 1}));
    EXPECT_EQ(host.chain, (std::vector<std::string>{"own", "hotkeys", "tray"}));
    const TrayRecord& r = host.sent[0];
    EXPECT_EQ(r.cbSize, 488u);
    EXPECT_EQ(r.hWnd, 0x1234u);
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 123456u);
    EXPECT_EQ(r.hIcon, 0x77u);
    EXPECT_STREQ(r.szTip, "Pelmora");
    EXPECT_EQ(r.szInfo[0], 0);

    addTrayIcon(*g, std::string(200, 'x'), onTrayMouse);
    EXPECT_EQ(std::string(host.sent.back().szTip), std::string(127, 'x'));
}

TEST_F(TrayTest, RemovingTwiceRemovesOnceAndUnwindsTheChain) {
    removeTrayIcon(*g);  // nothing shown
    EXPECT_TRUE(host.operations.empty());
    addTrayIcon(*g, "Pelmora", onTrayMouse);
    removeTrayIcon(*g);
    removeTrayIcon(*g);
    EXPECT_EQ(host.operations, (std::vector<int>{0, 2}));
    EXPECT_EQ(host.chain, (std::vector<std::string>{"own", "hotkeys"}));
}

TEST_F(TrayTest, MessagesOfTheTrayProcedure) {
    // Nothing shown: a "TaskbarCreated" passes through untouched.
    EXPECT_EQ(trayMessage(*g, 0xC0DE, 0, 0), TrayOutcome::PassOn);
    EXPECT_TRUE(host.operations.empty());

    addTrayIcon(*g, "Pelmora", onTrayMouse);
    EXPECT_EQ(trayMessage(*g, 0xC0DE, 0, 0), TrayOutcome::PassOn);
    EXPECT_EQ(host.operations, (std::vector<int>{0, 0}));  // added again, same record
    EXPECT_EQ(host.sent[1].hIcon, host.sent[0].hIcon);

    for (std::intptr_t mouse : {512, 514, 515, 516, 518, 519})
        EXPECT_EQ(trayMessage(*g, 123456, 1, mouse), TrayOutcome::Answered);
    EXPECT_EQ(host.menus, 0);
    EXPECT_FALSE(win->shown);
    EXPECT_EQ(trayMessage(*g, 123456, 1, 517), TrayOutcome::Answered);
    EXPECT_EQ(host.menus, 1);

    // The left button brings the window back and takes the icon away.
    EXPECT_EQ(trayMessage(*g, 123456, 1, 513), TrayOutcome::Answered);
    EXPECT_TRUE(win->shown);
    EXPECT_EQ(host.operations.back(), 2);
    EXPECT_EQ(host.chain, (std::vector<std::string>{"own", "hotkeys"}));

    // The window's destruction removes the icon and still reaches its own procedure.
    addTrayIcon(*g, "Pelmora", onTrayMouse);
    EXPECT_EQ(trayMessage(*g, 2, 0, 0), TrayOutcome::PassOn);
    EXPECT_EQ(host.operations.back(), 2);
    EXPECT_FALSE(g->tray.shown);
}

TEST_F(TrayTest, ClosingAddsTheIconOnlyWithChangingAndTheTrayOptionOn) {
    const struct {
        bool autoChange, tray, icon;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        removeTrayIcon(*g);
        host.operations.clear();
        g->settings.autoChange = c.autoChange;
        g->settings.trayInBackground = c.tray;
        closeSettingsWindow(*g);
        EXPECT_EQ(g->tray.shown, c.icon);
        EXPECT_EQ(host.operations, c.icon ? std::vector<int>{0} : std::vector<int>{});
    }
    // Shown again with the tray option off: the icon is left alone.
    g->settings.trayInBackground = true;
    g->settings.autoChange = true;
    closeSettingsWindow(*g);
    g->settings.trayInBackground = false;
    showSettingsWindow(*g);
    EXPECT_TRUE(g->tray.shown);
}

}  // namespace
}  // namespace pelmora
