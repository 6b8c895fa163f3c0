#include "app/startup.h"

#include "app/globals.h"
#include "app/settings_window.h"
#include "desktop/hotkeys.h"
#include "desktop/tray_icon.h"
#include "rotation/rotation.h"
#include "rotation/schedule.h"
#include "settings/settings_io.h"

namespace pelmora {

const char* const kBackgroundToken = "后台";

std::vector<Text> commandLineArguments(const Text& line) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(line[i]); };
    const std::size_t n = line.size();
    std::size_t i = 0;
    // The program path.
    if (n > 0 && line[0] == '"') {
        i = 1;
        while (i < n && line[i] != '"') i += byte(i) >= 0x80 ? 2 : 1;
        if (i < n) ++i;
        if (i < n && line[i] == ' ') ++i;
    } else {
        while (i < n && line[i] != ' ') i += byte(i) >= 0x80 ? 2 : 1;
        if (i < n) ++i;
    }
    std::vector<Text> args;
    // Appends one character, a double-byte one whole; a lead byte with nothing after it is dropped.
    auto take = [&](Text& arg) {
        if (byte(i) >= 0x80) {
            if (i + 1 < n) arg.append(line, i, 2);
            i += 2;
        } else {
            arg.push_back(line[i++]);
        }
    };
    while (i < n) {
        if (line[i] == '"') {
            Text arg;
            ++i;
            while (i < n && line[i] != '"') take(arg);
            if (i < n) ++i;
            args.push_back(arg);
        } else if (byte(i) <= 32) {
            ++i;
        } else {
            Text arg;
            while (i < n && byte(i) > 32 && line[i] != '"') take(arg);
            args.push_back(arg);
        }
    }
    return args;
}

bool isBackgroundStart(const Text& commandLine) {
    Text joined;
    for (const Text& a : commandLineArguments(commandLine)) joined += a;
    return joined == kBackgroundToken;
}

void onSettingsWindowCreated(Globals& g) {
    if (!isBackgroundStart(g.commandLine) && g.settingsWindow) g.settingsWindow->show();
    registerGlobalHotkeys(g);
    g.settingsFile.setFile(g.programDirectory + kSettingsFileName);
    loadSettings(g);
    chooseStartMode(g);
    copySettingsToControls(g);
}

void chooseStartMode(Globals& g) {
    AppWindow* w = g.settingsWindow;
    if (!g.settings.autoChange && w) w->show();
    if (g.settings.timeUnit == TimeUnit::AtLogon) {
        if (w && w->visible()) return;
        advance(g, false);
        endProcess(g);
        return;
    }
    armSchedule(g);
}

void closeSettingsWindow(Globals& g) {
    saveSettings(g);
    if (g.settingsWindow) g.settingsWindow->hide();
    if (g.settings.autoChange && g.settings.trayInBackground)
        addTrayIcon(g, "Pelmora", onTrayMouse);
    if (!g.settings.autoChange) endProcess(g);
}

void endProcess(Globals& g) {
    if (g.settingsWindow) g.settingsWindow->requestDestroy();
}

}  // namespace pelmora
