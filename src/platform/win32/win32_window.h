// The settings window, built from its form.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "app/forms.h"
#include "platform/hotkeys.h"
#include "platform/tray.h"
#include "platform/windows.h"

namespace pelmora {
struct Globals;
}

namespace pelmora::win32 {

class WindowControl;

class SettingsWindow final : public AppWindow {
public:
    SettingsWindow();
    ~SettingsWindow() override;
    // Creates the window hidden; its creation runs onSettingsWindowCreated.
    // False when the window could not be created.
    bool create(Globals& g, HINSTANCE instance);
    HWND handle() const { return hwnd_; }

    Control& control(const Text& name) override;
    bool visible() const override;
    void show() override;
    void hide() override;
    bool minimised() const override;
    void restore() override;
    bool topmost() const override;
    void setTopmost(bool topmost) override;
    void requestDestroy() override;

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK timerProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK numberEditProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT onMessage(UINT, WPARAM, LPARAM);
    void buildControls();
    void paintBanner(HDC dc);

    Globals* g_ = nullptr;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    HBITMAP banner_ = nullptr;
    bool bannerTried_ = false;
    std::map<Text, std::unique_ptr<WindowControl>> controls_;
    std::map<int, Text> names_;  // control identifier -> name
};

// RegisterHotKey for the settings window, and the hotkey procedure chained in
// front of its procedure with SetWindowLongA / CallWindowProcA.
class Hotkeys final : public HotkeyHost {
public:
    void bind(Globals& g, HWND window);
    bool registerHotKey(int id, std::uint32_t modifiers, std::uint32_t key) override;
    void installHotkeyProcedure() override;
};

// Shell_NotifyIconA, and the tray procedure chained in front of whatever
// procedure the settings window has when the icon is added.
class Tray final : public TrayHost {
public:
    void bind(Globals& g, HWND window);
    void notify(int operation, const TrayRecord& record) override;
    std::uint32_t windowHandle() override;
    std::uint32_t smallIcon() override;
    void installTrayProcedure() override;
    void restoreProcedure() override;
    void showMenuAtCursor() override;
};

class Shell final : public pelmora::Shell {
public:
    Text browseForFolder(const Text& title, unsigned flags, const Text& initialFolder) override;
};

}  // namespace pelmora::win32
