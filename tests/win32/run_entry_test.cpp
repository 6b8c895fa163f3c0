// The log-on start entry against the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "app/globals.h"
#include "desktop/start_with_system.h"
#include "platform/win32/win32_platform.h"

namespace pelmora {
namespace {

struct StoredValue {
    DWORD type = 0;
    std::string data;  // with its ending zero
};

std::map<std::string, StoredValue> runValues(HKEY root) {
    std::map<std::string, StoredValue> out;
    HKEY key;
    if (RegOpenKeyExA(root, kRunKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        out[name] = {type, std::string(reinterpret_cast<char*>(data), dataSize)};
    }
    RegCloseKey(key);
    return out;
}

void removeRunValue(HKEY root) {
    HKEY key;
    if (RegOpenKeyExA(root, kRunKeyPath, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, kRunValueName);
    RegCloseKey(key);
}

struct RunEntryTest : ::testing::Test {
    win32::Win32Platform platform;
    std::unique_ptr<Globals> g = createGlobals(platform.table);
    void SetUp() override {
        removeRunValue(HKEY_LOCAL_MACHINE);
        removeRunValue(HKEY_CURRENT_USER);
        g->executableFileName = "Pelmora.exe";
    }
    void TearDown() override {
        removeRunValue(HKEY_LOCAL_MACHINE);
        releaseGlobals(g);
    }
};

TEST_F(RunEntryTest, OnWritesTheQuotedPathAndTokenWithItsEndingZero) {
    const struct {
        const char* directory;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\Pel mora 图片", "\"C:\\Program Files\\Pel mora 图片\\Pelmora.exe\" 后台"},
        {"C:", "\"C:\\Pelmora.exe\" 后台"},
    };
    for (const auto& c : cases) {
        g->programDirectory = c.directory;
        g->settings.startWithSystem = true;
        applyStartWithSystem(*g);
        const auto values = runValues(HKEY_LOCAL_MACHINE);
        ASSERT_EQ(values.count(kRunValueName), 1u) << c.directory;
        const StoredValue& v = values.at(kRunValueName);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(v.data, std::string(c.expected) + '\0') << c.directory;
    }
    // Wine lets the test write the machine-wide key, so nothing went to the user's.
    EXPECT_EQ(runValues(HKEY_CURRENT_USER).count(kRunValueName), 0u);
}

TEST_F(RunEntryTest, OffDeletesTheValueAndLeavesTheRestOfTheKey) {
    g->programDirectory = "C:\\Tools";
    g->settings.startWithSystem = true;
    applyStartWithSystem(*g);
    const auto before = runValues(HKEY_LOCAL_MACHINE);
    ASSERT_EQ(before.count(kRunValueName), 1u);

    g->settings.startWithSystem = false;
    applyStartWithSystem(*g);
    auto after = runValues(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(after.count(kRunValueName), 0u);
    auto expected = before;
    expected.erase(kRunValueName);
    EXPECT_EQ(after.size(), expected.size());
    for (const auto& [name, v] : expected) {
        ASSERT_EQ(after.count(name), 1u) << name;
        EXPECT_EQ(after.at(name).data, v.data) << name;
    }

    // Off and absent: nothing changes, and no key is created anywhere.
    applyStartWithSystem(*g);
    EXPECT_EQ(runValues(HKEY_LOCAL_MACHINE).size(), expected.size());
    HKEY userKey;
    const bool userKeyExisted =
        RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_READ, &userKey) == ERROR_SUCCESS;
    if (userKeyExisted) {
        RegCloseKey(userKey);
        EXPECT_EQ(runValues(HKEY_CURRENT_USER).count(kRunValueName), 0u);
    }
}

}  // namespace
}  // namespace pelmora
