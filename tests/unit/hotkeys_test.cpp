#include <gtest/gtest.h>

#include <set>

#include "app/globals.h"
#include "desktop/hotkeys.h"
#include "fakes/fake_window.h"

namespace pelmora {
namespace {

class FakeHotkeyHost : public HotkeyHost {
public:
    std::set<std::uint32_t> refusedKeys;
    std::vector<std::pair<int, std::uint32_t>> registered;  // identifier, key
    std::vector<std::size_t> installedAt;                   // registrations made by then
    bool registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) override {
        EXPECT_EQ(modifiers, 8u);
        if (refusedKeys.count(key)) return false;
        registered.push_back({id, key});
        return true;
    }
    void installHotkeyProcedure() override { installedAt.push_back(registered.size()); }
};

struct HotkeysTest : ::testing::Test {
    fakes::FakePlatform fake;
    FakeHotkeyHost host;
    std::unique_ptr<fakes::FakeAppWindow> win = std::make_unique<fakes::FakeAppWindow>();
    std::unique_ptr<Globals> g;
    void SetUp() override {
        fake.table.hotkeys = &host;
        g = createGlobals(fake.table);
        g->settingsWindow = win.get();
        win->g = g.get();
    }
    void TearDown() override { releaseGlobals(g); }
};

TEST_F(HotkeysTest, IdentifiersAreDenseOverTheAcceptedCombinations) {
    using Ids = std::vector<std::pair<int, std::uint32_t>>;
    const struct {
        std::set<std::uint32_t> refused;
        Ids registered;
        std::vector<std::size_t> installedAt;
    } cases[] = {
        {{}, Ids{{1, 37}, {2, 39}, {3, 46}, {4, 13}, {5, 88}}, {1}},
        {{39}, Ids{{1, 37}, {2, 46}, {3, 13}, {4, 88}}, {1}},
        {{37}, Ids{{1, 39}, {2, 46}, {3, 13}, {4, 88}}, {1}},  // installed at Win+Right
        {{37, 39, 46, 13, 88}, Ids{}, {}},                      // chain untouched
    };
    for (const auto& c : cases) {
        TearDown();
        host = FakeHotkeyHost();
        host.refusedKeys = c.refused;
        SetUp();
        registerGlobalHotkeys(*g);
        EXPECT_EQ(host.registered, c.registered);
        EXPECT_EQ(host.installedAt, c.installedAt);
        EXPECT_EQ(g->hotkeys.rows.size(), c.registered.size());
    }
}

TEST_F(HotkeysTest, DispatchRunsTheRowOfTheIdentifierOnly) {
    host.refusedKeys = {39};  // Win+Right refused: Win+Enter is 3, Win+X 4
    registerGlobalHotkeys(*g);
    onHotkey(*g, 3);
    EXPECT_TRUE(win->shown);
    for (std::intptr_t id : {0, -1, 5, 99}) onHotkey(*g, id);
    EXPECT_EQ(win->destroyRequests, 0);
    onHotkey(*g, 4);
    EXPECT_EQ(win->destroyRequests, 1);
}

}  // namespace
}  // namespace pelmora
