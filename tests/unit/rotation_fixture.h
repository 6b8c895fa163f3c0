// A context over fakes, with a picture folder laid out for rotation tests.
#pragma once

#include <gtest/gtest.h>

#include "app/globals.h"
#include "fakes/fake_platform.h"
#include "rotation/catalogue.h"
#include "rotation/rotation.h"
#include "rotation/schedule.h"
#include "rotation/wallpaper.h"

namespace pelmora {

struct RotationFixture : ::testing::Test {
    fakes::FakePlatform fake;
    std::unique_ptr<Globals> g = createGlobals(fake.table);
    const Text ini = "C:\\Tools\\Pelmora.ini";
    const Text wallpaper = "C:\\Tools\\桌面背景文件.bmp";

    void SetUp() override {
        g->programDirectory = "C:\\Tools";
        g->settingsFile.setFile(ini);
        g->settings.pictureFolder = "D:\\P";
        fake.timer.onTick = [this] { onTimerElapsed(*g); };
    }
    void TearDown() override { releaseGlobals(g); }

    // D:\P holding n pictures 1.jpg .. n.jpg.
    void pictures(int n) {
        auto& entries = fake.files.folders["D:\\P"];
        entries.clear();
        for (int i = 1; i <= n; ++i) {
            const Text name = std::to_string(i) + ".jpg";
            entries.push_back({name, false});
            fake.files.files["D:\\P\\" + name] = "picture " + std::to_string(i);
        }
    }
    Text storedIndex() {
        auto it = fake.profile.values.find({ini, "其他", "上次序号"});
        return it == fake.profile.values.end() ? "(none)" : it->second;
    }
    Text shown() {
        auto it = fake.files.files.find(wallpaper);
        return it == fake.files.files.end() ? "(none)" : it->second;
    }
};

}  // namespace pelmora
