#include "app/settings_window.h"

#include <cstdio>

#include "app/globals.h"
#include "app/about.h"
#include "app/help.h"
#include "app/startup.h"
#include "desktop/tray_icon.h"
#include "rotation/rotation.h"
#include "rotation/schedule.h"

namespace pelmora {

namespace {

Control& control(Globals& g, const Text& name) { return g.settingsWindow->control(name); }

void onFolderTextChanged(Globals& g) {
    // The box keeps what is being typed; the setting never has the trailing backslash.
    g.settings.pictureFolder = withoutTrailingBackslashes(control(g, "编辑框图片目录").text());
}

void setFolderText(Globals& g, const Text& text) {
    control(g, "编辑框图片目录").setText(withoutTrailingBackslashes(text));
}

void onUnitSelected(Globals& g) {
    Control& list = control(g, "组合框时间单位");
    control(g, "编辑框间隔时间").setEnabled(list.currentItem() != 4);
    g.settings.timeUnit = static_cast<TimeUnit>(list.currentItem());
    armSchedule(g);
}

void onBrowse(Globals& g) {
    const Text chosen = browseForFolder(g, "选择一个包含图片的目录：", false,
                                        control(g, "编辑框图片目录").text(), true, true);
    if (!chosen.empty()) setFolderText(g, chosen);
}

}  // namespace

void handleControlEvent(Globals& g, const Text& name, ControlEvent event) {
    if (g.settingsWindow == nullptr) return;
    Settings& s = g.settings;
    if (event == ControlEvent::Clicked) {
        const bool checked = control(g, name).checked();
        if (name == "选择框开启") {
            s.autoChange = checked;
            armSchedule(g);
        } else if (name == "选择框随系统启动") {
            s.startWithSystem = checked;
        } else if (name == "选择框后台托盘") {
            s.trayInBackground = checked;
        } else if (name == "选择框包含子目录") {
            s.includeSubfolders = checked;
        } else if (name == "选择框随机显示") {
            s.randomOrder = checked;
        } else if (name == "按钮浏览") {
            onBrowse(g);
        } else if (name == "按钮立即换图") {
            advance(g, false);
        } else if (name == "按钮关闭") {
            closeSettingsWindow(g);
        } else if (name == "超级链接框快捷键") {
            showInstructions(g);
        } else if (name == "超级链接框关于") {
            openAboutWindow(g);
        }
    } else if (event == ControlEvent::ItemSelected) {
        if (name == "组合框样式") {
            s.displayStyle = static_cast<DisplayStyle>(control(g, name).currentItem());
        } else if (name == "组合框时间单位") {
            onUnitSelected(g);
        }
    } else if (event == ControlEvent::TextChanged) {
        if (name == "编辑框间隔时间") {
            s.interval = truncateToInt(parseNumber(control(g, name).text()));
            armSchedule(g);
        } else if (name == "编辑框图片目录") {
            onFolderTextChanged(g);
        }
    } else if (event == ControlEvent::FocusLost) {
        Control& box = control(g, name);
        if (name == "编辑框间隔时间") {
            const Text text = reformattedNumberText(box.text());
            if (text != box.text()) box.setText(text);
        } else if (name == "编辑框图片目录") {
            const Text text = withoutTrailingBackslashes(box.text());
            if (text != box.text()) box.setText(text);
        }
    }
}

void handleMenuItem(Globals& g, int position) {
    switch (position) {
        case 0: showSettingsWindow(g); break;
        case 2: showInstructions(g); break;
        case 3: endProcess(g); break;
        case 5: openAboutWindow(g); break;
        default: break;
    }
}

void copySettingsToControls(Globals& g) {
    if (g.settingsWindow == nullptr) return;
    const Settings& s = g.settings;
    setFolderText(g, s.pictureFolder);
    control(g, "选择框包含子目录").setChecked(s.includeSubfolders);
    control(g, "选择框随机显示").setChecked(s.randomOrder);
    control(g, "编辑框间隔时间").setText(std::to_string(s.interval));
    control(g, "组合框时间单位").setCurrentItem(static_cast<int>(s.timeUnit));
    control(g, "组合框样式").setCurrentItem(static_cast<int>(s.displayStyle));
    control(g, "选择框开启").setChecked(s.autoChange);
    control(g, "选择框随系统启动").setChecked(s.startWithSystem);
    control(g, "选择框后台托盘").setChecked(s.trayInBackground);
    onUnitSelected(g);
}

void showSettingsWindow(Globals& g) {
    AppWindow* w = g.settingsWindow;
    if (w == nullptr) return;
    const bool wasTopmost = w->topmost();
    w->setTopmost(true);
    w->show();
    w->setTopmost(wasTopmost);
    if (w->minimised()) w->restore();
    if (g.settings.trayInBackground) removeTrayIcon(g);
}

unsigned browseFlags(bool includeFiles, bool showEditBox, bool newStyle) {
    return (showEditBox ? 16u : 0u) + (newStyle ? 64u : 0u) + (includeFiles ? 16384u : 0u);
}

Text trimSpaces(const Text& text) {
    std::size_t from = 0, to = text.size();
    for (;;) {
        if (from < to && text[from] == ' ') {
            ++from;
        } else if (to - from >= 2 && static_cast<unsigned char>(text[from]) == 0xA1 &&
                   static_cast<unsigned char>(text[from + 1]) == 0xA1) {
            from += 2;
        } else {
            break;
        }
    }
    for (;;) {
        if (to > from && text[to - 1] == ' ') {
            --to;
        } else if (to - from >= 2 && static_cast<unsigned char>(text[to - 1]) == 0xA1 &&
                   static_cast<unsigned char>(text[to - 2]) == 0xA1) {
            // Only a whole full-width space: the pair must start on a character boundary.
            std::size_t i = from;
            bool boundary = false;
            while (i < to) {
                if (i == to - 2) {
                    boundary = true;
                    break;
                }
                i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
            }
            if (!boundary) break;
            to -= 2;
        } else {
            break;
        }
    }
    return text.substr(from, to - from);
}

Text browseForFolder(Globals& g, const Text& title, bool includeFiles, const Text& initialFolder,
                     bool showEditBox, bool newStyle) {
    g.folderBrowserInitialPath = initialFolder;
    if (g.platform.shell == nullptr) return Text();
    const Text shown = title.empty() ? Text("请选择一个文件夹") : title;
    return trimSpaces(g.platform.shell->browseForFolder(
        shown, browseFlags(includeFiles, showEditBox, newStyle), g.folderBrowserInitialPath));
}

Text withoutTrailingBackslashes(const Text& text) {
    Text out = text;
    for (;;) {
        const std::size_t last = lastBackslash(out);
        if (last == Text::npos || last + 1 != out.size()) return out;
        out.pop_back();
    }
}

bool acceptsTypedCharacter(unsigned char c) {
    return c < 32 || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

Text reformattedNumberText(const Text& text) {
    const Text t = numberText(parsePlainDecimal(text));
    return t == "0" ? Text() : t;
}

}  // namespace pelmora
