#include "app/about.h"

#include "app/forms.h"
#include "app/globals.h"

namespace pelmora {

const Text& makerNote() {
    static const Text note = "Pelmora 是一个开源的桌面壁纸自动更换工具，欢迎使用与改进。";
    return note;
}

void openAboutWindow(Globals& g) {
    AboutHost* about = g.platform.about;
    if (about == nullptr) return;
    if (about->isOpen())
        about->bringBack();
    else
        about->open();
}

void onAboutPress(Globals& g, int x, int y) {
    AboutHost* about = g.platform.about;
    if (about == nullptr) return;
    // Labels and link texts take no clicks of their own, so every press lands here.
    for (const ControlForm& c : aboutWindowForm().controls) {
        if (x < c.x || y < c.y || x >= c.x + c.width || y >= c.y + c.height) continue;
        if (c.name == "图片框1") return about->drag();
        if (c.name == "图片框2") return noticeBox(g, makerNote());
        if (c.kind == ControlKind::Link) {
            if (!c.target.empty()) about->openTarget(c.target);
            return;
        }
        if (c.kind == ControlKind::Label || c.name == "图片框3") return;
    }
    about->requestClose();  // the background
}

}  // namespace pelmora
