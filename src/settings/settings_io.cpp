#include "settings/settings_io.h"

#include "app/globals.h"
#include "desktop/start_with_system.h"

namespace pelmora {

void loadSettings(Globals& g) {
    SettingsFile& f = g.settingsFile;
    Settings& s = g.settings;
    f.setSection("图片设置");
    s.pictureFolder = f.readText("图片目录");
    s.includeSubfolders = f.readBool("包含子目录");
    s.randomOrder = f.readBool("随机显示", true);
    s.interval = truncateToInt(f.readNumber("间隔时间", 10));
    s.timeUnit = static_cast<TimeUnit>(truncateToInt(f.readNumber("时间单位", 1)));
    s.displayStyle = static_cast<DisplayStyle>(truncateToInt(f.readNumber("显示样式")));
    f.setSection("选项");
    s.autoChange = f.readBool("开启壁纸", true);
    s.startWithSystem = f.readBool("随系统启动", true);
    applyStartWithSystem(g);
    s.trayInBackground = f.readBool("后台托盘", true);
    f.setSection("其他");
    s.currentIndex = truncateToInt(f.readNumber("上次序号"));
}

void saveSettings(Globals& g) {
    SettingsFile& f = g.settingsFile;
    const Settings& s = g.settings;
    f.setSection("图片设置");
    f.writeText("图片目录", s.pictureFolder);
    f.writeBool("包含子目录", s.includeSubfolders);
    f.writeBool("随机显示", s.randomOrder);
    f.writeNumber("间隔时间", s.interval);
    f.writeNumber("时间单位", static_cast<std::int32_t>(s.timeUnit));
    f.writeNumber("显示样式", static_cast<std::int32_t>(s.displayStyle));
    f.setSection("选项");
    f.writeBool("开启壁纸", s.autoChange);
    f.writeBool("随系统启动", s.startWithSystem);
    applyStartWithSystem(g);
    f.writeBool("后台托盘", s.trayInBackground);
}

}  // namespace pelmora
